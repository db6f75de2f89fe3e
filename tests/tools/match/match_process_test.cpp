// Whole games between engine processes: two instances of this engine, and
// scripted engines that break the rules. No assertion depends on timing.

#include <gtest/gtest.h>

#include <string>

#include "board/notation.h"
#include "board/position.h"
#include "match/referee.h"
#include "match/uci_engine.h"
#include "search/startup.h"

namespace {

// A stand-in engine written in shell that answers every go with the given line.
UciPlayer scripted(const std::string& name, const std::string& on_go) {
  const std::string script = "while read -r line; do case \"$line\" in uci) echo uciok;; isready) echo readyok;; "
                             "go*) " + on_go + ";; quit) exit 0;; esac; done";
  return {{name, "/bin/sh", {"-c", script}, {}}, nullptr};
}

UciPlayer brisvane(const std::string& name) { return {{name, BRISVANE_BINARY, {}, {}}, nullptr}; }

void start(UciPlayer& player) {
  std::string error;
  ASSERT_TRUE(ensure_started(player, error)) << error;
  ASSERT_TRUE(start_new_game(player));
}

TEST(MatchProcess, TwoInstancesPlayOneShortGameToALegalEnd) {
  init_tables();
  UciPlayer white = brisvane("one"), black = brisvane("two");
  start(white);
  start(black);
  // White mates at once on the back rank; whatever happens, the game must end by
  // a rule or a forfeit with every move legal.
  const Opening opening{"6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1", 0};
  RefereeGame game;
  const GameOutcome outcome = play_game(game, opening, white, black, {1000, 10}, 0);
  EXPECT_TRUE(outcome.result == "1-0" || outcome.result == "0-1" || outcome.result == "1/2-1/2") << outcome.result;
  EXPECT_FALSE(outcome.reason.empty());
  EXPECT_FALSE(game.plies.empty());
  RefereeGame replay;
  begin_game(replay, opening, {1000, 10}, 0);
  for (const PlayedMove& played : game.plies) ASSERT_TRUE(play_move_text(replay, move_to_str(played.move)));
  if (outcome.termination == "normal") {
    EXPECT_EQ(rules_outcome(replay).result, outcome.result);
  }
  stop_player(white);
  stop_player(black);
}

// Two instances with UCI_Chess960: castling crosses the pipes as king takes rook.
TEST(MatchProcess, Chess960GamesBetweenTwoInstances) {
  init_tables();
  chess960 = true;
  auto in960 = [](const std::string& name) {
    UciPlayer player = brisvane(name);
    player.setup.options.emplace_back("UCI_Chess960", "true");
    return player;
  };
  UciPlayer white = in960("one"), black = in960("two");
  start(white);
  start(black);
  // Castling queen-side is the only mate: b1a1, and the game is over.
  RefereeGame game;
  const Opening mate{"2rkr3/2p1p3/8/8/8/8/8/RK6 w A - 0 1", 0};
  GameOutcome outcome = play_game(game, mate, white, black, {5000, 50}, 0);
  EXPECT_EQ(outcome.result, "1-0") << outcome.reason;
  ASSERT_EQ(game.plies.size(), 1u);
  EXPECT_EQ(game.plies[0].move.castling, 1);
  EXPECT_EQ(game.position_command, "position fen " + mate.fen + " moves b1a1");
  // A few moves from a 960 set-up: every move legal, the game ends by the length cap or a rule.
  const Opening setup{"bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9", 2};
  outcome = play_game(game, setup, white, black, {3000, 30}, 16);
  EXPECT_NE(outcome.result, "*");
  EXPECT_NE(outcome.termination, "rules infraction") << outcome.reason;
  EXPECT_NE(outcome.termination, "abandoned") << outcome.reason;
  RefereeGame replay;
  begin_game(replay, setup, {3000, 30}, 16);
  for (const PlayedMove& played : game.plies) ASSERT_TRUE(play_move_text(replay, move_to_str(played.move)));
  chess960 = false;
  stop_player(white);
  stop_player(black);
}

// Each engine's score is its last scored info line before bestmove, read off the pipe.
TEST(MatchProcess, ResignRuleOnTheScoresTheEnginesSend) {
  init_tables();
  UciPlayer white = scripted("ahead", "echo 'info depth 1 score cp -50'; echo 'info depth 2 score cp 700'; "
                                      "echo 'info string score cp 0'; echo 'bestmove g1f3'");
  UciPlayer black = scripted("behind", "echo 'info depth 2 multipv 1 score mate -4'; "
                                       "echo 'info depth 2 multipv 2 score cp 0'; echo 'bestmove g8f6'");
  start(white);
  start(black);
  ScoreRules rules = SCORE_RULES_OFF;
  ASSERT_TRUE(read_resign_rule("600,1", rules));
  RefereeGame game;
  const Opening opening{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0};
  const GameOutcome outcome = play_game(game, opening, white, black, {5000, 0}, 0, rules);
  EXPECT_EQ(outcome.reason, "Black resigns (resign rule)");
  EXPECT_EQ(outcome.result, "1-0");
  ASSERT_EQ(game.plies.size(), 2u);
  EXPECT_EQ(game.plies[0].score, 700);
  EXPECT_EQ(game.plies[1].depth, 2);
  stop_player(white);
  stop_player(black);
}

TEST(MatchProcess, IllegalMoveAndCrashLoseAndTheEngineIsStartedAgain) {
  init_tables();
  UciPlayer cheat = scripted("cheat", "echo 'info depth 1'; echo 'bestmove e2e5'");
  UciPlayer quitter = scripted("quitter", "exit 3");
  UciPlayer honest = brisvane("honest");
  start(cheat);
  start(quitter);
  start(honest);
  const Opening opening{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0};
  RefereeGame game;
  GameOutcome outcome = play_game(game, opening, cheat, honest, {5000, 0}, 0);
  EXPECT_EQ(outcome.result, "0-1");
  EXPECT_EQ(outcome.reason, "White plays an illegal move e2e5");
  EXPECT_TRUE(game.plies.empty());

  ASSERT_TRUE(start_new_game(honest));
  outcome = play_game(game, opening, honest, quitter, {5000, 0}, 0);
  EXPECT_EQ(outcome.result, "1-0");
  EXPECT_EQ(outcome.termination, "abandoned");
  EXPECT_EQ(game.plies.size(), 1u);
  // The crashed engine is gone and comes back for the next game.
  EXPECT_EQ(quitter.process, nullptr);
  start(quitter);
  stop_player(cheat);
  stop_player(quitter);
  stop_player(honest);
}

}  // namespace
