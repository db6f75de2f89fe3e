// Evaluations per second over the perft suite positions, in each playing style.

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "board/attacks.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "eval/passed_pawns.h"
#include "search/startup.h"
#include "style/search_mode.h"

namespace {

// The suite positions, loaded once and replayed by copy so the timed loop only evaluates.
const std::vector<SavedPosition>& suite_positions() {
  static const std::vector<SavedPosition> positions = [] {
    init_tables();
    std::vector<SavedPosition> loaded;
    std::ifstream in(std::string(BRISVANE_TEST_DATA) + "/perft.epd");
    for (std::string line; std::getline(in, line);) {
      auto cut = line.find(';');
      if (cut != std::string::npos) line.resize(cut);
      if (line.find('/') == std::string::npos) continue;
      load_fen(line);
      loaded.push_back(save_position());
    }
    return loaded;
  }();
  return positions;
}

void BM_Eval(benchmark::State& state) {
  const auto& positions = suite_positions();
  auto mode = static_cast<SearchMode>(state.range(0));
  SearchMode saved_white = white_search_mode;
  SearchMode saved_black = black_search_mode;
  white_search_mode = black_search_mode = mode;
  state.SetLabel(mode_name(mode));

  for (auto _ : state) {
    for (const SavedPosition& position : positions) {
      restore_position(position);
      benchmark::DoNotOptimize(evaluate());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(positions.size()));
  white_search_mode = saved_white;
  black_search_mode = saved_black;
}

BENCHMARK(BM_Eval)->DenseRange(Balanced, MinorPieceEnding)->ArgName("mode");

}  // namespace
