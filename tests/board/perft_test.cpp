#include <gtest/gtest.h>

#include "board/movegen.h"
#include "board/notation.h"
#include "board/perft.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "board_test_env.h"

namespace {

TEST(Perft, ReferenceCounts) {
  init_board_tables();
  init_board_startpos();
  const std::uint64_t start[] = {1, 20, 400, 8902, 197281};
  for (int depth = 0; depth < 5; ++depth) EXPECT_EQ(perft(depth), start[depth]) << depth;
  load_fen(KIWIPETE);
  const std::uint64_t kiwi[] = {1, 48, 2039, 97862};
  for (int depth = 0; depth < 4; ++depth) EXPECT_EQ(perft(depth), kiwi[depth]) << depth;
}

TEST(Perft, NegativeDepthCountsAsZero) {
  init_board_tables();
  init_board_startpos();
  EXPECT_EQ(perft(-1), 1u);
  EXPECT_EQ(perft(-1000), 1u);
}

TEST(Perft, LeavesThePositionUnchanged) {
  init_board_tables();
  load_fen(KIWIPETE);
  const SavedPosition before = save_position();
  const auto stack_before = repetition_stack;
  perft(3);
  const SavedPosition after = save_position();
  EXPECT_TRUE(same_position(before, after));
  EXPECT_EQ(repetition_stack, stack_before);
}

// Every position of a suite at every depth it lists.
void count_whole_suite(const char* file, std::size_t positions) {
  const auto suite = read_perft_suite(file);
  ASSERT_EQ(suite.size(), positions);
  for (const EpdCase& c : suite) {
    load_fen(c.fen);
    ASSERT_FALSE(c.counts.empty()) << c.fen;
    for (std::size_t d = 0; d < c.counts.size(); ++d) {
      ASSERT_EQ(perft(static_cast<int>(d + 1)), c.counts[d]) << c.fen << " depth " << d + 1;
    }
  }
}

TEST(Perft, WholeSuite) {
  init_board_tables();
  count_whole_suite("perft.epd", 66);
}

// Chess960 set-ups in Shredder-FEN and X-FEN, games from them, and castling edge cases.
TEST(Perft, WholeChess960Suite) {
  init_board_tables();
  count_whole_suite("perft960.epd", 132);
}

// For every move of every suite position: the incremental key and score sums match
// the full recompute, the key worked out before the move matches too, and restoring the copy gives back the position bit for bit.
TEST(Perft, CopyMakeRoundTripOnEveryMove) {
  init_board_tables();
  std::size_t moves_checked = 0;
  auto cases = read_perft_suite();
  for (const EpdCase& c : read_perft_suite("perft960.epd")) cases.push_back(c);
  for (const EpdCase& c : cases) {
    load_fen(c.fen);
    const SavedPosition before = save_position();
    MoveList list;
    generate_moves(list);
    for (const Move& m : list.moves) {
      const std::uint64_t predicted = key_after_move(m);
      make_move(m);
      ASSERT_EQ(zobrist_key, compute_zobrist()) << c.fen << " " << move_to_str(m);
      ASSERT_EQ(zobrist_key, predicted) << c.fen << " " << move_to_str(m);
      int mg = 0, eg = 0;
      compute_psq_sums(mg, eg);
      ASSERT_EQ(psq_mg, mg) << c.fen << " " << move_to_str(m);
      ASSERT_EQ(psq_eg, eg) << c.fen << " " << move_to_str(m);
      SavedPosition made = save_position();
      update_occupancies();
      ASSERT_EQ(std::memcmp(made.occupancies, occupancies, sizeof occupancies), 0);
      restore_position(before);
      const SavedPosition after = save_position();
      ASSERT_TRUE(same_position(before, after)) << c.fen << " " << move_to_str(m);
      ++moves_checked;
    }
  }
  EXPECT_GT(moves_checked, 1000u);
}

}  // namespace
