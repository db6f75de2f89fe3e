#include "eval/passed_pawns.h"

#include "board/position.h"

Bitboard passed_pawn_mask[2][64];

void init_passed_pawn_masks() {
  for (int square = 0; square < 64; ++square) {
    int file = file_of(square);
    int rank = rank_of(square);
    Bitboard white_span = 0;
    Bitboard black_span = 0;
    for (int f = file > 0 ? file - 1 : 0; f <= (file < 7 ? file + 1 : 7); ++f) {
      for (int rr = rank + 1; rr < 8; ++rr) white_span |= square_bb(rr * 8 + f);
      for (int rr = rank - 1; rr >= 0; --rr) black_span |= square_bb(rr * 8 + f);
    }
    passed_pawn_mask[WHITE][square] = white_span;
    passed_pawn_mask[BLACK][square] = black_span;
  }
}

void passed_pawn_terms(int colour, int& mg, int& eg) {
  mg = 0;
  eg = 0;
  Bitboard enemy_pawns = bitboards[colour == WHITE ? p : P];
  int count = 0;
  unsigned files = 0;  // bit f set when file f holds a passer

  for (Bitboard set = bitboards[colour == WHITE ? P : p]; set;) {
    int square = pop_lsb(set);
    if (passed_pawn_mask[colour][square] & enemy_pawns) continue;
    int q = colour == WHITE ? rank_of(square) : 7 - rank_of(square);
    mg += PASSED_PAWN_MG[q];
    eg += PASSED_PAWN_EG[q];
    ++count;
    files |= 1u << file_of(square);
  }

  // Each pair of neighbouring files that both hold a passer is a connected pair.
  int connected_pairs = popcount(files & (files >> 1));
  mg += 30 * connected_pairs;
  eg += 60 * connected_pairs;

  if (count > 1) {
    mg += 20 * (count - 1);
    eg += 40 * (count - 1);
  }
}
