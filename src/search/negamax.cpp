// The alpha-beta node: a fail-soft principal-variation search with null move,
// late-move reductions and style extensions. Each numbered step below is one rule
// of the node, in the order they apply.

#include "search/negamax.h"

#include <algorithm>

#include "board/draw.h"
#include "board/legal.h"
#include "board/movegen.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "search/breadcrumbs.h"
#include "search/node_rules.h"
#include "search/ordering.h"
#include "search/quiescence.h"
#include "search/root_moves.h"
#include "search/tt.h"
#include "style/search_mode.h"

PER_THREAD Move pv_table[MAX_PLY][MAX_PLY];
PER_THREAD int pv_length[MAX_PLY]{};

namespace {

// The child's line, prefixed by the move that leads to it, becomes this ply's line.
void update_pv(int ply, const Move& m) {
  pv_table[ply][ply] = m;
  if (ply + 1 >= MAX_PLY) {
    pv_length[ply] = ply + 1;
    return;
  }
  for (int j = ply + 1; j < pv_length[ply + 1]; ++j) pv_table[ply][j] = pv_table[ply + 1][j];
  pv_length[ply] = pv_length[ply + 1];
}

// Passes the turn and searches the reply with a null window around beta.
// Returns the score from this node's view.
int null_move_score(int depth, int beta, int ply) {
  const SavedPosition saved = save_position();
  std::uint64_t key = zobrist_key ^ zob_side;
  if (ep_sq != NO_SQUARE) key ^= zob_ep[ep_sq];
  ep_sq = NO_SQUARE;
  side ^= 1;
  zobrist_key = key;
  // A pass is a reversible half-move: it counts towards the fifty like any other,
  // which also keeps one clock step per key on the repetition stack.
  ++halfmove_clock;
  tt_prefetch(key);
  repetition_stack.push_back(key);

  const int reduction = 2 + depth / 4 + (active_mode() == Deep ? 1 : 0);
  const int score = -negamax(std::max(0, depth - 1 - reduction), -beta, -beta + 1, ply + 1, false);

  repetition_stack.pop_back();
  restore_position(saved);
  return score;
}

// Searches a move already made at the child, with the reduction, the null-window
// probe and the re-searches of a principal-variation search.
int search_child(const Move& m, int depth, int child_depth, int alpha, int beta, int ply, int moves_searched,
                 bool in_check, StyleTag tag, const NodeParams& params, bool shared) {
  if (moves_searched == 0) return -negamax(child_depth, -beta, -alpha, ply + 1, true);

  const bool reducible = moves_searched >= params.full_depth_moves && depth >= params.reduction_min_depth &&
                         !m.capture && m.promoted == NO_PIECE && !in_check && tag == StyleTag::None &&
                         !king_attacked(side);
  if (reducible) {
    // The reduction grows for late moves and when the side to reply plays Deep.
    // Another thread in the same node: this one leaves its late moves to it sooner.
    int reduction = 1 + (moves_searched >= params.late_move_index ? 1 : 0) + (active_mode() == Deep ? 1 : 0) +
                    (shared ? 1 : 0);
    int score = -negamax(std::max(0, depth - 1 - reduction), -alpha - 1, -alpha, ply + 1, true);
    if (score > alpha) score = -negamax(depth - 1, -beta, -alpha, ply + 1, true);
    return score;
  }

  int score = -negamax(child_depth, -alpha - 1, -alpha, ply + 1, true);
  if (score > alpha && score < beta) score = -negamax(child_depth, -beta, -alpha, ply + 1, true);
  return score;
}

}  // namespace

