#include <algorithm>
#include <cstdlib>

#include "board/attacks.h"
#include "board/legal.h"
#include "board/position.h"
#include "eval/endgame.h"
#include "eval/king_safety.h"
#include "eval/passed_pawns.h"
#include "search/negamax.h"
#include "search/ordering.h"
#include "search/quiescence.h"
#include "search/search_state.h"
#include "search/timeman.h"
#include "style/style_strength.h"
#include "style/tactical.h"
#include "style/tactical_candidates.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int KING_ATTACK_CHECK_BONUS = 100;
constexpr int PROVOCATION_OFFER_BONUS = 40;
constexpr int ENDING_TRADE_BONUS = 80;

// The raw style measurements of one candidate; only the term mode's one is filled.
struct StyleTerms {
  int pressure = 0;
  int passed = 0;
  int storm = 0;
  int bait = 0;
  int offer = 0;  // Provocation: what taking the moved piece wins the opponent, when it wins something
  int ending = 0;
  bool check = false;
  bool trade = false;  // ending styles: takes, or offers to trade, a piece the style wants gone
};

bool any_of_pieces(std::initializer_list<int> codes) {
  for (int code : codes) {
    if (bitboards[code]) return true;
  }
  return false;
}

int captured_piece(const Move& m, int root_side) {
  if (m.en_passant) return root_side == WHITE ? p : P;
  if (m.capture) return piece_on(m.to);
  return NO_PIECE;
}

// How much better the mover stands if the opponent takes the offered piece than
// after the opponent's best reply. Called in the position after the candidate; offer
// gets the static exchange the opponent would win by taking.
int provocation_bait(const Move& candidate, int d, int ng, int& offer) {
  if (!is_square_attacked(candidate.to, side)) return 0;
  Move capture;
  if (!least_attacker_capture(candidate.to, capture)) return 0;
  const int see = static_exchange_eval(capture);
  if (see < 0) return 0;
  offer = see;
  const SavedPosition after_candidate = save_position();
  if (!make_move(capture)) {
    restore_position(after_candidate);
    return 0;
  }
  repetition_stack.push_back(zobrist_key);
  const int taken = negamax(d, -SCORE_INFINITY, SCORE_INFINITY, 2, true);
  repetition_stack.pop_back();
  restore_position(after_candidate);
  const int gain = taken + ng;
  if (gain <= 20) return 0;
  const int v = mvv_lva_value[candidate.promoted != NO_PIECE ? candidate.promoted : candidate.piece];
  return std::min(gain, 600) / 2 + see / 2 + v / 8 + 40;
}

// The ending terms reward captures that steer toward the mode's kind of ending.
int ending_term(SearchMode mode, int mover, int captured) {
  const int opponent = mover ^ 1;
  const int captured_type = captured == NO_PIECE ? -1 : captured % 6;
  if (mode == PawnEnding) {
    if (any_of_pieces({N, B, R, Q, n, b, r, q})) return 0;
    return 150 + std::max(0, pawn_ending_score(mover) - pawn_ending_score(opponent));
  }
  if (mode == MajorPieceEnding) {
    const int diff = major_piece_ending_score(mover) - major_piece_ending_score(opponent);
    if (!any_of_pieces({N, B, n, b})) return std::max(0, diff) + 150;
    if (captured_type == 1 || captured_type == 2) return std::max(0, diff) / 2 + 80;
    return 0;
  }
  if (mode == MinorPieceEnding) {
    const int diff = minor_piece_ending_score(mover) - minor_piece_ending_score(opponent);
    if (!any_of_pieces({R, Q, r, q})) return std::max(0, diff) + 150;
    if (captured_type == 3 || captured_type == 4) return std::max(0, diff) / 2 + 80;
    return 0;
  }
  return 0;
}

// Measured in the position after the candidate, by the mode of the side now to move;
// trade_taken tells whether a capture was a trade that mode wants (read before the move).
StyleTerms style_terms(const Move& m, int mover, int captured, bool gives_check, bool trade_taken, int d, int ng) {
  StyleTerms terms;
  const SearchMode term_mode = mode_of(side);
  switch (term_mode) {
    case KingAttack:
      terms.pressure = king_zone_pressure(side);
      terms.check = gives_check;
      break;
    case PassedPawn: {
      int mg = 0, eg = 0;
      passed_pawn_terms(mover, mg, eg);
      terms.passed = mg + eg;
      break;
    }
    case PawnStorm:
      terms.storm = pawn_storm_score(mover);
      break;
    case Provocation:
      terms.bait = provocation_bait(m, d, ng, terms.offer);
      break;
    case PawnEnding:
    case MajorPieceEnding:
    case MinorPieceEnding:
      if (m.capture) terms.ending = ending_term(term_mode, mover, captured);
      terms.trade = m.capture ? trade_taken : offers_trade(m, term_mode);
      break;
    default:
      break;
  }
  return terms;
}

