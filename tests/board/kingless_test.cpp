// Positions without exactly one king per side are accepted; the engine's answer for
// them: a missing king is never in check, has no king moves, and nothing reads a
// square taken from an empty set.

#include <gtest/gtest.h>

#include "board/movegen.h"
#include "board/notation.h"
#include "board/perft.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "board_test_env.h"

namespace {

TEST(Kingless, NoKingsAtAll) {
  init_board_tables();
  load_fen("8/8/8/3r4/8/8/3R4/8 w - - 0 1");
  MoveList list;
  generate_moves(list);
  EXPECT_EQ(list.moves.size(), 11u);  // rook moves only, no king step
  for (const Move& m : list.moves) {
    const SavedPosition saved = save_position();
    const std::uint64_t predicted = key_after_move(m);
    EXPECT_TRUE(make_move(m)) << move_to_str(m);  // no king, never in check
    EXPECT_EQ(zobrist_key, predicted);
    EXPECT_EQ(zobrist_key, compute_zobrist());
    EXPECT_TRUE(psq_sums_match_board()) << move_to_str(m);
    restore_position(saved);
  }
  EXPECT_EQ(perft(1), 11u);
  // Deeper levels include rook captures that leave a side with no pieces at all.
  EXPECT_GT(perft(3), 0u);
}

TEST(Kingless, CapturingTheKingLeavesAPlayablePosition) {
  init_board_tables();
  // Black's king stands in check with White to move: the capture takes it off the board.
  load_fen("4k3/8/8/8/8/8/8/4RK2 w - - 0 1");
  Move take = parse_uci_move("e1e8");
  ASSERT_EQ(take.capture, 1);
  ASSERT_TRUE(make_move(take));
  EXPECT_EQ(bitboards[k], 0u);
  MoveList list;
  generate_moves(list);
  EXPECT_TRUE(list.moves.empty());
  EXPECT_EQ(perft(2), 0u);
}

TEST(Kingless, TwoKingsUseTheLowestSquare) {
  init_board_tables();
  load_fen("4k3/8/8/8/8/8/8/K6K w - - 0 1");
  MoveList list;
  generate_moves(list);
  ASSERT_EQ(list.moves.size(), 3u);
  for (const Move& m : list.moves) EXPECT_EQ(m.from, 0);
  EXPECT_GT(perft(3), 0u);
}

// Rights need their king and rook: on an empty board they are all dropped.
TEST(Kingless, CastlingRightsWithoutKingOrRooks) {
  init_board_tables();
  testing::internal::CaptureStderr();
  load_fen("8/8/8/8/8/8/8/8 w KQkq - 0 1");
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(castle, 0);
  EXPECT_EQ(zobrist_key, compute_zobrist());
  MoveList list;
  generate_moves(list);
  EXPECT_TRUE(list.moves.empty());
}

}  // namespace
