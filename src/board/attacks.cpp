#include "board/attacks.h"


Bitboard pawn_attacks[2][64];
Bitboard knight_attacks[64];
Bitboard king_attacks[64];
Bitboard rook_masks[64];
Bitboard bishop_masks[64];
Bitboard rook_attack_table[64][4096];
Bitboard bishop_attack_table[64][512];

namespace {

// The square at the given rank and file offsets from sq, or none when it falls off the board.
Bitboard offset_bb(int sq, int dr, int df) {
  int r = rank_of(sq) + dr;
  int f = file_of(sq) + df;
  if (r < 0 || r > 7 || f < 0 || f > 7) return 0;
  return square_bb(r * 8 + f);
}

// Walks one ray from sq; `inner_only` keeps the ray off the board's last square (the masks).
Bitboard ray(int sq, int dr, int df, Bitboard occupancy, bool inner_only) {
  Bitboard result = 0;
  int r = rank_of(sq) + dr;
  int f = file_of(sq) + df;
  while (r >= 0 && r <= 7 && f >= 0 && f <= 7) {
    if (inner_only) {
      int nr = r + dr;
      int nf = f + df;
      if (nr < 0 || nr > 7 || nf < 0 || nf > 7) break;
    }
    result |= square_bb(r * 8 + f);
    if (occupancy & square_bb(r * 8 + f)) break;
    r += dr;
    f += df;
  }
  return result;
}

constexpr int ROOK_DIRS[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr int BISHOP_DIRS[4][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};

}  // namespace

void init_leapers() {
  for (int sq = 0; sq < 64; ++sq) {
    pawn_attacks[WHITE][sq] = offset_bb(sq, 1, -1) | offset_bb(sq, 1, 1);
    pawn_attacks[BLACK][sq] = offset_bb(sq, -1, -1) | offset_bb(sq, -1, 1);
    knight_attacks[sq] = 0;
    king_attacks[sq] = 0;
    for (int dr = -2; dr <= 2; ++dr) {
      for (int df = -2; df <= 2; ++df) {
        int size = (dr < 0 ? -dr : dr) + (df < 0 ? -df : df);
        if (size == 3) knight_attacks[sq] |= offset_bb(sq, dr, df);
        if ((dr || df) && dr >= -1 && dr <= 1 && df >= -1 && df <= 1) king_attacks[sq] |= offset_bb(sq, dr, df);
      }
    }
  }
}

Bitboard rook_mask(int square) {
  Bitboard m = 0;
  for (const auto& d : ROOK_DIRS) m |= ray(square, d[0], d[1], 0, true);
  return m;
}

Bitboard bishop_mask(int square) {
  Bitboard m = 0;
  for (const auto& d : BISHOP_DIRS) m |= ray(square, d[0], d[1], 0, true);
  return m;
}

Bitboard rook_attacks_slow(int square, Bitboard occupancy) {
  Bitboard a = 0;
  for (const auto& d : ROOK_DIRS) a |= ray(square, d[0], d[1], occupancy, false);
  return a;
}

Bitboard bishop_attacks_slow(int square, Bitboard occupancy) {
  Bitboard a = 0;
  for (const auto& d : BISHOP_DIRS) a |= ray(square, d[0], d[1], occupancy, false);
  return a;
}

Bitboard set_occupancy(int index, int bit_count, Bitboard mask) {
  Bitboard occupancy = 0;
  for (int k = 0; k < bit_count && mask; ++k) {
    int sq = pop_lsb(mask);
    if (index & (1 << k)) occupancy |= square_bb(sq);
  }
  return occupancy;
}

void init_magics() {
  for (int sq = 0; sq < 64; ++sq) {
    rook_masks[sq] = rook_mask(sq);
    bishop_masks[sq] = bishop_mask(sq);
    for (int i = 0; i < (1 << rook_bits[sq]); ++i) {
      Bitboard o = set_occupancy(i, rook_bits[sq], rook_masks[sq]);
      rook_attack_table[sq][(o * rook_magics[sq]) >> (64 - rook_bits[sq])] = rook_attacks_slow(sq, o);
    }
    for (int i = 0; i < (1 << bishop_bits[sq]); ++i) {
      Bitboard o = set_occupancy(i, bishop_bits[sq], bishop_masks[sq]);
      bishop_attack_table[sq][(o * bishop_magics[sq]) >> (64 - bishop_bits[sq])] = bishop_attacks_slow(sq, o);
    }
  }
}
