// The "go" words and the search arguments they give, without starting a search.

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>

#include "board/notation.h"
#include "board/position.h"
#include "board/types.h"
#include "frontend/go.h"
#include "frontend/options.h"
#include "search/startup.h"
#include "search/timeman.h"

namespace {

GoLimits parse(const std::string& text) {
  std::istringstream words(text);
  return parse_go_limits(words);
}

SearchLimits args_for(const std::string& text, int side_to_move = WHITE) {
  return derive_search_args(parse(text), side_to_move);
}

void expect_args(const SearchLimits& args, int max_depth, int movetime_ms, bool analysis) {
  EXPECT_EQ(args.depth, max_depth);
  EXPECT_EQ(args.movetime_ms, movetime_ms);
  EXPECT_EQ(args.analysis, analysis);
}

// The budget formulas below are the bare ones: no move overhead, one line.
class GoArgs : public ::testing::Test {
 protected:
  void SetUp() override {
    move_overhead_ms = 0;
    multi_pv = 1;
  }
  void TearDown() override {
    move_overhead_ms = 10;
    multi_pv = 1;
  }
};

std::vector<std::string> texts(const std::vector<Move>& moves) {
  std::vector<std::string> out;
  for (const Move& m : moves) out.push_back(move_to_str(m));
  return out;
}

TEST(GoLimits, DefaultsWithoutWords) {
  const GoLimits limits = parse("");
  EXPECT_EQ(limits.depth, 64);
  EXPECT_FALSE(limits.time.movetime || limits.time.wtime || limits.time.btime);
  EXPECT_EQ(limits.time.winc, 0);
  EXPECT_EQ(limits.time.binc, 0);
  EXPECT_FALSE(limits.infinite);
  EXPECT_TRUE(limits.faults.empty());
}

TEST(GoLimits, EveryWordAndLastOneWins) {
  const GoLimits limits = parse("depth 3 movetime 10 wtime 1 btime 2 winc 3 binc 4 depth 7 wtime 5");
  EXPECT_EQ(limits.depth, 7);
  EXPECT_EQ(limits.time.movetime, 10);
  EXPECT_EQ(limits.time.wtime, 5);
  EXPECT_EQ(limits.time.btime, 2);
  EXPECT_EQ(limits.time.winc, 3);
  EXPECT_EQ(limits.time.binc, 4);
  EXPECT_TRUE(parse("wtime 5 infinite").infinite);
  // A clock at zero is a clock: a game without base time.
  EXPECT_EQ(parse("wtime 0 btime 0").time.wtime, 0);
  EXPECT_TRUE(parse("wtime 0 btime 0 winc 0").faults.empty());
}

TEST(GoLimits, OtherWordsAndTheirNumbersAreSkipped) {
  const GoLimits limits = parse("seldepth 7 ponder movestogo 40 nodes 1000 mate 3 searchmoves e2e4 d2d4 depth 5");
  EXPECT_EQ(limits.depth, 5);
  EXPECT_FALSE(limits.time.movetime);
  EXPECT_FALSE(limits.infinite);
}

TEST(GoLimits, ClientWordsAndSearchmovesUpToTheNextGoWord) {
  const GoLimits limits = parse("ponder mate 3 movestogo 12 searchmoves e2e4 junk d2d4 nodes 100 depth 5");
  EXPECT_TRUE(limits.ponder);
  EXPECT_EQ(limits.mate + limits.time.movestogo + limits.nodes + limits.depth, 3 + 12 + 100 + 5);
  EXPECT_EQ(limits.searchmoves, (std::vector<std::string>{"e2e4", "junk", "d2d4"}));
  EXPECT_TRUE(parse("searchmoves infinite").infinite);
}

// A value that cannot be used is noted, in the words a GUI will show, and the words
// after it are still read: a clock further on must not be lost.
TEST(GoLimits, UnusableValuesAreNotedAndTheReadingGoesOn) {
  GoLimits limits = parse("depth x movetime 500");
  EXPECT_EQ(limits.depth, 64);
  EXPECT_EQ(limits.time.movetime, 500);
  EXPECT_EQ(limits.faults, std::vector<std::string>{"depth needs a number above 0, not 'x'; ignored"});
  // A missing value does not take the next go word for one.
  limits = parse("mate depth 5 movetime");
  EXPECT_EQ(limits.depth, 5);
  EXPECT_EQ(limits.time.movetime, 0);
  EXPECT_EQ(limits.faults, (std::vector<std::string>{"mate needs a number above 0; ignored",
                                                     "movetime needs a number above 0; moving at once"}));
  limits = parse("nodes 0 mate -2 movestogo 0 movetime -100 wtime abc btime -1 winc -5 binc 7 depth 3");
  EXPECT_EQ(limits.depth, 3);
  EXPECT_EQ(limits.nodes + limits.mate + limits.time.movestogo, 0);
  // A time word keeps what it read (0 for no number): the time manager's to judge.
  EXPECT_EQ(limits.time.movetime, -100);
  EXPECT_EQ(limits.time.wtime, 0);
  EXPECT_EQ(limits.time.winc, -5);
  EXPECT_EQ(limits.faults.size(), 7u);
  EXPECT_EQ(limits.faults[4], "wtime needs a number, 0 or more, not 'abc'; no time left");
}

TEST(GoLimits, SignsAndTrailingCharacters) {
  EXPECT_EQ(parse("wtime -500").time.wtime, -500);
  EXPECT_EQ(parse("wtime +500").time.wtime, 500);
  // Digits are read up to the first other character, which starts a word of its own.
  const GoLimits limits = parse("depth 12abc movetime 40");
  EXPECT_EQ(limits.depth, 12);
  EXPECT_EQ(limits.time.movetime, 40);
  EXPECT_TRUE(limits.faults.empty());
}

TEST(GoLimits, OutOfRangeValuesClampToTheNearestEnd) {
  EXPECT_EQ(parse("wtime 2147483647").time.wtime, INT_MAX);
  EXPECT_EQ(parse("wtime -2147483648").time.wtime, INT_MIN);
  const GoLimits high = parse("wtime 2147483648 depth 3");
  EXPECT_EQ(high.time.wtime, INT_MAX);
  EXPECT_EQ(high.depth, 3);
  EXPECT_EQ(parse("btime -99999999999999999999999").time.btime, INT_MIN);
}

// The formula itself is the time manager's (tests/search/timeman_test.cpp); here,
// that the side to move's clock, increment and the moves to go reach it.
TEST_F(GoArgs, TheSideToMovesClockGivesTheBudget) {
  expect_args(args_for("wtime 60000 btime 60000 winc 1000 binc 1000"), 64, 2500, false);
  expect_args(args_for("wtime 60000 btime 30000 winc 1000 binc 0", BLACK), 64, 1000, false);
  expect_args(args_for("btime 60000"), 64, 10, false);  // White to move, White's clock missing
  expect_args(args_for("wtime 60000 depth 9"), 9, 2000, false);
  expect_args(args_for("wtime 10000 winc 1000 movestogo 5"), 64, 2500, false);
  expect_args(args_for("btime 9000 movestogo 3", BLACK), 64, 3000, false);
  expect_args(args_for("wtime 1000 winc 5000"), 64, 500, false);
}

TEST_F(GoArgs, MovetimeOverridesClocksAndPassesUnchanged) {
  expect_args(args_for("movetime 1000 wtime 60000"), 64, 1000, false);
  // None left, or none readable: the smallest budget, the answer at once.
  expect_args(args_for("wtime 60000 movetime -5 depth 4"), 4, MIN_CLOCK_BUDGET_MS, false);
  expect_args(args_for("movetime abc"), 64, MIN_CLOCK_BUDGET_MS, false);
}

// A clock at zero is still a clock: the move is paid from the increment, or made at once.
TEST_F(GoArgs, ClocksAtZeroMoveWithinTheIncrement) {
  expect_args(args_for("wtime 0 btime 0 winc 1000 binc 1000"), 64, 500, false);
  expect_args(args_for("wtime 0 btime 0 winc 1000 binc 400", BLACK), 64, 200, false);
  expect_args(args_for("wtime 0 btime 0"), 64, MIN_CLOCK_BUDGET_MS, false);
  expect_args(args_for("wtime abc btime 60000 winc 1000"), 64, 500, false);
}

TEST_F(GoArgs, InfiniteOverridesDepthAndMovetime) {
  expect_args(args_for("infinite depth 5"), 64, 0, true);
  expect_args(args_for("depth 5 movetime 200 infinite"), 64, 0, true);
}

TEST_F(GoArgs, DepthOnlyAndBareGoAreAnalysis) {
  expect_args(args_for("depth 6"), 6, 0, true);
  expect_args(args_for(""), 64, 0, true);
  expect_args(args_for("nodes 500"), 64, 0, true);
  expect_args(args_for("depth x movetime 500"), 64, 500, false);
}

// A line that asked for a limit it cannot have still ends on its own; "infinite" and
// a limit that is left keep their meaning.
TEST_F(GoArgs, AnUnusableLimitNeverLeavesTheSearchWithoutAnEnd) {
  for (const char* line : {"depth -3", "depth 0", "nodes 0", "mate 0", "movestogo x", "winc -4"})
    expect_args(args_for(line), 64, MIN_CLOCK_BUDGET_MS, true);
  expect_args(args_for("depth 0 infinite"), 64, 0, true);
  expect_args(args_for("depth 0 wtime 60000"), 64, 2000, false);
  expect_args(args_for("mate 0 depth 5"), 5, 0, true);
  EXPECT_EQ(args_for("depth 0 nodes 700").nodes, 700);
  expect_args(args_for("depth 0 nodes 700"), 64, 0, true);
}

TEST_F(GoArgs, NodesComeAlongWithTheOtherLimits) {
  EXPECT_EQ(args_for("nodes 30000").nodes, 30000);
  EXPECT_EQ(args_for("wtime 60000 nodes 500").nodes, 500);
  expect_args(args_for("wtime 60000 nodes 500"), 64, 2000, false);
  EXPECT_EQ(args_for("depth 3").nodes, 0);
}

TEST_F(GoArgs, PonderMateAndMultiPvComeAlong) {
  const SearchLimits args = args_for("ponder wtime 60000 mate 4");
  expect_args(args, 64, 2000, false);  // the timed search for after the ponderhit
  EXPECT_TRUE(args.ponder);
  EXPECT_EQ(args.mate, 4);
  EXPECT_EQ(args.multipv, 1);
  multi_pv = 3;
  EXPECT_EQ(args_for("depth 5").multipv, 3);
}

TEST_F(GoArgs, MoveOverheadComesOffTheClockOnly) {
  move_overhead_ms = 10;
  expect_args(args_for("wtime 60000 btime 60000 winc 1000 binc 1000"), 64, 2499, false);
  move_overhead_ms = 1000;
  expect_args(args_for("wtime 4000"), 64, 100, false);
  expect_args(args_for("movetime 500"), 64, 500, false);  // a fixed time is not a clock
}

TEST_F(GoArgs, SearchmovesKeepTheLegalMovesOfThePositionOnce) {
  init_tables();
  init_board_startpos();
  EXPECT_EQ(texts(args_for("searchmoves h2h3 e2e5 zz a2a3 h2h3 g1f3q g1f3").searchmoves),
            (std::vector<std::string>{"h2h3", "a2a3", "g1f3"}));
  EXPECT_TRUE(args_for("searchmoves e2e5 0000").searchmoves.empty());  // none legal: no restriction
  load_fen("4k3/8/8/8/8/8/3q4/R3K3 w - - 0 1");  // in check: a1a2 and e1d1 are not legal
  EXPECT_EQ(texts(args_for("searchmoves a1a2 e1d1 e1d2").searchmoves), (std::vector<std::string>{"e1d2"}));
}

}  // namespace
