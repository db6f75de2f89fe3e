#include "search/fixed_depth.h"

#include "board/legal.h"
#include "board/position.h"
#include "search/negamax.h"
#include "search/search.h"
#include "search/search_state.h"
#include "search/tt.h"

namespace {

void prepare_search() {
  nodes_searched = 0;
  search_movetime_ms = 0;
  search_node_limit = 0;
  stop_search = false;
}

}  // namespace

// Iterative deepening by hand: the table carries each depth's moves to the next.
// Each call starts afresh, as a game's search does: history left from thousands of
// earlier calls would saturate and order the moves badly.
int fixed_depth_score(int depth) {
  tt_clear();
  reset_search_tables();
  int score = 0;
  for (int d = 1; d <= depth; ++d) {
    prepare_search();
    score = negamax(d, -SCORE_INFINITY, SCORE_INFINITY, 0, true);
  }
  return score;
}

int fixed_depth_score_after(const Move& m, int depth) {
  const SavedPosition saved = save_position();
  make_move(m);
  repetition_stack.push_back(zobrist_key);
  const int score = -fixed_depth_score(depth);
  repetition_stack.pop_back();
  restore_position(saved);
  return score;
}

// The search leaves its choice in the root's table entry; it is matched against the
// legal moves so that the caller gets a whole move.
Move fixed_depth_best_move(int depth) {
  fixed_depth_score(depth);
  MoveList legal;
  generate_legal_moves(legal);
  if (legal.moves.empty()) return Move{};
  const TTEntry* entry = tt_lookup(zobrist_key);
  if (entry)
    for (const Move& m : legal.moves)
      if (same_move(m, unpack_move(entry->move))) return m;
  return legal.moves[0];
}
