#include "eval/endgame.h"
#include "eval_fixture.h"

TEST_F(EvalTest, PawnEndingScore) {
  // Unstoppable a-pawn (60 + 30 x 5) plus the pawn-mass bonus 4; no escort.
  load("8/8/P7/8/8/8/8/4K2k w - - 0 1");
  EXPECT_EQ(pawn_ending_score(WHITE), 214);
  EXPECT_EQ(pawn_ending_score(BLACK), 0);
  load("8/8/P7/8/8/8/8/4K2k b - - 0 1");
  EXPECT_EQ(pawn_ending_score(WHITE), 214);
  // Escorted: king b7 is within the one step of a8, the enemy king is far: 60 + 30 x 5 + 20 + mass 4 x 5.
  load("8/1K6/P7/8/8/8/8/7k w - - 0 1");
  EXPECT_EQ(pawn_ending_score(WHITE), 60 + 150 + 20 + 20);
  // Many pawns on one side, none on the other.
  load("4k3/8/8/8/8/8/PPPPPPPP/4K3 w - - 0 1");
  EXPECT_EQ(pawn_ending_score(BLACK), 0);
}

TEST_F(EvalTest, MajorPieceEndingScore) {
  load(START_FEN);
  EXPECT_EQ(major_piece_ending_score(WHITE), -21);
  EXPECT_EQ(major_piece_ending_score(BLACK), -22);
  // Queen h8: full mobility bonus 24, centralisation 14 - 8, one queen more 25.
  load("7Q/8/8/8/8/8/4k3/K7 w - - 0 1");
  EXPECT_EQ(major_piece_ending_score(WHITE), 55);
  EXPECT_EQ(major_piece_ending_score(BLACK), -25);
  // Rooks: open file 12, seventh rank 10, one rook more 15 x 2 - 15.
  load("4k3/R7/8/8/8/8/7P/4K2R w - - 0 1");
  EXPECT_EQ(major_piece_ending_score(WHITE), 30 + 12 + 10);
  load("4k3/8/8/8/8/8/r7/4K3 b - - 0 1");
  EXPECT_EQ(major_piece_ending_score(BLACK), 15 + 12 + 10);
}

TEST_F(EvalTest, MinorPieceEndingScore) {
  // Bishop pair against one bishop: 14 + 25 + mobility 7 + 7; Black 14 x -1 + 7.
  load("4kb2/8/8/8/8/8/8/2B1KB2 w - - 0 1");
  EXPECT_EQ(minor_piece_ending_score(WHITE), 53);
  EXPECT_EQ(minor_piece_ending_score(BLACK), -7);
  // A knight on h8: 12 for the extra knight, 6 - 8 for its corner.
  load("7N/8/8/8/8/8/4k3/K7 w - - 0 1");
  EXPECT_EQ(minor_piece_ending_score(WHITE), 10);
  // Heavy pieces count against the side that keeps them.
  load("4k3/8/8/8/8/8/8/3QK2R w - - 0 1");
  EXPECT_EQ(minor_piece_ending_score(WHITE), -55);
}

TEST_F(EvalTest, PawnEndingWithoutAKing) {
  // No Black king: the race term is skipped, the mass bonus (king e1 next to e2) remains.
  load("8/8/8/8/8/8/4P3/4K3 w - - 0 1");
  EXPECT_EQ(pawn_ending_score(WHITE), 20);
  // No White king: only the race against the Black king counts (steps 6 < distance 7 is false).
  load("k7/8/8/8/8/8/7P/8 w - - 0 1");
  EXPECT_EQ(pawn_ending_score(WHITE), 60 + 30 * (7 - 6));
}
