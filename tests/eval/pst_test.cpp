#include <gtest/gtest.h>

#include <numeric>

#include "eval/pst.h"

// Squares by name keep the pinned entries readable.
constexpr int sq(char file, int rank) { return (rank - 1) * 8 + (file - 'a'); }

TEST(PieceSquareTables, QueenMiddlegameIsStoredAsGivenNotMirrored) {
  EXPECT_EQ(pst_queen_mg[sq('c', 2)], 5);
  EXPECT_EQ(pst_queen_mg[sq('f', 2)], 0);
  EXPECT_EQ(pst_queen_mg[sq('b', 3)], 5);
  EXPECT_EQ(pst_queen_mg[sq('g', 3)], 0);
  EXPECT_EQ(pst_queen_mg[sq('a', 4)], 0);
  EXPECT_EQ(pst_queen_mg[sq('h', 4)], -5);
}

TEST(PieceSquareTables, KnightEndgameHasItsOutpostsOnTheSeventhRank) {
  EXPECT_EQ(pst_knight_mg[sq('d', 2)], 5);
  EXPECT_EQ(pst_knight_mg[sq('d', 7)], 0);
  EXPECT_EQ(pst_knight_eg[sq('d', 7)], 5);
  EXPECT_EQ(pst_knight_eg[sq('e', 2)], 0);
  EXPECT_EQ(pst_knight_eg[sq('g', 3)], 0);
  EXPECT_EQ(pst_knight_eg[sq('g', 4)], 5);
  EXPECT_EQ(pst_knight_mg[sq('g', 3)], 5);
}

TEST(PieceSquareTables, HSideMirrorsTheASide) {
  EXPECT_EQ(pst_pawn_mg[sq('e', 2)], -20);
  EXPECT_EQ(pst_pawn_mg[sq('h', 2)], 5);
  EXPECT_EQ(pst_pawn_mg[sq('f', 3)], -10);
  EXPECT_EQ(pst_pawn_mg[sq('h', 7)], 50);
  EXPECT_EQ(pst_king_mg[sq('g', 1)], 30);
  EXPECT_EQ(pst_king_mg[sq('h', 1)], 20);
  EXPECT_EQ(pst_king_eg[sq('e', 4)], 40);
  EXPECT_EQ(pst_king_eg[sq('g', 8)], -40);
  EXPECT_EQ(pst_king_eg[sq('h', 8)], -50);
  EXPECT_EQ(pst_rook_mg[sq('e', 1)], 5);
  EXPECT_EQ(pst_queen_eg[sq('f', 3)], 5);
  for (int file = 0; file < 8; ++file) EXPECT_EQ(pst_rook_eg[48 + file], 5);
  EXPECT_EQ(std::accumulate(pst_rook_eg.begin(), pst_rook_eg.end(), 0), 40);
}

TEST(PieceSquareTables, TypeIndexedPointersAndMaterial) {
  const SquareTable* mg[6] = {&pst_pawn_mg, &pst_knight_mg, &pst_bishop_mg,
                              &pst_rook_mg, &pst_queen_mg,  &pst_king_mg};
  const SquareTable* eg[6] = {&pst_pawn_eg, &pst_knight_eg, &pst_bishop_eg,
                              &pst_rook_eg, &pst_queen_eg,  &pst_king_eg};
  for (int type = 0; type < 6; ++type) {
    EXPECT_EQ(pst_mg[type], mg[type]->data()) << type;
    EXPECT_EQ(pst_eg[type], eg[type]->data()) << type;
    EXPECT_EQ(piece_score[type], -piece_score[type + 6]);
  }
  EXPECT_EQ(piece_score[1], 320);
  EXPECT_EQ(piece_score[5], 20000);
}

// The per-piece tables the position sums: material plus square, Black mirrored and negated.
TEST(PieceSquareTables, CombinedTablesBlackMirroredAndNegated) {
  EXPECT_EQ(psq_mg_table[P][sq('e', 2)], 100 - 20);
  EXPECT_EQ(psq_mg_table[p][sq('e', 7)], -(100 - 20));
  EXPECT_EQ(psq_eg_table[p][sq('a', 2)], -(100 + 90));
  EXPECT_EQ(psq_mg_table[q][sq('a', 5)], -900);  // a5 mirrors to a4 of the asymmetric table
  EXPECT_EQ(psq_mg_table[Q][sq('a', 5)], 900 - 5);
  EXPECT_EQ(psq_eg_table[K][sq('e', 4)] + psq_eg_table[k][sq('e', 5)], 0);
  for (int piece = 0; piece < 6; ++piece)
    for (int square = 0; square < 64; ++square) {
      EXPECT_EQ(psq_mg_table[piece][square], -psq_mg_table[piece + 6][square ^ 56]);
      EXPECT_EQ(psq_eg_table[piece][square], piece_score[piece] + pst_eg[piece][square]);
    }
}
