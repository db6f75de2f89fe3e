#include "eval/king_safety.h"
#include "eval_fixture.h"

TEST_F(EvalTest, KingZonePressureWeights) {
  struct Case {
    const char* fen;
    int on_white;
    int on_black;
  };
  const Case cases[] = {
      {START_FEN, 0, 0},
      // A lone queen: weight 5, one attacker, no bonus.
      {"4k3/8/8/8/8/8/4Q3/K7 w - - 0 1", 0, 5},
      // Queen and knight: 5 + 2 + 2 x 2.
      {"4k3/8/8/5N2/8/8/4Q3/K7 w - - 0 1", 0, 11},
      // Two pawns: 1 + 1 + 2 x 2.
      {"4k3/8/3P1P2/8/8/8/8/K7 w - - 0 1", 0, 6},
      // A knight hitting the king and another zone square still counts once.
      {"4k3/8/5N2/8/8/8/8/K7 w - - 0 1", 0, 2},
      // The defender's own queen is not an attacker; a blocked rook does not reach the zone.
      {"3qk3/8/8/8/4P3/8/8/K3R3 w - - 0 1", 0, 0},
      // Black's rook and bishop on the White king: 3 + 2 + 2 x 2.
      {"k7/1b6/8/8/8/8/8/5r1K w - - 0 1", 9, 0},
  };
  for (const Case& c : cases) {
    load(c.fen);
    EXPECT_EQ(king_zone_pressure(WHITE), c.on_white) << c.fen;
    EXPECT_EQ(king_zone_pressure(BLACK), c.on_black) << c.fen;
  }
}

TEST_F(EvalTest, PawnStormScores) {
  load(START_FEN);
  EXPECT_EQ(pawn_storm_score(WHITE), 7);
  EXPECT_EQ(pawn_storm_score(BLACK), 7);

  load("6k1/8/8/6P1/8/8/8/K7 w - - 0 1");
  EXPECT_EQ(pawn_storm_score(WHITE), 48);
  load("6k1/8/8/8/8/8/7P/K7 w - - 0 1");
  EXPECT_EQ(pawn_storm_score(WHITE), 2);
  load("k7/8/8/8/5p2/8/8/6K1 b - - 0 1");
  EXPECT_EQ(pawn_storm_score(BLACK), 32);
  // Two files away from the king: no storm.
  load("3k4/8/8/6P1/8/8/8/K7 w - - 0 1");
  EXPECT_EQ(pawn_storm_score(WHITE), 0);
}

TEST_F(EvalTest, CheckThreatsCountSafeChecksNextMove) {
  // The knight on e4 could check from d6 and f6; a pawn on e7 guards both.
  load("4k3/8/8/8/4N3/8/8/4K3 w - - 0 1");
  EXPECT_EQ(check_threats(WHITE), 2);
  EXPECT_EQ(check_threats(BLACK), 0);
  load("4k3/4p3/8/8/4N3/8/8/4K3 w - - 0 1");
  EXPECT_EQ(check_threats(WHITE), 0);
  // The queen reaches d8 and e2 on the king's lines, d7, a4 and h5 on its diagonals; the
  // knight on g1 reaches none, and its own king's square is no place to check from.
  load("4k3/8/8/8/8/8/8/3QK1N1 w - - 0 1");
  EXPECT_EQ(check_threats(WHITE), 5);
}

TEST_F(EvalTest, MissingKingHasNoPressureOrStorm) {
  load("8/8/8/8/8/3n4/4P3/4K3 w - - 0 1");
  EXPECT_EQ(king_zone_pressure(BLACK), 0);
  EXPECT_EQ(check_threats(WHITE), 0);
  EXPECT_EQ(pawn_storm_score(WHITE), 0);
  EXPECT_EQ(king_zone_pressure(WHITE), 2);
}
