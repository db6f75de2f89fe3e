#include <gtest/gtest.h>

#include "board/movegen.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "board_test_env.h"

namespace {

// Finds the move by its text and makes it; the test fails when the text names no move.
bool play(const char* text) {
  Move m = parse_uci_move(text);
  EXPECT_FALSE(is_empty_move(m)) << text;
  bool legal = make_move(m);
  EXPECT_EQ(zobrist_key, compute_zobrist()) << text;
  EXPECT_TRUE(psq_sums_match_board()) << text;
  return legal;
}

TEST(MakeMove, DoublePushSetsEnPassantSquare) {
  init_board_tables();
  init_board_startpos();
  ASSERT_TRUE(play("e2e4"));
  EXPECT_EQ(ep_sq, 20);
  EXPECT_EQ(castle, 15);
  EXPECT_EQ(side, BLACK);
  EXPECT_EQ(zobrist_key, 0xa71fb59d3721a832ULL);
  ASSERT_TRUE(play("g8f6"));
  EXPECT_EQ(ep_sq, NO_SQUARE);
}

TEST(MakeMove, CastlingMovesTheRookAndDropsRights) {
  init_board_tables();
  load_fen(KIWIPETE);
  ASSERT_TRUE(play("e1g1"));
  EXPECT_EQ(bitboards[K], square_bb(6));
  EXPECT_EQ(bitboards[R], square_bb(0) | square_bb(5));
  EXPECT_EQ(castle, 12);
  load_fen(KIWIPETE);
  ASSERT_TRUE(play("e1c1"));
  EXPECT_EQ(bitboards[K], square_bb(2));
  EXPECT_EQ(bitboards[R], square_bb(3) | square_bb(7));
  load_fen("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1");
  ASSERT_TRUE(play("e8c8"));
  EXPECT_EQ(bitboards[r], square_bb(59) | square_bb(63));
  EXPECT_EQ(castle, 3);
}

TEST(MakeMove, CapturingACornerRookRemovesThatRight) {
  init_board_tables();
  load_fen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
  ASSERT_TRUE(play("h1h8"));
  EXPECT_EQ(castle, 2 | 8);
  EXPECT_EQ(bitboards[r], square_bb(56));
}

TEST(MakeMove, EnPassantRemovesThePawnBehind) {
  init_board_tables();
  load_fen("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
  ASSERT_TRUE(play("e5d6"));
  EXPECT_EQ(bitboards[p], 0u);
  EXPECT_EQ(bitboards[P], square_bb(43));
  load_fen("4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1");
  ASSERT_TRUE(play("e4d3"));
  EXPECT_EQ(bitboards[P], 0u);
  EXPECT_EQ(bitboards[p], square_bb(19));
}

TEST(MakeMove, CapturePromotionLeavesTheNewPiece) {
  init_board_tables();
  load_fen("n3k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
  ASSERT_TRUE(play("b7a8q"));
  EXPECT_EQ(bitboards[Q], square_bb(56));
  EXPECT_EQ(bitboards[P], 0u);
  EXPECT_EQ(bitboards[n], 0u);
  EXPECT_EQ(occupancies[BLACK], square_bb(60));
}

TEST(MakeMove, IllegalMoveIsMadeAndRestorable) {
  init_board_tables();
  load_fen("4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1");
  const SavedPosition saved = save_position();
  EXPECT_FALSE(play("e2d3"));  // the bishop is pinned
  EXPECT_EQ(side, BLACK);
  EXPECT_NE(zobrist_key, saved.zobrist_key);
  restore_position(saved);
  const SavedPosition after = save_position();
  EXPECT_TRUE(same_position(saved, after));
  EXPECT_EQ(bitboards[B], square_bb(12));
  EXPECT_EQ(side, WHITE);
}

// Rights or en-passant squares a FEN gives without the pieces behind them must not
// corrupt the key: it keeps describing the board.
TEST(MakeMove, KeyFollowsTheBoardForInconsistentFen) {
  init_board_tables();
  testing::internal::CaptureStderr();
  load_fen("4k3/8/8/3P4/8/8/8/R3K3 w KQ e6 0 1");  // no h1 rook, no pawn on e5
  testing::internal::GetCapturedStderr();
  MoveList list;
  generate_moves(list);
  const SavedPosition saved = save_position();
  int made = 0;
  for (const Move& m : list.moves) {
    const std::uint64_t predicted = key_after_move(m);
    make_move(m);
    EXPECT_EQ(zobrist_key, compute_zobrist()) << move_to_str(m);
    EXPECT_EQ(zobrist_key, predicted) << move_to_str(m);
    EXPECT_TRUE(psq_sums_match_board()) << move_to_str(m);
    restore_position(saved);
    ++made;
  }
  EXPECT_GT(made, 0);
  // The king-side right has no rook and is dropped; the queen-side one stays.
  EXPECT_EQ(castle, 2);
  EXPECT_TRUE(is_empty_move(parse_uci_move("e1g1")));
  EXPECT_NE(parse_uci_move("e1c1").castling, 0);
  EXPECT_NE(parse_uci_move("d5e6").en_passant, 0);
}

}  // namespace
