// Naming a style from blocks of its games, on synthetic rows whose answer is known.

#include "games/recognition.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr int BLOCK = RECOGNITION_BLOCK_GAMES;

// A game of 50 searched moves with the given depth per move, checks and wing pawn moves.
GameStats game(double depth, int checks = 0, int wing = 0) {
  GameStats g;
  g.moves = 50;
  g.depth_sum = static_cast<long>(depth * g.moves);
  g.checks = checks;
  g.wing_pawn_moves = wing;
  return g;
}

// count games of one depth, with checks drawn alike for every row.
std::vector<GameStats> games(int count, double depth, std::mt19937& draw) {
  std::vector<GameStats> list;
  for (int i = 0; i < count; ++i) list.push_back(game(depth, static_cast<int>(draw() % 21)));
  return list;
}

int named_right(const Recognition& r) {
  int right = 0;
  for (const RowNaming& row : r.rows) right += row.named_right;
  return right;
}

TEST(Recognition, DifferentStylesAreNamedAndAlikeOnesAreNot) {
  std::mt19937 draw(7);
  // Depth differs by half a ply a move, the checks only by chance, on a scale twenty times
  // larger: only a spread-free distance lets the depth tell the styles apart.
  const Recognition apart = recognise({{"Deep", Deep, games(3 * BLOCK, 9.0, draw)},
                                       {"Wide", Wide, games(3 * BLOCK + BLOCK / 2, 8.5, draw)}});
  EXPECT_EQ(apart.features, 2);  // the other gate columns never vary
  EXPECT_EQ(apart.rows[1].blocks, 3);  // the short tail is no block
  // 6 of 6 has a Wilson interval from 61%.
  const std::string text = recognition_text(apart);
  EXPECT_EQ(text.rfind("Recognition: 6 of 6 blocks of 20 games named right (100.0% [61.0, 100.0]), ", 0), 0u) << text;

  // Two styles whose games are drawn alike: chance, not a perfect naming.
  const Recognition alike = recognise({{"Deep", Deep, games(10 * BLOCK, 9.0, draw)},
                                       {"Wide", Wide, games(10 * BLOCK, 9.0, draw)}});
  EXPECT_GE(named_right(alike), 2);
  EXPECT_LE(named_right(alike), 15);
}

// A block is named against its own style's other games only.
TEST(Recognition, ItsOwnBlockIsLeftOut) {
  auto wing_games = [](int count, int wing) { return std::vector<GameStats>(count, game(9.0, 0, wing)); };
  // PawnStorm's two blocks lie either side of PassedPawn's: with its own block in, the far
  // one would be nearer PawnStorm's mean (5 away) than PassedPawn's (6 away).
  std::vector<GameStats> storm = wing_games(BLOCK, 10), level = wing_games(BLOCK, 0);
  storm.insert(storm.end(), level.begin(), level.end());
  const Recognition split =
      recognise({{"PawnStorm", PawnStorm, storm}, {"PassedPawn", PassedPawn, wing_games(2 * BLOCK, 4)}});
  EXPECT_EQ(split.rows[0].named_right, 0);
  EXPECT_EQ(split.rows[0].most_common_wrong, "PassedPawn");
  EXPECT_EQ(split.rows[1].named_right, 2);

  // A style with one block has no games of its own left to be named by; a tail is its own.
  std::vector<RecognitionRow> rows = {{"PawnStorm", PawnStorm, wing_games(BLOCK, 10)},
                                      {"Balanced", Balanced, wing_games(2 * BLOCK, 0)}};
  EXPECT_EQ(recognise(rows).rows[0].named_right, 0);
  rows[0].games.resize(BLOCK + BLOCK / 2, game(9.0, 0, 10));
  EXPECT_EQ(recognise(rows).rows[0].named_right, 1);
}

// Balanced at two strengths is one style.
TEST(Recognition, RowsOfOneStyleAreOneClass) {
  std::mt19937 draw(11);
  const Recognition r = recognise({{"Balanced@200", Balanced, games(2 * BLOCK, 9.0, draw)},
                                   {"Balanced", Balanced, games(2 * BLOCK, 9.0, draw)},
                                   {"Deep", Deep, games(2 * BLOCK, 11.0, draw)}});
  EXPECT_NE(recognition_text(r).find("\nNamed right by style: Balanced 4 of 4, Deep 2 of 2\n"), std::string::npos)
      << recognition_text(r);
  EXPECT_EQ(recognition_csv(r),
            "row,style,blocks,named_right,most_common_wrong\n"
            "Balanced@200,Balanced,2,2,\nBalanced,Balanced,2,2,\nDeep,Deep,2,2,\n");
}

}  // namespace