// The bonus is read by the root mover's mode, which may differ from the term mode.
int style_bonus(SearchMode bonus_mode, const StyleTerms& terms) {
  switch (bonus_mode) {
    case KingAttack:
      return 3 * std::min(terms.pressure, 30);
    case PassedPawn:
      return std::min(terms.passed, 200) / 4;
    case PawnStorm:
      return std::min(terms.storm, 300) / 5;
    case Provocation:
      return std::min(terms.bait, 500);
    case PawnEnding:
    case MajorPieceEnding:
    case MinorPieceEnding:
      return std::min(terms.ending, 400);
    default:
      return 0;
  }
}

// What a style adds above strength 100, per 100 points beyond it: KingAttack wants the
// check itself, Provocation any piece left en prise that the search still finds sound
// (within the threshold), not only the traps its own bonus rewards, and the ending
// styles every trade, taken or offered, of the pieces they want gone.
int steering_bonus(SearchMode bonus_mode, const StyleTerms& terms) {
  switch (bonus_mode) {
    case KingAttack:
      return terms.check ? KING_ATTACK_CHECK_BONUS : 0;
    case Provocation:
      return terms.offer > 0 ? PROVOCATION_OFFER_BONUS + std::min(terms.offer, 300) / 2 : 0;
    case PawnEnding:
    case MajorPieceEnding:
    case MinorPieceEnding:
      return terms.trade ? ENDING_TRADE_BONUS : 0;
    default:
      return 0;
  }
}

}  // namespace

std::vector<TacticalCandidate> score_tactical_candidates(const std::vector<Move>& candidates, int d,
                                                         Clock::time_point scoring_start, bool clocked) {
  std::vector<TacticalCandidate> records;
  const int mover = side;
  const SearchMode bonus_mode = mode_of(mover);
  const std::int64_t nodes_at_start = nodes_searched;
  for (const Move& m : candidates) {
    if (stop_search.load() ||
        tactical_scoring_cap_reached(clocked, scoring_start, Clock::now(), nodes_searched - nodes_at_start))
      break;
    const int captured = captured_piece(m, mover);
    const bool steered = steered_candidate(m, bonus_mode);
    const bool trade_taken = m.capture && trade_capture(m, mode_of(mover ^ 1));

    const SavedPosition root = save_position();
    if (!make_move(m)) {
      restore_position(root);
      continue;
    }
    repetition_stack.push_back(zobrist_key);
    const int qs = quiescence(-SCORE_INFINITY, SCORE_INFINITY, 1, 0);
    const int ng = negamax(d, -SCORE_INFINITY, SCORE_INFINITY, 1, true);
    std::vector<Move> line = {m};
    line.insert(line.end(), pv_table[1] + 1, pv_table[1] + std::max(1, pv_length[1]));
    repetition_stack.pop_back();
    const bool gives_check = king_attacked(side);
    const StyleTerms terms = style_terms(m, mover, captured, gives_check, trade_taken, d, ng);
    restore_position(root);

    if (stop_search.load() || time_expired()) break;

    const int see_gain = m.capture ? std::max(0, static_exchange_eval(m)) : 0;
    int tactical_score = std::min(std::abs(ng - qs), 400) / 4 + see_gain;
    if (gives_check) tactical_score += 60;
    if (m.promoted != NO_PIECE) tactical_score += 120;
    const int strength = style_strength_of(mover);
    const int bonus = style_bonus(bonus_mode, terms);
    tactical_score += at_strength(bonus, strength);
    int slack = 0;
    if (strength > STYLE_STRENGTH_DEFAULT) {
      const int steering = steering_bonus(bonus_mode, terms);
      tactical_score += at_strength(steering, strength - STYLE_STRENGTH_DEFAULT);
      // The style's own moves may cost as much more as the strength goes beyond 100.
      if (steered) slack = at_strength(tactic_threshold_cp, strength - STYLE_STRENGTH_DEFAULT);
    }
    records.push_back({m, -ng, tactical_score, std::move(line), slack});
  }
  return records;
}
