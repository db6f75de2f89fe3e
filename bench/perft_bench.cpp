// Perft is the board's raw speed: generation, make_move and the copy-restore of every node.

#include <benchmark/benchmark.h>

#include "board/attacks.h"
#include "board/movegen.h"
#include "board/perft.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "search/startup.h"

namespace {

void run_perft(benchmark::State& state, const char* fen) {
  init_tables();
  load_fen(fen);
  const int depth = static_cast<int>(state.range(0));
  std::uint64_t leaves = 0;
  for (auto _ : state) {
    leaves = perft(depth);
    benchmark::DoNotOptimize(leaves);
  }
  state.counters["leaves"] = static_cast<double>(leaves);
  state.counters["leaves_per_s"] =
      benchmark::Counter(static_cast<double>(leaves) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}

void BM_PerftStart(benchmark::State& state) {
  run_perft(state, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
}
BENCHMARK(BM_PerftStart)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_PerftKiwipete(benchmark::State& state) {
  run_perft(state, "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
}
BENCHMARK(BM_PerftKiwipete)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_GenerateMovesKiwipete(benchmark::State& state) {
  init_tables();
  load_fen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  MoveList list;
  for (auto _ : state) {
    generate_moves(list);
    benchmark::DoNotOptimize(list.moves.begin());
  }
}
BENCHMARK(BM_GenerateMovesKiwipete);

}  // namespace
