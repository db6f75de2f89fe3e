#pragma once
// King-zone pressure and pawn storm: the two middlegame style terms.

// Centipawns for a king-zone attack weight; grows slowly at first, saturates at the end.
inline constexpr int KING_SAFETY_TABLE[64] = {
    0,   0,   1,   2,   3,   5,   7,   9,   12,  15,  18,  22,  26,  30,  35,  39,
    44,  50,  56,  62,  68,  75,  82,  85,  89,  97,  105, 113, 122, 131, 140, 150,
    169, 180, 191, 202, 213, 225, 237, 248, 260, 272, 283, 295, 307, 319, 330, 342,
    354, 366, 377, 389, 401, 412, 424, 436, 448, 459, 471, 483, 494, 500, 500, 500,
};

// Table value of an attack weight; weights past the end read the last entry.
constexpr int king_safety_bonus(int pressure) {
  return KING_SAFETY_TABLE[pressure < 63 ? pressure : 63];
}

// What attacker's pieces aim at the enemy king: the attack weight on its zone (uncapped,
// >= 0) and, when asked, the checks they could give next move.
struct KingAttackCount {
  int pressure = 0;
  int checks = 0;
};
KingAttackCount king_attack_count(int attacker, bool with_checks);

// Attack weight of colour's enemy against colour's king zone (uncapped, >= 0).
int king_zone_pressure(int colour);
// The checks colour's knights, bishops, rooks and queens could give next move, one per
// piece and square, from squares no enemy pawn guards.
int check_threats(int colour);
// Storm value of colour's pawns against the enemy king (>= 0).
int pawn_storm_score(int colour);
