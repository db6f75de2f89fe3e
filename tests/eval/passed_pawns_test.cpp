#include "eval/passed_pawns.h"
#include "eval_fixture.h"

namespace {

struct Terms {
  int mg;
  int eg;
};

Terms terms(int colour) {
  Terms t{-1, -1};
  passed_pawn_terms(colour, t.mg, t.eg);
  return t;
}

}  // namespace

TEST_F(EvalTest, PassedPawnMasks) {
  EXPECT_EQ(passed_pawn_mask[WHITE][60], 0u);  // e8
  EXPECT_EQ(passed_pawn_mask[BLACK][4], 0u);   // e1
  // a2: the a- and b-files from rank 3 up.
  EXPECT_EQ(passed_pawn_mask[WHITE][8], 0x0303030303030000ULL);
  // h7 for Black: the g- and h-files from rank 6 down.
  EXPECT_EQ(passed_pawn_mask[BLACK][55], 0x0000C0C0C0C0C0C0ULL);
  // e4 for White: d, e, f files, ranks 5 to 8, never its own rank.
  EXPECT_EQ(passed_pawn_mask[WHITE][28], 0x3838383800000000ULL);
}

TEST_F(EvalTest, PassedPawnTerms) {
  struct Case {
    const char* fen;
    int colour;
    int mg;
    int eg;
  };
  const Case cases[] = {
      {START_FEN, WHITE, 0, 0},
      {START_FEN, BLACK, 0, 0},
      // Connected passers d5 and e6: 35 + 55 + 30 + 20 and 70 + 110 + 60 + 40.
      {"4k3/8/4P3/3P4/8/8/8/4K3 w - - 0 1", WHITE, 140, 280},
      {"4k3/7P/8/8/8/8/8/4K3 w - - 0 1", WHITE, 85, 170},
      {"4k3/8/8/8/8/8/4p3/K7 w - - 0 1", BLACK, 85, 170},
      // An enemy pawn ahead on a neighbouring file stops it; level or behind does not.
      {"4k3/8/1p6/P7/8/8/8/4K3 w - - 0 1", WHITE, 0, 0},
      {"4k3/8/8/Pp6/8/8/8/4K3 w - - 0 1", WHITE, 35, 70},
      {"4k3/8/8/P7/1p6/8/8/4K3 w - - 0 1", WHITE, 35, 70},
      // Doubled c-pawns count twice, their file once: c4, c5, d5.
      {"4k3/8/8/2PP4/2P5/8/8/4K3 w - - 0 1", WHITE, 20 + 35 + 35 + 30 + 40, 40 + 70 + 70 + 60 + 80},
      // b2, c2, d2: the c-file pawn joins two pairs.
      {"4k3/8/8/8/8/8/1PPP4/4K3 w - - 0 1", WHITE, 15 + 60 + 40, 30 + 120 + 80},
  };
  for (const Case& c : cases) {
    load(c.fen);
    Terms t = terms(c.colour);
    EXPECT_EQ(t.mg, c.mg) << c.fen;
    EXPECT_EQ(t.eg, c.eg) << c.fen;
  }
}
