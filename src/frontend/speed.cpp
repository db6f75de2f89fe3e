#include "frontend/speed.h"

#include <algorithm>
#include <chrono>
#include <string>

#include "base/output.h"
#include "base/saved_settings.h"
#include "board/position.h"
#include "search/search.h"
#include "search/search_state.h"
#include "search/threads.h"
#include "search/tt.h"

// Openings, middlegames and endings, some with a different style for each side so
// that the style terms and rules are timed too. The depths keep the whole suite to a
// few seconds on one core of an ordinary machine.
const SpeedPosition SPEED_SUITE[SPEED_SUITE_SIZE] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 12, Balanced, Balanced},
    {"r1bqkb1r/pp2pppp/2np1n2/8/3NP3/2N5/PPP2PPP/R1BQKB1R w KQkq - 2 6", 11, Balanced, Balanced},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 10, KingAttack, Deep},
    {"r2q1rk1/pp1nbppp/2p1pn2/3p4/2PP1B2/2N1PN2/PPQ2PPP/R3KB1R w KQ - 4 9", 10, PawnStorm, Balanced},
    {"r1bq1rk1/pppp1ppp/2n2n2/2b1p3/2B1P3/2PP1N2/PP3PPP/RNBQ1RK1 b - - 0 6", 10, Wide, Provocation},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 10, Balanced, Balanced},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 14, MajorPieceEnding, Balanced},
    {"8/5pk1/6p1/7p/5P1P/6PK/8/8 w - - 0 1", 17, PawnEnding, PawnEnding},
    {"8/5k2/3b2p1/p4p2/P4P2/3N2P1/5K2/8 w - - 0 1", 16, MinorPieceEnding, PassedPawn},
    {"6k1/5pp1/7p/3P4/8/1Q5P/5PP1/2r3K1 w - - 0 1", 13, PassedPawn, Balanced},
};

SpeedTotals run_speed_suite(int max_depth, const SearchMode* style) {
  const SavedSettings saved(white_search_mode, black_search_mode, white_style_strength, black_style_strength,
                            chosen_style);
  SpeedTotals totals;
  for (std::size_t i = 0; i < SPEED_SUITE_SIZE; ++i) {
    const SpeedPosition& entry = SPEED_SUITE[i];
    const int depth = std::min(entry.depth, max_depth);
    load_fen(entry.fen);
    white_search_mode = entry.white_mode;
    black_search_mode = entry.black_mode;
    if (style != nullptr) choose_style(*style);
    // Every position starts from an empty table, so the counts do not depend on the order.
    tt_clear();

    // The suite times the searches alone: their info lines go nowhere.
    set_line_sink(drop_line);
    const auto start = std::chrono::steady_clock::now();
    SearchLimits limits;
    limits.depth = depth;
    limits.analysis = true;
    search_best(limits);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    set_line_sink(nullptr);

    const std::int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    // With several threads the count is every thread's; the time is still to the same depth.
    const std::int64_t nodes = search_nodes_total();
    totals.nodes += nodes;
    totals.ms += ms;
    send_line("position " + std::to_string(i + 1) + " depth " + std::to_string(depth) + " white " +
              mode_name(white_search_mode) + " black " + mode_name(black_search_mode) + " nodes " +
              std::to_string(nodes) + " time " + std::to_string(ms));
  }
  const std::int64_t nps = totals.ms > 0 ? totals.nodes * 1000 / totals.ms : 0;
  send_line("total nodes " + std::to_string(totals.nodes) + " time " + std::to_string(totals.ms) + " nps " +
            std::to_string(nps));

  init_board_startpos();
  return totals;
}
