#include "eval/endgame.h"

#include <algorithm>
#include <cstdlib>

#include "board/attacks.h"
#include "board/position.h"
#include "eval/passed_pawns.h"

namespace {

int king_distance(int a, int b) {
  return std::max(std::abs(file_of(a) - file_of(b)), std::abs(rank_of(a) - rank_of(b)));
}

// Manhattan distance from d4, so the measure is not symmetric between the colours.
int centre_distance(int square) {
  return std::abs(file_of(square) - 3) + std::abs(rank_of(square) - 3);
}

}  // namespace

int pawn_ending_score(int colour) {
  Bitboard pawns = bitboards[colour == WHITE ? P : p];
  if (!pawns) return 0;
  Bitboard own_king = bitboards[colour == WHITE ? K : k];
  Bitboard enemy_king = bitboards[colour == WHITE ? k : K];
  Bitboard enemy_pawns = bitboards[colour == WHITE ? p : P];
  // A missing king contributes nothing: the terms that measure from it are skipped.
  int own_square = own_king ? lsb(own_king) : NO_SQUARE;
  int enemy_square = enemy_king ? lsb(enemy_king) : NO_SQUARE;

  int score = 0;
  int file_sum = 0;
  int rank_sum = 0;
  int count = 0;
  for (Bitboard set = pawns; set;) {
    int square = pop_lsb(set);
    int file = file_of(square);
    int rank = rank_of(square);
    file_sum += file;
    rank_sum += rank;
    ++count;
    if (passed_pawn_mask[colour][square] & enemy_pawns) continue;

    int promotion = colour == WHITE ? 56 + file : file;
    int steps = colour == WHITE ? 7 - rank : rank;
    if (enemy_square != NO_SQUARE) {
      int enemy_distance = king_distance(enemy_square, promotion);
      if (steps < enemy_distance) score += 60 + 30 * (enemy_distance - steps);
    }
    if (own_square != NO_SQUARE && king_distance(own_square, promotion) <= steps) score += 20;
  }

  if (own_square != NO_SQUARE) {
    int centre = file_sum / count + 8 * (rank_sum / count);
    int distance = king_distance(own_square, centre);
    if (distance <= 5) score += 4 * (6 - distance);
  }
  return score;
}

int major_piece_ending_score(int colour) {
  int base = colour == WHITE ? 0 : 6;
  int enemy = colour == WHITE ? 6 : 0;
  Bitboard rooks = bitboards[base + R];
  Bitboard queens = bitboards[base + Q];
  Bitboard own_pawns = bitboards[base + P];

  int score = 15 * (popcount(rooks) - popcount(bitboards[enemy + R])) +
              25 * (popcount(queens) - popcount(bitboards[enemy + Q]));

  int seventh_rank = colour == WHITE ? 6 : 1;
  for (Bitboard set = rooks; set;) {
    int square = pop_lsb(set);
    if (!(own_pawns & (FILE_A << file_of(square)))) score += 12;
    if (rank_of(square) == seventh_rank) score += 10;
  }

  // Only the queen on the lowest square is rated.
  if (queens) {
    int square = lsb(queens);
    int mobility = popcount(queen_attacks(square, occupancies[2]) & ~occupancies[colour]);
    score += 2 * std::min(mobility, 12) + 14 - centre_distance(square);
  }

  score -= 8 * popcount(bitboards[base + N]) + 8 * popcount(bitboards[base + B]);
  return score;
}

int minor_piece_ending_score(int colour) {
  int base = colour == WHITE ? 0 : 6;
  int enemy = colour == WHITE ? 6 : 0;
  Bitboard bishops = bitboards[base + B];
  Bitboard knights = bitboards[base + N];

  int score = 14 * (popcount(bishops) - popcount(bitboards[enemy + B])) +
              12 * (popcount(knights) - popcount(bitboards[enemy + N]));
  if (popcount(bishops) >= 2) score += 25;

  for (Bitboard set = bishops; set;) {
    int square = pop_lsb(set);
    int mobility = popcount(bishop_attacks(square, occupancies[2]) & ~occupancies[colour]);
    score += std::min(mobility, 8);
  }
  for (Bitboard set = knights; set;) score += 6 - centre_distance(pop_lsb(set));

  score -= 20 * popcount(bitboards[base + R]) + 35 * popcount(bitboards[base + Q]);
  return score;
}
