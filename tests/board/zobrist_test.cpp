#include <gtest/gtest.h>

#include "board/notation.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "board_test_env.h"

namespace {

TEST(Zobrist, ReferenceKeys) {
  init_board_tables();
  init_board_startpos();
  EXPECT_EQ(zobrist_key, 0x8d3149f56d01bcb7ULL);
  load_fen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
  EXPECT_EQ(zobrist_key, 0xa71fb59d3721a832ULL);
  load_fen(KIWIPETE);
  EXPECT_EQ(zobrist_key, 0xb3c64f64e4131f17ULL);
}

TEST(Zobrist, EveryTermCounts) {
  init_board_tables();
  load_fen("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  const std::uint64_t plain = zobrist_key;
  EXPECT_EQ(plain, zob_piece[K][4] ^ zob_piece[k][60] ^ zob_castle[0]);
  load_fen("4k3/8/8/8/8/8/8/4K3 w - e3 0 1");
  EXPECT_EQ(zobrist_key, plain ^ zob_ep[20]);
  load_fen("4k3/8/8/8/8/8/8/4K3 b - - 0 1");
  EXPECT_EQ(zobrist_key, plain ^ zob_side);
}

TEST(Zobrist, Repetition) {
  init_board_tables();
  init_board_startpos();
  EXPECT_FALSE(is_repetition());
  for (const char* text : {"g1f3", "g8f6", "f3g1", "f6g8"}) {
    ASSERT_TRUE(make_move(parse_uci_move(text))) << text;
    repetition_stack.push_back(zobrist_key);
    if (std::string(text) != "f6g8") {
      EXPECT_FALSE(is_repetition()) << text;
    }
  }
  ASSERT_EQ(repetition_stack.size(), 5u);
  EXPECT_EQ(repetition_stack.front(), repetition_stack.back());
  EXPECT_TRUE(is_repetition());
  init_board_startpos();
}

}  // namespace
