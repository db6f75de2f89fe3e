#include "board/draw.h"

#include "board/legal.h"
#include "board/position.h"

namespace {
constexpr Bitboard DARK_SQUARES = 0xAA55AA55AA55AA55ULL;
}

bool is_dead_material() {
  if (bitboards[P] | bitboards[p] | bitboards[R] | bitboards[r] | bitboards[Q] | bitboards[q]) return false;
  const Bitboard white_minors = bitboards[N] | bitboards[B];
  const Bitboard black_minors = bitboards[n] | bitboards[b];
  const int minors = popcount(white_minors) + popcount(black_minors);
  if (minors <= 1) return true;
  // Bishops that all run on one colour of squares can never build a mating net.
  if (minors == 2 && popcount(bitboards[B]) == 1 && popcount(bitboards[b]) == 1) {
    const bool white_dark = (bitboards[B] & DARK_SQUARES) != 0;
    const bool black_dark = (bitboards[b] & DARK_SQUARES) != 0;
    return white_dark == black_dark;
  }
  return false;
}

bool has_mating_material(int colour) {
  const int first = colour == WHITE ? P : p;
  if (bitboards[first] | bitboards[first + R] | bitboards[first + Q]) return true;
  return popcount(bitboards[first + N] | bitboards[first + B]) >= 2;
}

bool is_checkmate() { return king_attacked(side) && !has_legal_move(); }
