#pragma once
// Leaper tables and magic-bitboard slider look-ups. Filled once at start-up by
// init_leapers and init_magics, read-only afterwards (both threads, no locks).

#include "board/position.h"
#include "board/types.h"

extern Bitboard pawn_attacks[2][64];
extern Bitboard knight_attacks[64];
extern Bitboard king_attacks[64];
extern Bitboard rook_masks[64];
extern Bitboard bishop_masks[64];
extern Bitboard rook_attack_table[64][4096];
extern Bitboard bishop_attack_table[64][512];

extern const int rook_bits[64];
extern const int bishop_bits[64];
extern const std::uint64_t rook_magics[64];
extern const std::uint64_t bishop_magics[64];

void init_leapers();
void init_magics();

Bitboard rook_mask(int square);
Bitboard bishop_mask(int square);
Bitboard rook_attacks_slow(int square, Bitboard occupancy);
Bitboard bishop_attacks_slow(int square, Bitboard occupancy);
Bitboard set_occupancy(int index, int bit_count, Bitboard mask);

inline Bitboard bishop_attacks(int square, Bitboard occupancy) {
  occupancy &= bishop_masks[square];
  occupancy *= bishop_magics[square];
  return bishop_attack_table[square][occupancy >> (64 - bishop_bits[square])];
}

inline Bitboard rook_attacks(int square, Bitboard occupancy) {
  occupancy &= rook_masks[square];
  occupancy *= rook_magics[square];
  return rook_attack_table[square][occupancy >> (64 - rook_bits[square])];
}

inline Bitboard queen_attacks(int square, Bitboard occupancy) {
  return bishop_attacks(square, occupancy) | rook_attacks(square, occupancy);
}

// Whether any piece of by_side attacks square in the current position. Inline:
// every made move asks it once for the legality test.
inline bool is_square_attacked(int square, int by_side) {
  // Square 64 ("no square", e.g. the king of a side that has none) is never attacked.
  if (static_cast<unsigned>(square) >= 64) return false;
  const Bitboard* theirs = bitboards + (by_side == WHITE ? 0 : 6);
  if (pawn_attacks[by_side == WHITE ? BLACK : WHITE][square] & theirs[P]) return true;
  if (knight_attacks[square] & theirs[N]) return true;
  if (king_attacks[square] & theirs[K]) return true;
  // Queens are tested with the bishops and rooks: the answer is the same and each slider is looked up once.
  // Entry 0 of a table block is the empty-board attack set: sliders off the square's lines need no look-up.
  const Bitboard diagonal = (theirs[B] | theirs[Q]) & bishop_attack_table[square][0];
  if (diagonal && (bishop_attacks(square, occupancies[2]) & diagonal)) return true;
  const Bitboard straight = (theirs[R] | theirs[Q]) & rook_attack_table[square][0];
  return straight && (rook_attacks(square, occupancies[2]) & straight);
}
