#include "search/fixed_depth.h"

#include "board/position.h"
#include "search/negamax.h"
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
int fixed_depth_score(int depth) {
  tt_clear();
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
