#include "eval/evaluate.h"

#include "board/position.h"
#include "eval/endgame.h"
#include "eval/king_safety.h"
#include "eval/passed_pawns.h"
#include "eval/pst.h"
#include "style/search_mode.h"

int game_phase() {
  int phase = popcount(bitboards[N] | bitboards[n]) + popcount(bitboards[B] | bitboards[b]) +
              2 * popcount(bitboards[R] | bitboards[r]) + 4 * popcount(bitboards[Q] | bitboards[q]);
  return phase > 24 ? 24 : phase;
}

namespace {

// The one style term of the side to move's mode, as White's value minus Black's.
void add_mode_term(int& mg, int& eg) {
  switch (active_mode()) {
    case KingAttack:
      mg += king_safety_bonus(king_zone_pressure(BLACK)) - king_safety_bonus(king_zone_pressure(WHITE));
      break;
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
      break;
  }
}

}  // namespace

int evaluate() {
  int mg = 0;
  int eg = 0;

  for (int piece = P; piece <= K; ++piece) {
    const int* table_mg = pst_mg[piece];
    const int* table_eg = pst_eg[piece];
    for (Bitboard set = bitboards[piece]; set;) {
      int square = pop_lsb(set);
      mg += piece_score[piece] + table_mg[square];
      eg += piece_score[piece] + table_eg[square];
    }
  }
  // Black reads White's tables with the rank mirrored (a8 uses the a1 entry).
  for (int piece = p; piece <= k; ++piece) {
    const int* table_mg = pst_mg[piece - 6];
    const int* table_eg = pst_eg[piece - 6];
    for (Bitboard set = bitboards[piece]; set;) {
      int mirrored = pop_lsb(set) ^ 56;
      mg += piece_score[piece] - table_mg[mirrored];
      eg += piece_score[piece] - table_eg[mirrored];
    }
  }

  add_mode_term(mg, eg);

  int value = taper(mg, eg, game_phase());
  return side == WHITE ? value : -value;
}
