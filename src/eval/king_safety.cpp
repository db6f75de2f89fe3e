#include "eval/king_safety.h"

#include "board/attacks.h"
#include "board/position.h"

namespace {

// Every square colour's pawns attack, all pawns at once.
Bitboard pawn_attack_set(int colour) {
  const Bitboard pawns = bitboards[colour * 6 + P];
  if (colour == WHITE) return ((pawns & ~FILE_A) << 7) | ((pawns & ~FILE_H) << 9);
  return ((pawns & ~FILE_H) >> 7) | ((pawns & ~FILE_A) >> 9);
}

// The squares from which a pawn of colour attacks some square of the set.
Bitboard pawn_sources(int colour, Bitboard targets) {
  if (colour == WHITE) return ((targets & ~FILE_A) >> 9) | ((targets & ~FILE_H) >> 7);
  return ((targets & ~FILE_A) << 7) | ((targets & ~FILE_H) << 9);
}

}  // namespace

KingAttackCount king_attack_count(int attacker, bool with_checks) {
  KingAttackCount count;
  const int defender = attacker ^ 1;
  const Bitboard king = bitboards[defender * 6 + K];
  // A position without that king has nothing to attack.
  if (!king) return count;
  const int king_square = lsb(king);
  const Bitboard zone = king_attacks[king_square] | square_bb(king_square);
  const int base = attacker * 6;
  const Bitboard occupancy = occupancies[2];

  // Checks count only from squares that neither hold our own piece nor are guarded
  // by an enemy pawn. Without them every check set is empty and costs nothing.
  Bitboard knight_checks = 0, bishop_checks = 0, rook_checks = 0;
  if (with_checks) {
    const Bitboard open = ~occupancies[attacker] & ~pawn_attack_set(defender);
    knight_checks = knight_attacks[king_square] & open;
    bishop_checks = bishop_attacks(king_square, occupancy) & open;
    rook_checks = rook_attacks(king_square, occupancy) & open;
  }

  // Each piece's attacks are found once and serve both counts.
  int weight = 0, attackers = 0, checks = 0;
  const int pawn_attackers = popcount(bitboards[base + P] & pawn_sources(attacker, zone));
  weight += pawn_attackers;
  attackers += pawn_attackers;
  auto add = [&](Bitboard attacks, int piece_weight, Bitboard check_set) {
    if (attacks & zone) {
      weight += piece_weight;
      ++attackers;
    }
    checks += popcount(attacks & check_set);
  };
  for (Bitboard set = bitboards[base + N]; set;) add(knight_attacks[pop_lsb(set)], 2, knight_checks);
  for (Bitboard set = bitboards[base + B]; set;) add(bishop_attacks(pop_lsb(set), occupancy), 2, bishop_checks);
  for (Bitboard set = bitboards[base + R]; set;) add(rook_attacks(pop_lsb(set), occupancy), 3, rook_checks);
  for (Bitboard set = bitboards[base + Q]; set;)
    add(queen_attacks(pop_lsb(set), occupancy), 5, bishop_checks | rook_checks);

  count.pressure = attackers < 2 ? weight : weight + 2 * attackers;
  count.checks = checks;
  return count;
}

int king_zone_pressure(int colour) { return king_attack_count(colour ^ 1, false).pressure; }

int check_threats(int colour) { return king_attack_count(colour, true).checks; }

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
