// When a gauntlet game ends, on crafted positions.

#include "games/adjudication.h"

#include <gtest/gtest.h>

#include "board/position.h"
#include "search/startup.h"

namespace {

GameEnd ending(const std::string& fen, int halfmove_clock = 0, int plies = 0, int max_plies = 400) {
  init_tables();
  load_fen(fen);
  GameProgress progress;
  progress.keys = {zobrist_key};
  progress.halfmove_clock = halfmove_clock;
  progress.plies = plies;
  progress.max_plies = max_plies;
  return adjudicate(progress);
}

TEST(Adjudication, MateAndStalemate) {
  EXPECT_EQ(ending("R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1"), GameEnd::Checkmate);
  EXPECT_EQ(ending("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1"), GameEnd::Stalemate);
  // In check with a way out is no ending.
  EXPECT_EQ(ending("R5k1/5pp1/8/8/8/8/8/6K1 b - - 0 1"), GameEnd::None);
  // Mate given on the hundredth quiet ply still wins, and outranks the length cap.
  EXPECT_EQ(ending("R5k1/5ppp/8/8/8/8/8/6K1 b - - 100 80", 100, 400, 400), GameEnd::Checkmate);
  EXPECT_STREQ(game_result(GameEnd::Checkmate, BLACK), "1-0");
  EXPECT_STREQ(game_result(GameEnd::Checkmate, WHITE), "0-1");
  EXPECT_STREQ(game_result(GameEnd::Stalemate, WHITE), "1/2-1/2");
}

TEST(Adjudication, DeadPositions) {
  EXPECT_EQ(ending("8/8/4k3/8/8/3K4/8/8 w - - 0 1"), GameEnd::DeadPosition);
  EXPECT_EQ(ending("8/8/4k3/8/8/3K4/5N2/8 b - - 0 1"), GameEnd::DeadPosition);
  // Bishops on squares of one colour cannot mate; on opposite colours they can.
  EXPECT_EQ(ending("8/8/4k3/2b5/8/3K4/5B2/8 w - - 0 1"), GameEnd::DeadPosition);
  EXPECT_EQ(ending("8/8/4k3/3b4/8/3K4/5B2/8 w - - 0 1"), GameEnd::None);
  EXPECT_EQ(ending("8/8/4k3/8/8/3K4/5P2/8 w - - 0 1"), GameEnd::None);
}

TEST(Adjudication, RepetitionFiftyMovesAndLengthCap) {
  const std::string fen = "8/8/4k3/8/8/3K4/5R2/8 w - - 0 1";
  EXPECT_EQ(ending(fen, 99), GameEnd::None);
  EXPECT_EQ(ending(fen, 100), GameEnd::FiftyMoves);
  EXPECT_EQ(ending(fen, 0, 399, 400), GameEnd::None);
  EXPECT_EQ(ending(fen, 0, 400, 400), GameEnd::LengthCap);
  EXPECT_STREQ(game_result(GameEnd::LengthCap, WHITE), "1/2-1/2");

  // The third occurrence of the position, not the second, ends the game.
  GameProgress progress;
  load_fen(fen);
  const std::uint64_t here = zobrist_key;
  progress.keys = {here, 1, 2, 3, here};
  EXPECT_EQ(adjudicate(progress), GameEnd::None);
  progress.keys = {here, 1, here, 3, 4, here};
  EXPECT_EQ(adjudicate(progress), GameEnd::Repetition);
  EXPECT_STREQ(game_end_name(GameEnd::Repetition), "threefold repetition");
  // No cap at all unless one is set.
  EXPECT_EQ(ending(fen, 0, 100000, 0), GameEnd::None);
}

// The plies of a game from the mover's own scores, White first; the first book plies
// were not searched.
std::vector<PlayedMove> scored(const std::vector<int>& scores, std::size_t book = 0) {
  std::vector<PlayedMove> plies;
  for (int score : scores) plies.push_back({Move{}, score, false, plies.size() < book ? 0 : 12});
  return plies;
}

std::vector<int> repeated(std::vector<int> pair, int times) {
  std::vector<int> scores;
  for (int i = 0; i < times; ++i) scores.insert(scores.end(), pair.begin(), pair.end());
  return scores;
}

TEST(Adjudication, ScoreRulesOnBothEnginesScores) {
  const ScoreRules rules;  // resign 600 cp for 4 moves; draw within 10 cp for 8 moves after move 40
  int loser = -1;
  auto verdict = [&](const std::vector<int>& scores, int side_to_move, const ScoreRules& with = ScoreRules{},
                     std::size_t book = 0) {
    loser = -1;
    return adjudicate_scores(scored(scores, book), with, side_to_move, loser);
  };
  // White ahead by both engines' count for four moves each, the edges included: Black resigns.
  std::vector<int> lost = {0, 0, 650, -700, 600, -600, 900, -48990, 700, -620};
  EXPECT_EQ(verdict(lost, WHITE), GameEnd::Resigned);
  EXPECT_EQ(loser, BLACK);
  EXPECT_STREQ(game_result(GameEnd::Resigned, loser), "1-0");
  // The same scores a ply later: now Black is ahead and White, the last mover, resigns.
  lost = {0, 650, -700, 600, -600, 900, -48990, 700, -620};
  EXPECT_EQ(verdict(lost, BLACK), GameEnd::Resigned);
  EXPECT_EQ(loser, WHITE);
  // One side disagrees once, a streak a move short, a move out of the book, the rule off.
  EXPECT_EQ(verdict({650, -700, 600, -599, 900, -900, 700, -620}, WHITE), GameEnd::None);
  EXPECT_EQ(verdict({650, -700, 600, -600, 900, -900, 700}, BLACK), GameEnd::None);
  EXPECT_EQ(verdict({650, -700, 600, -600, 900, -900, 700, -620}, WHITE, rules, 1), GameEnd::None);
  ScoreRules no_resign;
  ASSERT_TRUE(read_resign_rule("off", no_resign));
  EXPECT_EQ(verdict({650, -700, 600, -600, 900, -900, 700, -620}, WHITE, no_resign), GameEnd::None);
  // Both engines think they are winning: nobody resigns.
  EXPECT_EQ(verdict(repeated({700, 700}, 4), WHITE), GameEnd::None);
  EXPECT_EQ(loser, -1);

  // Drawn: eight moves each within 10 cp, all after move 40 (plies 81 on).
  std::vector<int> quiet = repeated({35, -35}, 40);
  const std::vector<int> level = repeated({10, -3}, 8);
  quiet.insert(quiet.end(), level.begin(), level.end());
  EXPECT_EQ(verdict(quiet, WHITE), GameEnd::ScoreDraw);
  EXPECT_STREQ(game_result(GameEnd::ScoreDraw, WHITE), "1/2-1/2");
  // One ply earlier, the streak starts on move 40: too soon.
  EXPECT_EQ(verdict({quiet.begin() + 1, quiet.end()}, BLACK), GameEnd::None);
  // A score of 11 breaks it; so does a streak a move short.
  quiet.back() = 11;
  EXPECT_EQ(verdict(quiet, WHITE), GameEnd::None);
  quiet.back() = -10;
  EXPECT_EQ(verdict({quiet.begin(), quiet.end() - 2}, WHITE), GameEnd::None);
  ScoreRules early;
  ASSERT_TRUE(read_draw_rule("0,10,2", early));
  EXPECT_EQ(verdict({0, 5, -10, 10}, WHITE, early), GameEnd::ScoreDraw);
  EXPECT_EQ(verdict({0, 5, -10, 10}, WHITE, early, 1), GameEnd::None);
  ASSERT_TRUE(read_draw_rule("off", early));
  EXPECT_EQ(verdict({0, 5, -10, 10}, WHITE, early), GameEnd::None);
}

TEST(Adjudication, RulesWrittenReadAndReported) {
  ScoreRules rules;
  EXPECT_EQ(resign_rule_text(rules), "600,4");
  EXPECT_EQ(draw_rule_text(rules), "40,10,8");
  ASSERT_TRUE(read_resign_rule("300,2", rules));
  ASSERT_TRUE(read_draw_rule("0,0,1", rules));
  EXPECT_EQ(rules, (ScoreRules{300, 2, 0, 0, 1}));
  for (const char* bad : {"", "600", "600,0", "0,4", "600,4,1", "600,", ",4", "10001,4", "600,101", "of", "600;4"}) {
    EXPECT_FALSE(read_resign_rule(bad, rules)) << bad;
    EXPECT_EQ(rules, (ScoreRules{300, 2, 0, 0, 1})) << bad;  // a refused value leaves the rules alone
  }
  for (const char* bad : {"40,10", "40,10,0", "-1,10,8", "1001,10,8", "40,10,8,", "40,x,8", "OFF"})
    EXPECT_FALSE(read_draw_rule(bad, rules)) << bad;
  ASSERT_TRUE(read_resign_rule("off", rules));
  ASSERT_TRUE(read_draw_rule("off", rules));
  EXPECT_EQ(resign_rule_text(rules) + " " + draw_rule_text(rules), "off off");
  EXPECT_EQ(adjudication_summary(ScoreRules{}, 0, 31, 1, 0),
            "Adjudication: resign at 600 cp for 4 moves decided 31 games; draw within 10 cp for 8 moves after move "
            "40 decided 1 game; no ply cap\n");
  EXPECT_EQ(adjudication_summary(rules, 60, 0, 0, 7),
            "Adjudication: no resign rule; no draw rule; 7 games reached the 60-ply cap (drawn)\n");
  // Every ending's name reads back as that ending, for the game list.
  for (int e = 1; e <= static_cast<int>(LAST_GAME_END); ++e) {
    GameEnd back = GameEnd::None;
    ASSERT_TRUE(game_end_from_name(game_end_name(static_cast<GameEnd>(e)), back)) << e;
    EXPECT_EQ(static_cast<int>(back), e);
  }
  GameEnd none = GameEnd::None;
  EXPECT_FALSE(game_end_from_name("unterminated", none));
}

}  // namespace
