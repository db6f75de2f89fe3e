#include <algorithm>
#include <cstdlib>

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
#include "style/bait.h"
#include "style/style_strength.h"
#include "style/tactical.h"
#include "style/tactical_candidates.h"

namespace {

using Clock = std::chrono::steady_clock;

// Provocation's steering adds half of what the piece it leaves en prise is worth, up to this.
constexpr int PROVOCATION_OFFER_CAP = 300;

// The style measurements of one candidate, by the term mode: its one measure, and the
// facts its own kind of move is read from.
struct StyleTerms {
  StyleMeasure measure = StyleMeasure::None;
  int value = 0;
  bool check = false;  // KingAttack: the candidate gives check
  int offer = 0;       // Provocation: what the opponent's best capture wins beyond what the move took, when it is bait
  bool trade = false;  // ending styles: takes, or offers to trade, a piece the style wants gone
};

bool any_of_kinds(PieceKinds kinds) {
  for (int type = N; type <= Q; ++type)
    if ((kinds & kind_bit(type)) && (bitboards[type] | bitboards[type + 6])) return true;
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
  const Bait bait = bait_offered(candidate, 0, BaitRule::MovedPiece);
  if (!bait.offered) return 0;
  const int see = bait.gain;
  offer = see;
  const SavedPosition after_candidate = save_position();
  if (!make_move(bait.capture)) {
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

// The ending style's own score of colour's position.
int ending_score(SearchMode mode, int colour) {
  switch (mode) {
    case PawnEnding: return pawn_ending_score(colour);
    case MajorPieceEnding: return major_piece_ending_score(colour);
    default: return minor_piece_ending_score(colour);
  }
}

// The ending terms reward captures that steer toward the mode's kind of ending: the
// ending reached, and for the piece endings a piece of the kind they want gone taken.
int ending_term(SearchMode mode, int mover, int captured) {
  const bool arrived = !any_of_kinds(style_entry(mode).wanted_gone);
  const bool on_the_way = mode != PawnEnding && captured != NO_PIECE && wanted_gone(mode, captured % 6);
  if (!arrived && !on_the_way) return 0;
  const int diff = std::max(0, ending_score(mode, mover) - ending_score(mode, mover ^ 1));
  return arrived ? diff + 150 : diff / 2 + 80;
}

// Measured in the position after the candidate, by the term mode;
// trade_taken tells whether a capture was a trade that mode wants (read before the move).
StyleTerms style_terms(const Move& m, int mover, int captured, int taken, bool gives_check, bool trade_taken, int d,
                       int ng) {
  StyleTerms terms;
  const SearchMode mode = term_mode(mover);
  terms.measure = style_entry(mode).bonus.measure;
  switch (mode) {
    case KingAttack:
      terms.value = king_zone_pressure(side);
      terms.check = gives_check;
      break;
    case PassedPawn: {
      int mg = 0, eg = 0;
      passed_pawn_terms(mover, mg, eg);
      terms.value = mg + eg;
      break;
    }
    case PawnStorm:
      terms.value = pawn_storm_score(mover);
      break;
    case Provocation:
      terms.value = provocation_bait(m, d, ng, terms.offer);
      // Only the steering above the default reads the wider offer: it costs a move generation.
      if (style_strength_of(mover) > STYLE_STRENGTH_DEFAULT) {
        const Bait exposed = bait_offered(m, taken, BaitRule::Exchange);
        if (exposed.offered) terms.offer = std::max(terms.offer, exposed.gain);
      }
      break;
    case PawnEnding:
    case MajorPieceEnding:
    case MinorPieceEnding:
      if (m.capture) terms.value = ending_term(mode, mover, captured);
      terms.trade = m.capture ? trade_taken : offers_trade(m, mode);
      break;
    default:
      break;
  }
  return terms;
}

// The bonus is read by the root mover's mode, which may differ from the term mode: it
// counts only a measure of its own kind.
int style_bonus(SearchMode mode, const StyleTerms& terms) {
  const StyleBonus& bonus = style_entry(mode).bonus;
  if (bonus.measure == StyleMeasure::None || bonus.measure != terms.measure) return 0;
  return std::min(terms.value, bonus.cap) * bonus.times / bonus.per;
}

// What a style adds above strength 100, per 100 points beyond it, for its own kind of
// move: KingAttack wants the check itself, Provocation any piece left en prise that the
// search still finds sound (within the threshold), not only the traps its own bonus
// rewards, the ending styles every trade, taken or offered, of the pieces they want gone,
// and the pawn styles their own push (own_push: the candidate is the mover's own kind of move).
int steering_bonus(SearchMode mode, const StyleTerms& terms, bool own_push) {
  const StyleEntry& style = style_entry(mode);
  switch (style.own_move) {
    case OwnMove::Check: return terms.check ? style.steering : 0;
    case OwnMove::Bait: return terms.offer > 0 ? style.steering + std::min(terms.offer, PROVOCATION_OFFER_CAP) / 2 : 0;
    case OwnMove::Trade: return terms.trade ? style.steering : 0;
    case OwnMove::PassedPush:
    case OwnMove::StormPush: return own_push ? style.steering : 0;
    default: return 0;
  }
}

}  // namespace

std::vector<TacticalCandidate> score_tactical_candidates(const std::vector<Move>& candidates, int d,
                                                         Clock::time_point scoring_start, bool clocked) {
  std::vector<TacticalCandidate> records;
  const int mover = side;
  const SearchMode bonus = bonus_mode(mover);
  const std::int64_t nodes_at_start = nodes_searched;
  for (const Move& m : candidates) {
    if (stop_search.load() ||
        tactical_scoring_cap_reached(clocked, scoring_start, Clock::now(), nodes_searched - nodes_at_start))
      break;
    const int captured = captured_piece(m, mover);
    const int taken = material_taken(m);
    const bool steered = steered_candidate(m, bonus);
    const bool trade_taken = m.capture && trade_capture(m, term_mode(mover));

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
    const StyleTerms terms = style_terms(m, mover, captured, taken, gives_check, trade_taken, d, ng);
    restore_position(root);

    if (stop_search.load() || time_expired()) break;

    const int see_gain = m.capture ? std::max(0, static_exchange_eval(m)) : 0;
    int tactical_score = std::min(std::abs(ng - qs), 400) / 4 + see_gain;
    if (gives_check) tactical_score += 60;
    if (m.promoted != NO_PIECE) tactical_score += 120;
    const int strength = style_strength_of(mover);
    const int style_part = at_strength(style_bonus(bonus, terms), strength);
    tactical_score += style_part;
    int slack = 0;
    if (strength > STYLE_STRENGTH_DEFAULT) {
      const int steering = steering_bonus(bonus, terms, steered);
      tactical_score += at_strength(steering, strength - STYLE_STRENGTH_DEFAULT);
      // The style's own moves may cost as much more as the strength goes beyond 100.
      if (steered) slack = at_strength(tactic_threshold_cp, strength - STYLE_STRENGTH_DEFAULT);
    }
    records.push_back({m, -ng, tactical_score, std::move(line), slack});
  }
  return records;
}

bool holds_up(const Move& m, int depth, int floor, std::int64_t max_nodes) {
  const SavedPosition root = save_position();
  if (!make_move(m)) {
    restore_position(root);
    return false;
  }
  repetition_stack.push_back(zobrist_key);
  cap_nodes_from_now(max_nodes);
  const int score = -negamax(depth, -floor, -floor + 1, 1, true);
  const bool cut_short = stop_search.load() || time_expired();
  drop_node_budget();
  repetition_stack.pop_back();
  restore_position(root);
  return !cut_short && score >= floor;
}
