#include "eval/evaluate.h"

#include <algorithm>

#include "board/position.h"
#include "eval/endgame.h"
#include "eval/king_safety.h"
#include "eval/passed_pawns.h"
#include "style/search_mode.h"
#include "style/style_strength.h"
#include "style/trade_drive.h"

int game_phase() {
  int phase = 0;
  for (int type = N; type <= Q; ++type) phase += phase_units(type) * popcount(bitboards[type] | bitboards[type + 6]);
  return phase > 24 ? 24 : phase;
}

namespace {

// Centipawns per check that could be given next move, per 100 of strength above the default.
constexpr int CHECK_THREAT_CP = 24;

// KingAttack's term: pressure on the enemy king's zone and, above the default strength,
// the checks it could give next, as White's value minus Black's.
int king_attack_term(int strength, int weight, bool with_checks) {
  const KingAttackCount white = king_attack_count(WHITE, with_checks);
  const KingAttackCount black = king_attack_count(BLACK, with_checks);
  int term = at_strength(king_safety_bonus(white.pressure) - king_safety_bonus(black.pressure), weight);
  if (with_checks)
    term += at_strength(CHECK_THREAT_CP * (white.checks - black.checks), strength - STYLE_STRENGTH_DEFAULT);
  return term;
}

// The one style term of the side to move's mode, as White's value minus Black's,
// weighted by that side's style strength.
void add_mode_term(int& sum_mg, int& sum_eg) {
  const int strength = style_strength_of(side);
  const int weight = term_strength(active_mode(), strength);
  if (active_mode() == KingAttack) {
    // Above its default KingAttack also wants the checks it could give next.
    const bool with_checks = strength > STYLE_STRENGTH_DEFAULT;
    if (with_checks || weight != 0) sum_mg += king_attack_term(strength, weight, with_checks);
    return;
  }
  // A term weighed at nothing is not worth its time at every node.
  if (weight == 0) return;
  int mg = 0, eg = 0;
  switch (active_mode()) {
    case PassedPawn: {
      int mg_white, eg_white, mg_black, eg_black;
      passed_pawn_terms(WHITE, mg_white, eg_white);
      passed_pawn_terms(BLACK, mg_black, eg_black);
      mg += mg_white - mg_black;
      eg += eg_white - eg_black;
      break;
    }
    case PawnStorm:
      mg += pawn_storm_score(WHITE) - pawn_storm_score(BLACK);
      break;
    case PawnEnding:
      eg += pawn_ending_score(WHITE) - pawn_ending_score(BLACK);
      break;
    case MajorPieceEnding:
      eg += major_piece_ending_score(WHITE) - major_piece_ending_score(BLACK);
      break;
    case MinorPieceEnding:
      eg += minor_piece_ending_score(WHITE) - minor_piece_ending_score(BLACK);
      break;
    default:
      return;
  }
  sum_mg += at_strength(mg, weight);
  sum_eg += at_strength(eg, weight);
}

}  // namespace

int evaluate() {
  // Material and squares come summed from the position; only the style term is computed here.
  int mg = psq_mg;
  int eg = psq_eg;

  add_mode_term(mg, eg);

  const int value = taper(mg, eg, game_phase());
  const int drive = trade_drive(steering_side == WHITE ? value : -value);
  return (side == WHITE ? value : -value) + (side == steering_side ? drive : -drive);
}