int negamax(int depth, int alpha, int beta, int ply, bool allow_null) {
  // Step 1. Count the node. Beyond the per-ply tables the line ends here.
  ++nodes_searched;
  if (ply >= MAX_PLY) return is_dead_position() ? 0 : evaluate();
  pv_length[ply] = ply;

  // Step 2. Stop request or spent budget.
  if (search_stopped()) return alpha;

  // Step 3. Draws below the root: any earlier occurrence of the position, a position
  // in which neither side can mate, and fifty moves without a capture or pawn move
  // (unless the last of them mated).
  if (ply > 0) {
    if (is_repetition() || is_dead_position()) return 0;
    if (halfmove_clock >= FIFTY_MOVE_PLIES) return is_checkmate() ? ply - MATE_VALUE : 0;
  }

  // Step 4. Table cut-off (never at the root) and hash move.
  const TTProbe probe = tt_probe(zobrist_key, depth, alpha, beta, ply);
  if (probe.cut) return probe.score;

  // Step 5. The horizon: resolve captures.
  if (depth == 0) return quiescence(alpha, beta, ply, 0);

  // Step 6. What the node's rules depend on: check, and the mover's style. Another
  // thread searching the same node is noted, so that this one can share the work.
  const BreadcrumbHold crumb(zobrist_key, ply);
  const int mover = side;
  const bool in_check = king_attacked(mover);
  const SearchMode mover_mode = active_mode();
  const NodeParams params = node_params(mover_mode);

  // Step 7. Null move: if passing still fails high, so will a real move.
  if (params.null_move && allow_null && !in_check && depth >= params.null_min_depth && ply > 0 &&
      has_non_pawn_material(mover)) {
    const int score = null_move_score(depth, beta, ply);
    if (search_stopped()) return alpha;
    if (score >= beta) return beta;
  }

  // Steps 8 to 10. Generate and order; no moves at all is mate or stalemate.
  MoveList list;
  generate_moves(list);
  if (list.moves.empty()) return in_check ? ply - MATE_VALUE : 0;
  OrderKeys order;
  score_moves(list, ply, probe.hit ? &probe.move : nullptr, order);

  // Step 11. The window as it came in, to tell an exact score from a bound.
  const int entry_alpha = alpha;
  int best_score = -SCORE_INFINITY;
  Move best_move = empty_move();
  int moves_searched = 0;
  bool any_legal = false;

  // Step 12. The moves in order. Each move's table slot starts loading while the
  // move before it is searched, so that the child's probe seldom waits for memory.
  std::size_t next = order.pick(0);
  tt_prefetch(key_after_move(list.moves[next]));
  for (std::size_t i = 0; i < order.count; ++i) {
    const Move& m = list.moves[next];
    if (i + 1 < order.count) {
      next = order.pick(i + 1);
      tt_prefetch(key_after_move(list.moves[next]));
    }
    // A root limited to some moves ("searchmoves", further lines) skips the others.
    if (ply == 0 && root_moves_filtered && !root_move_allowed(m)) continue;
    const StyleTag tag = style_tag(m, mover_mode);

    const SavedPosition saved = save_position();
    if (!make_move(m)) {
      restore_position(saved);
      continue;
    }
    any_legal = true;
    repetition_stack.push_back(zobrist_key);

    const int check_extension =
        params.check_extension && in_check && ply <= MAX_EXTENSION_PLY && style_extends(mover) ? 1 : 0;
    const int child_depth = depth - 1 + check_extension + style_extension(m, tag, mover, ply);
    const int score = search_child(m, depth, child_depth, alpha, beta, ply, moves_searched, in_check, tag, params,
                                   crumb.shared());

    repetition_stack.pop_back();
    restore_position(saved);
    if (search_stopped()) return alpha;

    if (score > best_score) {
      best_score = score;
      best_move = m;
    }
    if (score > alpha) {
      update_pv(ply, m);
      if (!m.capture) update_history(m, depth);
      alpha = score;
    }
    if (alpha >= beta) {
      if (!m.capture) update_killers(m, ply);
      break;
    }
    ++moves_searched;
  }

  // Step 13. Moves were generated but none was legal.
  // (A cut-off on the first legal move leaves moves_searched at 0, so legality is
  // tracked separately; otherwise such a node would be scored as mate or stalemate.)
  if (!any_legal) return in_check ? ply - MATE_VALUE : 0;

  // Step 14. Remember the result; a root searched over some of its moves only
  // would leave a wrong move and score for later searches of the whole position.
  const int flag = best_score <= entry_alpha ? TT_UPPER : best_score >= beta ? TT_LOWER : TT_EXACT;
  if (ply > 0 || !root_moves_filtered) tt_store(zobrist_key, depth, best_score, flag, best_move, ply);
  return best_score;
}
