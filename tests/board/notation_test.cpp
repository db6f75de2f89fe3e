#include <gtest/gtest.h>

#include "board/notation.h"
#include "board/position.h"
#include "board_test_env.h"

namespace {

TEST(Notation, Squares) {
  EXPECT_EQ(sq_to_str(0), "a1");
  EXPECT_EQ(sq_to_str(20), "e3");
  EXPECT_EQ(sq_to_str(63), "h8");
  EXPECT_EQ(parse_square("h8"), 63);
  EXPECT_EQ(parse_square("i0"), 0);  // not validated
  EXPECT_EQ(parse_square("e"), NO_SQUARE);
  EXPECT_EQ(parse_square(""), NO_SQUARE);
}

TEST(Notation, MoveText) {
  EXPECT_EQ(move_to_str(empty_move()), "0000");
  EXPECT_EQ(move_to_str(Move{52, 60, P, 0, N, 0, 0, 0}), "e7e8n");
  EXPECT_EQ(move_to_str(Move{9, 0, p, 1, q, 0, 0, 0}), "b2a1q");
  // A zero-filled record is a white pawn "promoting" to a pawn, not the empty move.
  EXPECT_EQ(move_to_str(Move{0, 0, 0, 0, 0, 0, 0, 0}), "a1a1p");
}

TEST(Notation, ParseMovesOfTheStartPosition) {
  init_board_tables();
  init_board_startpos();
  Move m = parse_uci_move("e2e4");
  EXPECT_EQ(m.from, 12);
  EXPECT_EQ(m.to, 28);
  EXPECT_EQ(m.double_push, 1);
  EXPECT_TRUE(is_empty_move(parse_uci_move("e1g1")));
  EXPECT_TRUE(is_empty_move(parse_uci_move("e2e4q")));
}

TEST(Notation, ShortTextsParseToTheEmptyMove) {
  init_board_tables();
  init_board_startpos();
  for (const char* text : {"", "e", "e2", "e2e"}) EXPECT_TRUE(is_empty_move(parse_uci_move(text))) << text;
  // "i0" reads as a1, like any unvalidated name; a1a3 is no move of the start position.
  EXPECT_TRUE(is_empty_move(parse_uci_move("i0a3")));
}

TEST(Notation, PromotionLetters) {
  init_board_tables();
  load_fen("8/4P3/8/8/8/8/8/k6K w - - 0 1");
  EXPECT_TRUE(is_empty_move(parse_uci_move("e7e8")));
  EXPECT_EQ(parse_uci_move("e7e8q").promoted, Q);
  EXPECT_EQ(parse_uci_move("e7e8n").promoted, N);
  EXPECT_EQ(parse_uci_move("e7e8b").promoted, B);
  EXPECT_EQ(parse_uci_move("e7e8r").promoted, R);
  EXPECT_EQ(parse_uci_move("e7e8x").promoted, Q);
  EXPECT_EQ(parse_uci_move("e7e8Q").promoted, Q);
  EXPECT_EQ(parse_uci_move("e7e8nq").promoted, N);
  load_fen("8/8/8/8/8/8/3p4/k6K b - - 0 1");
  EXPECT_EQ(parse_uci_move("d2d1n").promoted, n);
  EXPECT_EQ(parse_uci_move("d2d1z").promoted, q);
}

TEST(Notation, ParseCastling) {
  init_board_tables();
  load_fen(KIWIPETE);
  EXPECT_EQ(parse_uci_move("e1g1").castling, 1);
  EXPECT_EQ(parse_uci_move("e1c1").castling, 1);
  EXPECT_EQ(parse_uci_move("e1c1").to, 2);
}

}  // namespace
