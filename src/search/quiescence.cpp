#include "search/quiescence.h"

#include "board/attacks.h"
#include "board/draw.h"
#include "board/legal.h"
#include "board/movegen.h"
#include "board/position.h"
#include "eval/evaluate.h"
#include "search/node_rules.h"
#include "search/ordering.h"
#include "search/search_state.h"
#include "style/search_mode.h"

namespace {

// Quiet candidates sort after every capture.
constexpr int QUIET_CANDIDATE_OFFSET = 1000000;

// How many quiescence plies may still try quiet checking moves, by the mover's style:
// Wide's shape, or KingAttack's extension while its strength keeps it.
int quiet_check_limit(SearchMode mode) {
  if (mode == Wide) return 2;
  if (mode == KingAttack && style_extends(side)) return 3;
  return 0;
}

}  // namespace

int quiescence(int alpha, int beta, int ply, int qdepth) {
  ++nodes_searched;
  if (search_stopped()) return alpha;

  // A quiet check can be the hundredth reversible half-move; in a position that
  // neither side can mate in, no capture changes the score either.
  if (halfmove_clock >= FIFTY_MOVE_PLIES) return is_checkmate() ? ply - MATE_VALUE : 0;
  if (is_dead_position()) return 0;

  // Stand pat: the side to move may decline every capture.
  int stand_pat = evaluate();
  if (stand_pat >= beta) return beta;
  if (stand_pat > alpha) alpha = stand_pat;

  const bool quiets_allowed = qdepth < quiet_check_limit(active_mode());
  const SearchMode order_mode = ordering_mode();
  // Only the captures and the quiet moves that may check are generated; they come in
  // the same relative order as in the full list, so the sort breaks ties the same way.
  const CheckSquares check_from = quiets_allowed ? check_squares() : CheckSquares{};
  MoveList list;
  if (check_from.king)
    generate_captures_and_quiets(list, check_from.targets);
  else
    generate_captures(list);
  OrderKeys candidates;
  candidates.reserve(list.moves.size());
  for (std::size_t i = 0; i < list.moves.size(); ++i) {
    const Move& m = list.moves[i];
    if (m.capture)
      candidates.add(score_move_in_mode(m, ply, nullptr, order_mode), i);
    // A quiet candidate is searched only when it gives check; one that cannot is left
    // out here rather than made and taken back below, which changes nothing else.
    else if (quiets_allowed && quiet_move_may_check(m, check_from))
      candidates.add(score_move_in_mode(m, ply, nullptr, order_mode) - QUIET_CANDIDATE_OFFSET, i);
  }

  for (std::size_t i = 0; i < candidates.count; ++i) {
    const Move& m = list.moves[candidates.pick(i)];
    const SavedPosition saved = save_position();
    if (!make_move(m)) {
      restore_position(saved);
      continue;
    }
    // A quiet candidate is searched only when it gives check.
    if (!m.capture && !king_attacked(side)) {
      restore_position(saved);
      continue;
    }
    repetition_stack.push_back(zobrist_key);
    int score = -quiescence(-beta, -alpha, ply + 1, qdepth + 1);
    repetition_stack.pop_back();
    restore_position(saved);

    if (search_stopped()) return alpha;
    if (score >= beta) return beta;
    if (score > alpha) alpha = score;
  }
  return alpha;
}
