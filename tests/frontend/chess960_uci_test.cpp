// Chess960 over UCI: castling text in the active form everywhere the engine reads or
// writes moves, and "go perft" as test scripts and GUI consoles read it.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/engine_process.h"

namespace {

using Lines = std::vector<std::string>;

const std::string CORNERS = "position fen rk5r/8/8/8/8/8/8/RK5R w HAha - 0 1";
const std::string ON = "setoption name UCI_Chess960 value true\n";

Lines dialogue(const std::string& input, const std::vector<std::string>& args = {}) {
  EngineRun run = run_engine(input, args);
  EXPECT_EQ(run.exit_code, 0) << "input:\n" << input;
  return run.lines;
}

bool has_line(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The "MOVE: COUNT" lines of one "go perft" answer, its empty line and its total: the
// end of input lets the count finish.
Lines perft_answer(const std::string& setup, int depth, const std::vector<std::string>& args = {}) {
  return dialogue(setup + "go perft " + std::to_string(depth) + "\n", args);
}

TEST(Chess960Uci, GoPerftListsEveryRootMoveThenTheTotal) {
  const Lines start = perft_answer("position startpos\n", 2);
  ASSERT_EQ(start.size(), 22u);
  EXPECT_EQ(start[0], "a2a3: 20");
  EXPECT_EQ(start[19], "g1h3: 20");
  EXPECT_EQ(start[20], "");
  EXPECT_EQ(start[21], "Nodes searched: 400");
  // The end of input lets a count finish, deep enough to look at the stop.
  const Lines deeper = perft_answer("position startpos\n", 5);
  ASSERT_EQ(deeper.size(), 22u);
  EXPECT_EQ(deeper[0], "a2a3: 181046");
  EXPECT_EQ(deeper[21], "Nodes searched: 4865609");
  // Kiwipete's two castlings, in the form of each mode; 2039 leaves in both.
  const std::string kiwipete =
      "position fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1\n";
  const Lines standard = perft_answer(kiwipete, 2);
  EXPECT_TRUE(has_line(standard, "e1g1: 43") && has_line(standard, "e1c1: 43"));
  EXPECT_TRUE(has_line(standard, "Nodes searched: 2039"));
  const Lines in960 = perft_answer(ON + kiwipete, 2);
  EXPECT_TRUE(has_line(in960, "e1h1: 43") && has_line(in960, "e1a1: 43"));
  EXPECT_TRUE(has_line(in960, "Nodes searched: 2039"));
  // A 960 set-up, with the command line switch.
  const Lines corners = perft_answer(CORNERS + "\n", 3, {"--chess960"});
  EXPECT_TRUE(has_line(corners, "b1h1: 476") && has_line(corners, "b1a1: 489")) << corners.size();
  EXPECT_TRUE(has_line(corners, "Nodes searched: 11099")) << corners.size();
  // No depth, or one below 1: nothing to count.
  EXPECT_EQ(perft_answer("", 0), (Lines{"", "Nodes searched: 0"}));
  EXPECT_EQ(dialogue("go perft\ngo perft -3\n"), (Lines{"", "Nodes searched: 0", "", "Nodes searched: 0"}));
}

TEST(Chess960Uci, StopEndsALongPerft) {
  EngineProcess engine;
  // A depth far beyond any that could finish runs until stopped, without exhausting the stack.
  ASSERT_TRUE(engine.send("go perft 2000000000"));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  ASSERT_TRUE(engine.send("stop"));
  ASSERT_TRUE(engine.send("isready"));
  const auto lines = engine.read_until("readyok");
  ASSERT_TRUE(lines.found);
  // The root moves finished before the stop, if any, then the total of those.
  ASSERT_GE(lines.lines.size(), 3u);
  EXPECT_EQ(lines.lines[lines.lines.size() - 3], "");
  EXPECT_EQ(lines.lines[lines.lines.size() - 2].rfind("Nodes searched: ", 0), 0u);
  ASSERT_TRUE(engine.send("quit"));
  EXPECT_EQ(engine.wait_exit(), 0);
}

TEST(Chess960Uci, CastlingTextFollowsTheModeInPositionSearchmovesAndBestmove) {
  // The castling is played in the mode's form; the other form is an unknown move,
  // skipped and named.
  const Lines played = dialogue(ON + CORNERS + " moves b1g1 b1h1 b8a8\nd\n");
  ASSERT_GE(played.size(), 10u);
  EXPECT_EQ(played[0], "info string position: skipped 'b1g1', not a legal move there");
  EXPECT_EQ(played[8], "R . . . . R K . ");
  EXPECT_EQ(played[1], ". . k r . . . r ");
  const Lines standard = dialogue(CORNERS + " moves b1h1 b1g1\nd\n");
  ASSERT_GE(standard.size(), 10u);
  EXPECT_EQ(standard[0], "info string position: skipped 'b1h1', not a legal move there");
  EXPECT_EQ(standard[8], "R . . . . R K . ");
  // searchmoves, bestmove and the info lines' moves in the active form.
  Lines search = dialogue(ON + CORNERS + "\ngo depth 3 searchmoves b1a1 b1g1\n");
  EXPECT_EQ(search.back(), "bestmove b1a1");
  for (const std::string& line : search) {
    if (line.find(" pv ") == std::string::npos) continue;
    EXPECT_NE(line.find(" pv b1a1"), std::string::npos) << line;
  }
  search = dialogue(CORNERS + "\ngo depth 3 searchmoves b1g1 b1h1\n");
  EXPECT_EQ(search.back(), "bestmove b1g1");
}

}  // namespace
