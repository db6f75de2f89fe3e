// Deeper counts than the default run can afford; run with `make test-slow`.

#include <gtest/gtest.h>

#include "board/attacks.h"
#include "board/perft.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "search/startup.h"

namespace {

const char* const KIWIPETE = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

TEST(PerftSlow, StartPositionDepthSix) {
  init_tables();
  init_board_startpos();
  EXPECT_EQ(perft(6), 119060324u);
}

TEST(PerftSlow, KiwipeteDepthFive) {
  init_tables();
  load_fen(KIWIPETE);
  EXPECT_EQ(perft(5), 193690690u);
}

// Past 2^31 leaves: the count must not wrap in 32 bits.
TEST(PerftSlow, KiwipeteDepthSixNeedsSixtyFourBits) {
  init_tables();
  load_fen(KIWIPETE);
  EXPECT_EQ(perft(6), 8031647685u);
}

}  // namespace
