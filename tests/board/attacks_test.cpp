#include <gtest/gtest.h>

#include <random>

#include "board/attacks.h"
#include "board/notation.h"
#include "board/position.h"
#include "board_test_env.h"

namespace {

Bitboard squares(std::initializer_list<const char*> names) {
  Bitboard set = 0;
  for (const char* name : names) set |= square_bb(parse_square(name));
  return set;
}

TEST(Attacks, LeaperTables) {
  init_board_tables();
  EXPECT_EQ(pawn_attacks[WHITE][parse_square("a2")], squares({"b3"}));
  EXPECT_EQ(pawn_attacks[WHITE][parse_square("h2")], squares({"g3"}));
  EXPECT_EQ(pawn_attacks[BLACK][parse_square("e7")], squares({"d6", "f6"}));
  for (int file = 0; file < 8; ++file) {
    EXPECT_EQ(pawn_attacks[WHITE][56 + file], 0u);
    EXPECT_EQ(pawn_attacks[BLACK][file], 0u);
  }
  EXPECT_EQ(popcount(king_attacks[0]), 3);
  EXPECT_EQ(popcount(king_attacks[63]), 3);
  EXPECT_EQ(popcount(king_attacks[parse_square("a4")]), 5);
  EXPECT_EQ(popcount(king_attacks[parse_square("e4")]), 8);
  EXPECT_EQ(knight_attacks[parse_square("g1")], squares({"e2", "f3", "h3"}));
  EXPECT_EQ(popcount(knight_attacks[parse_square("d4")]), 8);
  EXPECT_EQ(popcount(knight_attacks[0]), 2);
}

TEST(Attacks, MaskSizesMatchBitCounts) {
  init_board_tables();
  for (int sq = 0; sq < 64; ++sq) {
    EXPECT_EQ(popcount(rook_masks[sq]), rook_bits[sq]) << sq;
    EXPECT_EQ(popcount(bishop_masks[sq]), bishop_bits[sq]) << sq;
  }
}

TEST(Attacks, SlidersOnEmptyAndBlockedBoards) {
  init_board_tables();
  EXPECT_EQ(popcount(rook_attacks(0, 0)), 14);
  EXPECT_EQ(popcount(bishop_attacks(parse_square("d4"), 0)), 13);
  EXPECT_EQ(popcount(queen_attacks(parse_square("d4"), 0)), 27);
  Bitboard a4 = squares({"a4"});
  Bitboard file_part = rook_attacks(0, a4) & 0x0101010101010101ULL;
  EXPECT_EQ(file_part, squares({"a2", "a3", "a4"}));
  // Edge squares outside the mask never change the result.
  int d4 = parse_square("d4");
  EXPECT_EQ(rook_attacks(d4, squares({"d1", "d8", "a4", "h4"})), rook_attacks(d4, 0));
}

// The fixed magics must reproduce the slow ray scan for any occupancy, mask squares or not.
TEST(Attacks, MagicLookupsAgreeWithRayScans) {
  init_board_tables();
  std::mt19937_64 rng(7);
  for (int sq = 0; sq < 64; ++sq) {
    for (int i = 0; i < 300; ++i) {
      Bitboard occupancy = rng() & rng();
      ASSERT_EQ(rook_attacks(sq, occupancy), rook_attacks_slow(sq, occupancy)) << sq;
      ASSERT_EQ(bishop_attacks(sq, occupancy), bishop_attacks_slow(sq, occupancy)) << sq;
    }
  }
}

// is_square_attacked reads entry 0 of each block as the empty-board attack set.
TEST(Attacks, FirstTableEntryIsTheEmptyBoardSet) {
  init_board_tables();
  for (int sq = 0; sq < 64; ++sq) {
    EXPECT_EQ(rook_attack_table[sq][0], rook_attacks_slow(sq, 0)) << sq;
    EXPECT_EQ(bishop_attack_table[sq][0], bishop_attacks_slow(sq, 0)) << sq;
  }
}

TEST(Attacks, SquareAttackedInStartPosition) {
  init_board_tables();
  init_board_startpos();
  EXPECT_TRUE(is_square_attacked(parse_square("f3"), WHITE));
  EXPECT_FALSE(is_square_attacked(parse_square("f3"), BLACK));
  for (const char* name : {"e4", "e5"}) {
    EXPECT_FALSE(is_square_attacked(parse_square(name), WHITE)) << name;
    EXPECT_FALSE(is_square_attacked(parse_square(name), BLACK)) << name;
  }
  EXPECT_TRUE(is_square_attacked(parse_square("d6"), BLACK));
  EXPECT_TRUE(is_square_attacked(parse_square("f6"), BLACK));
}

TEST(Attacks, SquareAttackedBySlidersThroughBlockers) {
  init_board_tables();
  load_fen("4k3/8/8/8/1q6/8/3P4/4K2R w - - 0 1");
  EXPECT_TRUE(is_square_attacked(parse_square("b1"), BLACK));   // queen down the file
  EXPECT_FALSE(is_square_attacked(parse_square("e1"), BLACK));  // diagonal blocked by d2
  EXPECT_TRUE(is_square_attacked(parse_square("h8"), WHITE));   // rook up the h-file
  EXPECT_FALSE(is_square_attacked(NO_SQUARE, WHITE));
  EXPECT_FALSE(is_square_attacked(NO_SQUARE, BLACK));
}

}  // namespace
