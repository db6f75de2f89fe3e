// Iterative deepening at the root: aspiration windows, one info line per completed
// iteration, and the hand-over to the tactical selection.

#include "search/search.h"

#include <cstdlib>
#include <cstring>

#include "board/movegen.h"
#include "board/notation.h"
#include "board/position.h"
#include "frontend/output.h"
#include "search/negamax.h"
#include "search/node_rules.h"
#include "search/ordering.h"
#include "search/search_state.h"
#include "search/threads.h"
#include "search/tt.h"
#include "style/search_mode.h"
#include "style/tactical.h"

namespace {

constexpr int ASPIRATION_MIN_DEPTH = 5;
constexpr int ASPIRATION_WINDOW = 25;
// A window that has been widened this far opens fully on its next failure.
constexpr int ASPIRATION_GIVE_UP = 800;

void reset_search_tables() {
  std::memset(static_cast<void*>(killers), 0, sizeof killers);
  std::memset(history, 0, sizeof history);
  std::memset(pv_length, 0, sizeof pv_length);
}

void print_header() {
  std::string line = "info string white_mode=";
  line += mode_name(white_search_mode);
  line += " black_mode=";
  line += mode_name(black_search_mode);
  line += " tactics=";
  line += tactical_move_selection ? "on" : "off";
  line += " threshold=";
  line += std::to_string(tactic_threshold_cp);
  send_line(line);
}

// The first legal move of the root in generation order, if there is one.
bool first_legal_move(Move& out) {
  MoveList list;
  generate_moves(list);
  for (const Move& m : list.moves) {
    const SavedPosition saved = save_position();
    const bool legal = make_move(m);
    restore_position(saved);
    if (legal) {
      out = m;
      return true;
    }
  }
  return false;
}

long long elapsed_ms() {
  auto elapsed = std::chrono::steady_clock::now() - search_start;
  return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

void print_iteration(int depth, int score, long long ms) {
  std::string line = "info depth " + std::to_string(depth);
  print_info_score(line, score);
  const std::int64_t nodes = search_nodes_total();
  line += " nodes " + std::to_string(nodes);
  line += " time " + std::to_string(ms);
  if (ms >= 1) line += " nps " + std::to_string(nodes * 1000 / ms);
  line += " pv";
  for (int i = 0; i < pv_length[0]; ++i) {
    line += ' ';
    line += move_to_str(pv_table[0][i]);
  }
  send_line(line);
}

bool stopped() { return search_interrupted(); }

}  // namespace

int search_root(int depth, int previous) {
  if (depth < ASPIRATION_MIN_DEPTH || std::abs(previous) >= MATE_THRESHOLD)
    return negamax(depth, -SCORE_INFINITY, SCORE_INFINITY, 0, true);

  int delta = ASPIRATION_WINDOW;
  int lower = previous - delta, upper = previous + delta;
  for (;;) {
    int score = negamax(depth, lower, upper, 0, true);
    if (stopped()) return score;
    if (score <= lower)
      lower = delta >= ASPIRATION_GIVE_UP ? -SCORE_INFINITY : lower - delta;
    else if (score >= upper)
      upper = delta >= ASPIRATION_GIVE_UP ? SCORE_INFINITY : upper + delta;
    else
      return score;
    delta *= 2;
  }
}

Move search_best(const SearchLimits& limits) {
  const int max_depth = limits.depth, movetime_ms = limits.movetime_ms;
  reset_search_tables();
  nodes_searched = 0;
  search_movetime_ms = movetime_ms;
  search_node_limit = limits.nodes;
  search_start = std::chrono::steady_clock::now();
  print_header();

  // Until an iteration completes, the first legal move stands as the answer.
  Move best = empty_move();
  if (!first_legal_move(best)) {
    send_line(king_attacked(side) ? "info depth 0 score mate 0 nodes 0 time 0 pv"
                                  : "info depth 0 score cp 0 nodes 0 time 0 pv");
    return empty_move();
  }
  if (max_depth < 1) return best;
  start_helper_threads();

  const SearchMode root_mode = mode_to_move();
  int depth = 1, score = 0, completed_depth = 0;
  for (;;) {
    score = search_root(depth, score);
    if (stop_search.load(std::memory_order_relaxed)) break;
    if (time_expired()) break;

    if (pv_length[0] > 0) {
      best = pv_table[0][0];
    } else if (const TTEntry* entry = tt_lookup(zobrist_key)) {
      best = unpack_move(entry->move);
    }

    const long long ms = elapsed_ms();
    print_iteration(depth, score, ms);
    completed_depth = depth;
    // More than half the budget gone: the next iteration would not finish.
    if (movetime_ms > 0 && 2 * ms > movetime_ms) break;

    int next = depth + 1 + (depth > 3 && root_mode == Deep ? 1 : 0);
    if (next > max_depth) break;
    depth = next;
  }
  stop_helper_threads();

  if (tactical_move_selection && !limits.analysis && completed_depth > 0 && !stop_search.load()) {
    // A spent node budget would end every candidate search at its first node. The
    // budget bounds the search; the selection keeps its own time cap, as after a timed search.
    search_node_limit = 0;
    best = pick_tactical_move(completed_depth, best);
  }
  return best;
}
