// The match referee's own rules: the clocks, forfeits, move legality, the engines'
// scores as the score rules see them, and the command line. The endings by the rules
// are adjudication's (tests/games).

#include "match/referee.h"

#include <gtest/gtest.h>

#include "board/draw.h"
#include "board/position.h"
#include "games/openings.h"
#include "match/match.h"
#include "match/match_options.h"
#include "match/uci_engine.h"
#include "search/startup.h"

namespace {

TEST(MatchReferee, ClockChargesThinkingAndAddsIncrementOnlyInTime) {
  TimeControl tc;
  ASSERT_TRUE(parse_time_control("10+0.1", tc));
  EXPECT_EQ(tc.base_ms, 10000);
  EXPECT_EQ(tc.increment_ms, 100);
  EXPECT_EQ(time_control_text(tc), "10+0.1");
  ASSERT_TRUE(parse_time_control("1+0.01", tc));
  EXPECT_EQ(tc.increment_ms, 10);
  ASSERT_TRUE(parse_time_control("60", tc));
  EXPECT_EQ(tc.increment_ms, 0);
  for (const char* bad : {"", "abc", "10+", "-1+0", "0+1", "10+x"}) EXPECT_FALSE(parse_time_control(bad, tc)) << bad;

  GameClock clock = start_clock({1000, 50});
  EXPECT_TRUE(charge_move(clock, WHITE, 300));
  EXPECT_EQ(clock.remaining_ms[WHITE], 750);
  EXPECT_EQ(clock.remaining_ms[BLACK], 1000);
  // Using the clock down to exactly zero is still in time.
  EXPECT_TRUE(charge_move(clock, BLACK, 1000));
  EXPECT_EQ(clock.remaining_ms[BLACK], 50);
  EXPECT_FALSE(charge_move(clock, BLACK, 51));
  EXPECT_EQ(clock.remaining_ms[BLACK], -1);
}

TEST(MatchReferee, TimeForfeitIsADrawWithoutMatingMaterial) {
  init_tables();
  // White flags; Black has a rook and wins.
  load_fen("8/8/4k3/8/8/3K4/8/7r w - - 0 1");
  EXPECT_EQ(forfeit_outcome(Forfeit::Time, WHITE).result, "0-1");
  EXPECT_EQ(forfeit_outcome(Forfeit::Time, WHITE).termination, "time forfeit");
  // Black with a lone knight or bishop cannot mate: a draw, also for a silent engine.
  load_fen("8/8/4k3/8/8/3K4/8/R5n1 w - - 0 1");
  EXPECT_EQ(forfeit_outcome(Forfeit::Time, WHITE).result, "1/2-1/2");
  EXPECT_EQ(forfeit_outcome(Forfeit::NoReply, WHITE).result, "1/2-1/2");
  // White's rook does not matter when Black flags: White can mate.
  EXPECT_EQ(forfeit_outcome(Forfeit::Time, BLACK).result, "1-0");
  // A lone-king side never wins on time; two minors or a pawn can mate.
  load_fen("8/8/4k3/8/8/3K4/6nb/8 b - - 0 1");
  EXPECT_TRUE(has_mating_material(BLACK));
  EXPECT_FALSE(has_mating_material(WHITE));
  EXPECT_EQ(forfeit_outcome(Forfeit::Time, BLACK).result, "1/2-1/2");
  load_fen("8/6p1/4k3/8/8/3K4/8/1B6 w - - 0 1");
  EXPECT_TRUE(has_mating_material(BLACK));
  EXPECT_FALSE(has_mating_material(WHITE));
  // Other forfeits lose whatever the material.
  EXPECT_EQ(forfeit_outcome(Forfeit::Crash, BLACK).result, "1-0");
  const GameOutcome illegal = forfeit_outcome(Forfeit::IllegalMove, BLACK, "a1a2");
  EXPECT_EQ(illegal.result, "1-0");
  EXPECT_EQ(illegal.reason, "Black plays an illegal move a1a2");
  EXPECT_EQ(illegal.termination, "rules infraction");
}

TEST(MatchReferee, OnlyLegalMovesArePlayed) {
  init_tables();
  RefereeGame game;
  const Opening opening{"4k3/8/8/8/8/8/4P3/R3K2r w Q - 3 40", 3};
  begin_game(game, opening, {1000, 0}, 0);
  const std::uint64_t start = zobrist_key;
  // Castling through the rook's check, a pawn's double step off its file, a black
  // move, garbage and a move into check are all refused and change nothing.
  for (const char* bad : {"e1c1", "e2d4", "e8d8", "", "zz", "e1f1", "e1e1"}) {
    EXPECT_FALSE(play_move_text(game, bad)) << bad;
    EXPECT_EQ(zobrist_key, start) << bad;
  }
  EXPECT_TRUE(game.plies.empty());
  EXPECT_TRUE(play_move_text(game, "e1d2"));
  EXPECT_TRUE(play_move_text(game, "h1h2"));
  EXPECT_EQ(game.position_command, "position fen " + opening.fen + " moves e1d2 h1h2");
  EXPECT_EQ(game.progress.halfmove_clock, 5);
  EXPECT_EQ(game.progress.keys.size(), 3u);
  EXPECT_EQ(rules_outcome(game).result, "*");
  // The length cap, off by default, is a draw when set.
  begin_game(game, opening, {1000, 0}, 1);
  EXPECT_TRUE(play_move_text(game, "e1d2"));
  EXPECT_EQ(rules_outcome(game).result, "1/2-1/2");
  EXPECT_EQ(rules_outcome(game).reason, "length cap");
}

// The plies of a game from the start, each with its mover's score and depth (0: not
// searched), and how the referee then stands.
GameOutcome after(const std::vector<std::pair<int, int>>& scored, const ScoreRules& rules) {
  // Pawn and knight moves: nothing ends by the rules of chess.
  static const char* const MOVES[] = {"e2e3", "e7e6", "d2d3", "d7d6", "g1f3", "g8f6", "b1c3", "b8c6"};
  RefereeGame game;
  begin_game(game, {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0}, {1000, 0}, 0, rules);
  for (std::size_t i = 0; i < scored.size(); ++i)
    EXPECT_TRUE(play_move_text(game, MOVES[i], scored[i].first, scored[i].second)) << i;
  return rules_outcome(game);
}

TEST(MatchReferee, ScoreRulesOnTheEnginesOwnScores) {
  init_tables();
  // The mover's score from its last scored info line; a mate counts past every bound.
  int score = 0, depth = 0;
  EXPECT_TRUE(read_info_score("info depth 7 seldepth 9 score cp -35 nodes 100 pv e2e4", score, depth));
  EXPECT_EQ(score, -35);
  EXPECT_EQ(depth, 7);
  EXPECT_TRUE(read_info_score("info depth 9 multipv 1 score mate -3 pv e2e4", score, depth));
  EXPECT_EQ(score, -MATE_SCORE_CP);
  EXPECT_TRUE(read_info_score("info score mate 2 lowerbound", score, depth));
  EXPECT_EQ(score, MATE_SCORE_CP);
  EXPECT_EQ(depth, 0);
  for (const char* unscored : {"info depth 5 multipv 2 score cp 10", "info string score cp 700", "info depth 3",
                               "info depth 3 score cp x", "bestmove e2e4 ponder e7e5"})
    EXPECT_FALSE(read_info_score(unscored, score, depth)) << unscored;
  EXPECT_EQ(score, MATE_SCORE_CP);

  ScoreRules resign = SCORE_RULES_OFF;
  ASSERT_TRUE(read_resign_rule("600,2", resign));
  ScoreRules draw = SCORE_RULES_OFF;
  ASSERT_TRUE(read_draw_rule("2,10,2", draw));
  const std::vector<std::pair<int, int>> both_winning(8, {700, 12}), white_lost = {{-600, 5}, {600, 5}, {-900, 5},
                                                                                   {MATE_SCORE_CP, 5}};
  // Off, nothing but the rules of chess ends a game.
  EXPECT_EQ(after(both_winning, SCORE_RULES_OFF).result, "*");
  // The side both engines see lost resigns after two moves of each.
  std::vector<std::pair<int, int>> both_agree;
  for (int ply = 0; ply < 4; ++ply) both_agree.push_back({ply % 2 == 0 ? 700 : -700, 12});
  const GameOutcome resigned = after(both_agree, resign);
  EXPECT_EQ(resigned.result, "1-0");
  EXPECT_EQ(resigned.reason, "Black resigns (resign rule)");
  EXPECT_EQ(resigned.termination, "adjudication");
  EXPECT_EQ(after(white_lost, resign).result, "0-1");
  // Both engines think they are winning: no verdict.
  EXPECT_EQ(after(both_winning, resign).result, "*");
  // A move without a score does not count; two more scored moves do.
  both_agree[1].second = 0;
  EXPECT_EQ(after(both_agree, resign).result, "*");
  both_agree.insert(both_agree.end(), {{700, 12}, {-700, 12}});
  EXPECT_EQ(after(both_agree, resign).result, "1-0");
  // Drawn when every score of two moves each after move 2 lies within 10 cp of 0.
  const std::vector<std::pair<int, int>> level(8, {-10, 8});
  const GameOutcome drawn = after(level, draw);
  EXPECT_EQ(drawn.result, "1/2-1/2");
  EXPECT_EQ(drawn.reason, "draw rule");
  EXPECT_EQ(drawn.termination, "adjudication");
}

TEST(MatchReferee, CommandLine) {
  MatchSettings settings;
  std::string error;
  ASSERT_TRUE(parse_match_args({"--engine", "name=A", "cmd=./build/brisvane", "arg=--mode", "arg=deep",
                                "option.Move Overhead=20", "option.UCI_Elo=1400", "--engine",
                                "cmd=/usr/games/stockfish", "--tc", "5+0.05", "--rounds", "3",
                                "--concurrency", "2", "--results", "r.csv", "--max-plies", "300"},
                               settings, error))
      << error;
  const EngineSetup& a = settings.engines[0];
  EXPECT_EQ(a.args, (std::vector<std::string>{"--mode", "deep"}));
  ASSERT_EQ(a.options.size(), 2u);
  EXPECT_EQ(a.options[0].first, "Move Overhead");
  EXPECT_EQ(a.options[0].second, "20");
  EXPECT_EQ(settings.engines[1].name, "stockfish");
  EXPECT_EQ(settings.tc.base_ms, 5000);
  EXPECT_EQ(settings.rounds, 3);
  EXPECT_EQ(settings.concurrency, 2);
  EXPECT_EQ(settings.max_plies, 300);
  // The score rules are off unless asked for, and read as the style gauntlet reads them.
  EXPECT_EQ(settings.rules, SCORE_RULES_OFF);
  ASSERT_TRUE(parse_match_args({"--engine", "cmd=x", "--engine", "cmd=y", "--resign", "500,3", "--draw", "30,5,6"},
                               settings, error));
  EXPECT_EQ(resign_rule_text(settings.rules), "500,3");
  EXPECT_EQ(draw_rule_text(settings.rules), "30,5,6");

  const std::vector<std::vector<std::string>> faults = {
      {"--engine", "cmd=x"},
      {"--engine", "name=A", "--engine", "cmd=y", "--engine", "cmd=x"},
      {"--engine", "cmd=x", "--engine", "cmd=y", "--rounds", "0"},
      {"--engine", "cmd=x", "--engine", "cmd=y", "--tc"},
      {"--engine", "cmd=x", "colour=blue", "--engine", "cmd=y"},
      {"--engine", "cmd=x", "--engine", "cmd=y", "--speed", "1"},
      {"--engine", "cmd=x", "--engine", "cmd=y", "--resign", "600"},
      {"--engine", "cmd=x", "--engine", "cmd=y", "--draw", "on"}};
  for (const auto& args : faults) {
    MatchSettings fresh;
    EXPECT_FALSE(parse_match_args(args, fresh, error)) << args.size();
  }
  // Two engines with one name are told apart in the PGN and the table.
  MatchSettings twins;
  ASSERT_TRUE(parse_match_args({"--engine", "cmd=a/x", "--engine", "cmd=b/x"}, twins, error));
  EXPECT_EQ(twins.engines[1].name, "x-2");
  // Chess960 tells both engines; the seed orders the start positions.
  MatchSettings in960;
  ASSERT_TRUE(parse_match_args({"--engine", "cmd=x", "--chess960", "--engine", "cmd=y", "--seed", "9"}, in960, error));
  EXPECT_TRUE(in960.chess960);
  EXPECT_EQ(in960.seed, 9u);
  for (const EngineSetup& engine : in960.engines)
    EXPECT_EQ(engine.options, (std::vector<std::pair<std::string, std::string>>{{"UCI_Chess960", "true"}}));
  std::vector<Opening> openings;
  ASSERT_TRUE(load_match_openings(in960, openings, error));
  ASSERT_EQ(openings.size(), 960u);
  EXPECT_NE(openings[0].fen, chess960_opening(0).fen);
}

}  // namespace
