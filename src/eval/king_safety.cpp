#include "eval/king_safety.h"

#include "board/attacks.h"
#include "board/position.h"

int king_zone_pressure(int colour) {
  Bitboard king = bitboards[colour == WHITE ? K : k];
  // A position without this king has nothing to attack.
  if (!king) return 0;
  int king_square = lsb(king);
  Bitboard zone = king_attacks[king_square] | square_bb(king_square);

  int enemy = colour ^ 1;
  int base = enemy * 6;
  Bitboard occupancy = occupancies[2];
  int weight = 0;
  int attackers = 0;

  for (Bitboard set = bitboards[base + P]; set;) {
    if (pawn_attacks[enemy][pop_lsb(set)] & zone) {
      weight += 1;
      ++attackers;
    }
  }
  for (Bitboard set = bitboards[base + N]; set;) {
    if (knight_attacks[pop_lsb(set)] & zone) {
      weight += 2;
      ++attackers;
    }
  }
  for (Bitboard set = bitboards[base + B]; set;) {
    if (bishop_attacks(pop_lsb(set), occupancy) & zone) {
      weight += 2;
      ++attackers;
    }
  }
  for (Bitboard set = bitboards[base + R]; set;) {
    if (rook_attacks(pop_lsb(set), occupancy) & zone) {
      weight += 3;
      ++attackers;
    }
  }
  for (Bitboard set = bitboards[base + Q]; set;) {
    if (queen_attacks(pop_lsb(set), occupancy) & zone) {
      weight += 5;
      ++attackers;
    }
  }
  return attackers < 2 ? weight : weight + 2 * attackers;
}

int check_threats(int colour) {
  const int enemy = colour ^ 1;
  const Bitboard enemy_king = bitboards[enemy == WHITE ? K : k];
  if (!enemy_king) return 0;
  const int king_square = lsb(enemy_king);
  const int base = colour * 6;
  const Bitboard occupancy = occupancies[2];

  // Squares the enemy pawns guard are no place to check from.
  Bitboard guarded = 0;
  for (Bitboard set = bitboards[enemy * 6 + P]; set;) guarded |= pawn_attacks[enemy][pop_lsb(set)];
  const Bitboard open = ~occupancies[colour] & ~guarded;

  const Bitboard knight_checks = knight_attacks[king_square] & open;
  const Bitboard bishop_checks = bishop_attacks(king_square, occupancy) & open;
  const Bitboard rook_checks = rook_attacks(king_square, occupancy) & open;

  int threats = 0;
  for (Bitboard set = bitboards[base + N]; set;) threats += popcount(knight_attacks[pop_lsb(set)] & knight_checks);
  for (Bitboard set = bitboards[base + B]; set;)
    threats += popcount(bishop_attacks(pop_lsb(set), occupancy) & bishop_checks);
  for (Bitboard set = bitboards[base + R]; set;) threats += popcount(rook_attacks(pop_lsb(set), occupancy) & rook_checks);
  for (Bitboard set = bitboards[base + Q]; set;)
    threats += popcount(queen_attacks(pop_lsb(set), occupancy) & (bishop_checks | rook_checks));
  return threats;
}

int pawn_storm_score(int colour) {
  Bitboard enemy_king = bitboards[colour == WHITE ? k : K];
  // Without an enemy king there is nothing to storm.
  if (!enemy_king) return 0;
  int king_file = file_of(lsb(enemy_king));

  int score = 0;
  for (Bitboard set = bitboards[colour == WHITE ? P : p]; set;) {
    int square = pop_lsb(set);
    int file_gap = file_of(square) - king_file;
    if (file_gap < -1 || file_gap > 1) continue;
    int q = colour == WHITE ? rank_of(square) : 7 - rank_of(square);
    score += q * q * (file_gap == 0 ? 3 : 2);
  }
  return score;
}
