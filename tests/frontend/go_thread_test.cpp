// The search thread seen from outside: the real engine driven over its pipes.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "frontend/options.h"
#include "frontend/search_thread.h"
#include "frontend/uci.h"
#include "search/startup.h"
#include "support/engine_process.h"

namespace {

bool starts_with(const std::string& line, const std::string& prefix) { return line.rfind(prefix, 0) == 0; }

int count_prefix(const std::vector<std::string>& lines, const std::string& prefix) {
  return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                        [&](const std::string& l) { return starts_with(l, prefix); }));
}

// Start-position moves as the engine writes them; a stopped search must still name one.
bool is_start_position_move(const std::string& bestmove_line) {
  static const std::vector<std::string> moves = {
      "a2a3", "a2a4", "b2b3", "b2b4", "c2c3", "c2c4", "d2d3", "d2d4", "e2e3", "e2e4",
      "f2f3", "f2f4", "g2g3", "g2g4", "h2h3", "h2h4", "b1a3", "b1c3", "g1f3", "g1h3"};
  if (!starts_with(bestmove_line, "bestmove ")) return false;
  return std::find(moves.begin(), moves.end(), bestmove_line.substr(9)) != moves.end();
}

// After a "bestmove" only the next search's header (or a main-thread answer) may follow:
// no search prints anything after its own "bestmove".
void expect_bestmove_ends_each_search(const std::vector<std::string>& lines) {
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (!starts_with(lines[i], "bestmove")) continue;
    const std::string& next = lines[i + 1];
    EXPECT_TRUE(starts_with(next, "info string white_mode=") || next == "readyok")
        << "line after " << lines[i] << ": " << next;
  }
}

// The word after name in line ("" when absent).
std::string word_after(const std::string& line, const std::string& name) {
  std::istringstream in(line);
  for (std::string word; in >> word;)
    if (word == name && in >> word) return word;
  return "";
}

// The last info line of a search starts its pv with the move it plays.
void expect_last_pv_starts_with_bestmove(const std::vector<std::string>& lines) {
  auto info =
      std::find_if(lines.rbegin(), lines.rend(), [](const std::string& l) { return starts_with(l, "info depth"); });
  ASSERT_TRUE(info != lines.rend() && starts_with(lines.back(), "bestmove "));
  EXPECT_EQ(word_after(*info, "pv"), word_after(lines.back(), "bestmove")) << *info;
}

// Reads up to the first info line of at least this depth. With helper threads a
// depth may be left out (a helper completed a deeper one first), so no test waits
// for one exact depth.
bool read_until_depth(EngineProcess& engine, int depth) {
  for (;;) {
    const auto got = engine.read_until("info depth ");
    if (!got.found) return false;
    if (std::stoi(word_after(got.lines.back(), "depth")) >= depth) return true;
  }
}

// Sends the lines and waits for the search's answer (end of input would stop it at once).
std::vector<std::string> search_to_bestmove(const std::string& input) {
  EngineProcess engine;
  std::istringstream lines(input);
  for (std::string line; std::getline(lines, line);) engine.send(line);
  const auto got = engine.read_until("bestmove");
  EXPECT_TRUE(got.found) << input;
  engine.send("quit");
  EXPECT_EQ(engine.wait_exit(), 0);
  return got.lines;
}

TEST(GoThread, StopWithoutSearchPrintsNothing) {
  const EngineRun run = run_engine("stop\nstop\nisready\n");
  EXPECT_EQ(run.lines, std::vector<std::string>{"readyok"});
  EXPECT_EQ(run.exit_code, 0);
}

TEST(GoThread, StopAfterFinishedSearchPrintsNoSecondBestmove) {
  EngineProcess engine;
  engine.send("go depth 2");
  const auto search = engine.read_until("bestmove");
  ASSERT_TRUE(search.found);
  EXPECT_TRUE(is_start_position_move(search.lines.back()));
  EXPECT_TRUE(starts_with(search.lines.front(), "info string white_mode="));
  engine.send("stop");
  engine.send("isready");
  EXPECT_EQ(engine.read_line(), "readyok");
  engine.send("quit");
  EXPECT_EQ(engine.wait_exit(), 0);
  EXPECT_TRUE(engine.read_available(50).empty());
}

TEST(GoThread, StopRightAfterGoInfiniteGivesOneLegalBestmove) {
  EngineProcess engine;
  engine.send("go infinite");
  engine.send("stop");
  engine.send("isready");
  const auto lines = engine.read_until("readyok");
  ASSERT_TRUE(lines.found);
  ASSERT_EQ(count_prefix(lines.lines, "bestmove"), 1);
  for (const std::string& l : lines.lines) {
    if (starts_with(l, "bestmove")) {
      EXPECT_TRUE(is_start_position_move(l)) << l;
    }
  }
  EXPECT_EQ(count_prefix(lines.lines, "info string tactical pick"), 0);
  engine.send("quit");
  EXPECT_EQ(engine.wait_exit(), 0);
}

TEST(GoThread, GoDuringGoEndsTheFirstSearchFirst) {
  EngineProcess engine;
  engine.send("go infinite");
  ASSERT_TRUE(engine.read_until("info depth 1 ").found);
  engine.send("go depth 1");
  const auto first = engine.read_until("bestmove");
  ASSERT_TRUE(first.found);
  const auto second = engine.read_until("bestmove");
  ASSERT_TRUE(second.found);
  ASSERT_FALSE(second.lines.empty());
  EXPECT_TRUE(starts_with(second.lines.front(), "info string white_mode="));
  EXPECT_EQ(count_prefix(second.lines, "info depth "), 1);
  EXPECT_TRUE(is_start_position_move(first.lines.back()));
  EXPECT_TRUE(is_start_position_move(second.lines.back()));
  engine.send("quit");
  EXPECT_EQ(engine.wait_exit(), 0);
}

TEST(GoThread, IsreadyIsAnsweredDuringASearch) {
  EngineProcess engine;
  engine.send("go infinite");
  ASSERT_TRUE(engine.read_until("info depth 1 ").found);
  engine.send("isready");
  const auto ready = engine.read_until("readyok");
  ASSERT_TRUE(ready.found);
  EXPECT_EQ(count_prefix(ready.lines, "bestmove"), 0);
  engine.send("stop");
  EXPECT_TRUE(engine.read_until("bestmove").found);
  engine.send("quit");
  EXPECT_EQ(engine.wait_exit(), 0);
}

TEST(GoThread, QuitDuringSearchPrintsItsBestmoveAndExitsCleanly) {
  const EngineRun run = run_engine("go infinite\nquit\n");
  EXPECT_EQ(run.exit_code, 0);
  ASSERT_FALSE(run.lines.empty());
  EXPECT_EQ(count_prefix(run.lines, "bestmove"), 1);
  EXPECT_TRUE(is_start_position_move(run.lines.back()));
}

TEST(GoThread, EndOfInputDuringSearchPrintsItsBestmoveAndExitsCleanly) {
  EngineProcess engine;
  engine.send("go infinite");
  ASSERT_TRUE(engine.read_until("info depth 1 ").found);
  engine.close_stdin();
  const auto rest = engine.read_until("bestmove");
  ASSERT_TRUE(rest.found);
  EXPECT_TRUE(is_start_position_move(rest.lines.back()));
  EXPECT_EQ(engine.wait_exit(), 0);
}

TEST(GoThread, NoLegalMoveAnswersNullMove) {
  // Fool's mate, then a stalemate.
  std::vector<std::string> lines = search_to_bestmove("position startpos moves f2f3 e7e5 g2g4 d8h4\ngo movetime 200");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "bestmove 0000");
  lines = search_to_bestmove("position fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1\ngo wtime 1000 btime 1000");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "bestmove 0000");
}

// A go whose limits leave no time, or cannot be used, still answers by itself with a
// searched legal move, and names to the GUI each value it could not use. A clock at
// zero is no fault: a bot's first move in a game without base time.
TEST(GoThread, EveryGoThatAsksForAnEndAnswersAndNamesWhatItCouldNotUse) {
  const std::pair<const char*, int> cases[] = {
      {"go wtime 0 btime 0 winc 1000 binc 1000", 0},
      {"go wtime 0 btime 0", 0},
      {"go depth 0", 2},  // the note and that nothing else ends the search
      {"go depth -4", 2},
      {"go depth x movetime 500", 1},
      {"go movetime -100", 1},
      {"go movetime abc", 1},
      {"go nodes 0", 2},
      {"go mate 0", 2},
      {"go wtime abc btime 1000 winc 100 binc 100", 1},
  };
  for (const auto& [input, notes] : cases) {
    const std::vector<std::string> lines = search_to_bestmove(input);
    ASSERT_FALSE(lines.empty()) << input;
    EXPECT_EQ(count_prefix(lines, "bestmove"), 1) << input;
    EXPECT_TRUE(is_start_position_move(lines.back())) << input << lines.back();
    EXPECT_EQ(count_prefix(lines, "info string go: "), notes) << input;
    EXPECT_GE(count_prefix(lines, "info depth "), 1) << input;
    expect_last_pv_starts_with_bestmove(lines);
  }
  const std::vector<std::string> lines = search_to_bestmove("go movetime -100");
  EXPECT_EQ(lines.front(), "info string go: movetime needs a number above 0, not '-100'; moving at once");
  // A bare go, as a limit that is left, keeps its meaning: it searches until "stop".
  EngineProcess engine;
  for (const char* go : {"go", "go depth 0 infinite"}) {
    engine.send(go);
    ASSERT_TRUE(engine.read_until("info depth 3 ").found) << go;
    EXPECT_FALSE(engine.read_until("bestmove", 300).found) << go;
    engine.send("stop");
    EXPECT_TRUE(engine.read_until("bestmove").found) << go;
  }
  engine.send("quit");
  EXPECT_EQ(engine.wait_exit(), 0);
}

TEST(GoThread, BoardDisplayDuringSearchShowsTheSearchedPosition) {
  EngineProcess engine;
  engine.send("position startpos moves e2e4 c7c5 g1f3");
  engine.send("d");
  const auto idle = engine.read_until("side=");
  ASSERT_TRUE(idle.found);
  engine.send("go infinite");
  ASSERT_TRUE(engine.read_until("info depth 2 ").found);
  // Several displays while the search keeps changing the live position.
  for (int i = 0; i < 20; ++i) {
    engine.send("d");
    const auto during = engine.read_until("side=");
    ASSERT_TRUE(during.found);
    std::vector<std::string> board;
    for (const std::string& l : during.lines) {
      if (!starts_with(l, "info ")) board.push_back(l);
    }
    EXPECT_EQ(board, idle.lines);
  }
  engine.send("stop");
  EXPECT_TRUE(engine.read_until("bestmove").found);
  engine.send("quit");
  EXPECT_EQ(engine.wait_exit(), 0);
}

TEST(GoThread, TacticalPickOnlyInTimedSearchesAndTheDepthShownDoesNotFall) {
  // The knight either forks king and rook (the search's choice) or takes the
  // other knight, a capture with a large exchange gain; a threshold of 300
  // lets the capture through, but only in a timed search with the selection on.
  const std::string setup =
      "setoption name TacticThreshold value 300\n"
      "position fen r3k3/8/8/3N4/1n6/8/8/6K1 w - - 0 1\n";
  const std::vector<std::string> timed = search_to_bestmove(setup + "go depth 3 movetime 60000");
  const std::vector<std::string> analysis = search_to_bestmove(setup + "go depth 3");
  const std::vector<std::string> switched_off =
      search_to_bestmove(setup + "setoption name TacticalMoveSelection value false\ngo depth 3 movetime 60000");
  ASSERT_EQ(count_prefix(timed, "info string tactical pick"), 1);
  for (std::size_t i = 0; i < timed.size(); ++i) {
    if (starts_with(timed[i], "info string tactical pick ")) {
      EXPECT_EQ(timed[i], "info string tactical pick d5b4 (best was d5c7)");
      // Then the selection's own search of the played move, the last info line.
      ASSERT_LT(i + 2, timed.size());
      EXPECT_TRUE(starts_with(timed[i + 1], "info depth 3 score ")) << timed[i + 1];
      EXPECT_TRUE(starts_with(timed[i + 2], "bestmove")) << timed[i + 2];
    }
  }
  for (const auto* run : {&timed, &analysis, &switched_off}) expect_last_pv_starts_with_bestmove(*run);
  EXPECT_EQ(timed.back(), "bestmove d5b4");
  // Deeper than the selection's own searches go: its line still carries the depth
  // the search completed, so the depth a GUI shows does not fall.
  const std::vector<std::string> deep = search_to_bestmove(setup + "go depth 9 movetime 60000");
  ASSERT_EQ(count_prefix(deep, "info string tactical pick"), 1);
  ASSERT_GE(deep.size(), 3u);
  EXPECT_TRUE(starts_with(deep.end()[-2], "info depth 9 ")) << deep.end()[-2];
  EXPECT_TRUE(starts_with(deep.end()[-3], "info string tactical pick ")) << deep.end()[-3];
  expect_last_pv_starts_with_bestmove(deep);
  EXPECT_EQ(analysis.back(), "bestmove d5c7");
  EXPECT_EQ(count_prefix(analysis, "info string tactical pick"), 0);
  EXPECT_EQ(count_prefix(switched_off, "info string tactical pick"), 0);
  EXPECT_EQ(count_prefix(timed, "bestmove"), 1);
  EXPECT_EQ(count_prefix(analysis, "bestmove"), 1);
  EXPECT_EQ(count_prefix(switched_off, "bestmove"), 1);
}

// Limits: each would run on to depth 64, or pick another move, if ignored.
TEST(GoThread, NodesMateAndSearchmovesLimitTheSearch) {
  std::vector<std::string> lines = search_to_bestmove("go nodes 30000");
  for (const std::string& l : lines) {
    if (starts_with(l, "info depth ")) {
      EXPECT_LE(std::stoll(word_after(l, "nodes")), 30000 + 4096) << l;
    }
  }
  for (const int threads : {1, 2}) {
    const std::string mate_in_two =
        "setoption name Threads value " + std::to_string(threads) + "\nposition fen 7k/8/8/8/8/8/R7/1R4K1 w - - 0 1\n";
    lines = search_to_bestmove(mate_in_two + "go mate 2");  // ends at the first line that proves it
    EXPECT_EQ(word_after(lines.end()[-2], "mate"), "2");
    // One line per depth; with a helper, a depth it went past may be left out.
    const int depth = std::stoi(word_after(lines.end()[-2], "depth"));
    if (threads == 1) {
      EXPECT_EQ(count_prefix(lines, "info depth "), depth);
    }
    EXPECT_LE(count_prefix(lines, "info depth "), depth);
    EXPECT_EQ(word_after(search_to_bestmove(mate_in_two + "go mate 1 depth 6").end()[-2], "depth"), "6");
  }
  lines = search_to_bestmove("go depth 5 searchmoves a2a3 h2h3");
  for (const std::string& l : lines) {
    if (starts_with(l, "info depth ")) {
      EXPECT_TRUE(word_after(l, "pv") == "a2a3" || word_after(l, "pv") == "h2h3") << l;
    }
  }
  expect_last_pv_starts_with_bestmove(lines);
  // Junk only: no restriction.
  EXPECT_EQ(search_to_bestmove("go depth 5 searchmoves e2e5 zz").back(), search_to_bestmove("go depth 5").back());
}

// Stop: the first iterations complete whatever arrives, so a mate in one is played.
TEST(GoThread, StopOrEndOfInputRightAfterGoStillPlaysTheMateInOne) {
  for (const std::string go : {"go depth 5\n", "go infinite\nstop\n", "go infinite\nquit\n", "go nodes 1\n",
                               "go wtime 1 btime 1\n", "go movetime 1\n"}) {
    const EngineRun run = run_engine("position fen 6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1\n" + go);
    EXPECT_EQ(run.exit_code, 0);
    ASSERT_FALSE(run.lines.empty()) << go;
    EXPECT_EQ(run.lines.back(), "bestmove a1a8") << go;
    expect_last_pv_starts_with_bestmove(run.lines);
  }
}

// An infinite search with nothing left to search keeps its answer until "stop".
TEST(GoThread, InfiniteSearchAnswersOnlyAfterStop) {
  EngineProcess engine;
  // The second time with a helper; "infinite" overrides the depth.
  for (const auto& [setup, go, depth] :
       {std::tuple{"position fen 7k/8/8/8/8/8/8/K7 w - - 0 1", "go infinite", 64},
        std::tuple{"setoption name Threads value 2\nposition startpos", "go infinite depth 6", 6}}) {
    engine.send(setup);
    engine.send(go);
    ASSERT_TRUE(read_until_depth(engine, depth)) << go;
    EXPECT_FALSE(engine.read_until("bestmove", 300).found) << go;
    engine.send("stop");
    EXPECT_TRUE(engine.read_until("bestmove").found) << go;
  }
  engine.send("position fen R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1");  // mated
  engine.send("go infinite");
  EXPECT_FALSE(engine.read_until("bestmove", 300).found);
  engine.send("stop");
  engine.send("stop");
  EXPECT_EQ(engine.read_until("bestmove").lines.back(), "bestmove 0000");
  engine.send("quit");
  EXPECT_EQ(engine.wait_exit(), 0);
}

// Ponder: no answer before "ponderhit" or "stop", though the go line's budget (a
// few ms) or depth is long spent; either one makes it answer.
TEST(GoThread, PonderSearchWaitsForPonderhitOrStop) {
  EngineProcess engine;
  for (const std::string release : {"ponderhit", "stop"}) {
    for (const std::string go : {"go ponder wtime 1000 btime 1000", "go ponder depth 3 movetime 50"}) {
      engine.send("position startpos moves e2e4");
      engine.send(go);
      ASSERT_TRUE(engine.read_until("info depth 3 ").found) << go;
      EXPECT_FALSE(engine.read_until("bestmove", 400).found) << go;
      engine.send(release);
      EXPECT_TRUE(engine.read_until("bestmove").found) << go << " " << release;
      engine.send("ponderhit");  // after the answer: nothing happens
    }
  }
  engine.send("isready");
  EXPECT_EQ(engine.read_line(), "readyok");
  engine.send("quit");
  EXPECT_EQ(engine.wait_exit(), 0);
}

// Ponder on: the answer names the reply its line expects, when the line has one.
// In-process, with the option set as setoption would.
TEST(GoThread, BestmoveNamesThePonderMoveWhenPonderIsOn) {
  init_tables();
  auto answer = [](const std::string& fen, bool ponder) {
    ponder_enabled = ponder;
    ::testing::internal::CaptureStdout();
    uci_command("position fen " + fen);
    uci_command("go infinite");
    wait_search_done();  // stopped, but after two iterations: a line of two moves
    std::istringstream out(::testing::internal::GetCapturedStdout());
    std::vector<std::string> lines;
    for (std::string line; std::getline(out, line);) lines.push_back(line);
    ponder_enabled = false;
    return lines;
  };
  const std::string start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
  const std::vector<std::string> lines = answer(start, true);
  const std::string pv = lines.end()[-2].substr(lines.end()[-2].find(" pv ") + 4);
  EXPECT_EQ(lines.back(), "bestmove " + pv.substr(0, 4) + " ponder " + pv.substr(5, 4));
  EXPECT_EQ(answer("6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1", true).back(), "bestmove a1a8");  // mate: no reply
  EXPECT_EQ(answer(start, false).back().find(" ponder "), std::string::npos);
}

TEST(GoThread, StressGoStopAndGoGo) {
  EngineProcess engine;
  std::vector<std::string> all;
  int searches = 0;
  for (int cycle = 0; cycle < 1000; ++cycle) {
    if (cycle % 2 == 0) {
      engine.send("go infinite");
      engine.send("stop");
      searches += 1;
    } else {
      engine.send(cycle % 4 == 1 ? "go movetime 1" : "go wtime 100 btime 100");
      engine.send("go depth 1");
      searches += 2;
    }
    for (int k = 0; k < (cycle % 2 == 0 ? 1 : 2); ++k) {
      const auto got = engine.read_until("bestmove");
      ASSERT_TRUE(got.found) << "cycle " << cycle;
      EXPECT_TRUE(is_start_position_move(got.lines.back())) << got.lines.back();
      all.insert(all.end(), got.lines.begin(), got.lines.end());
    }
  }
  engine.send("isready");
  const auto tail = engine.read_until("readyok");
  ASSERT_TRUE(tail.found);
  all.insert(all.end(), tail.lines.begin(), tail.lines.end());
  EXPECT_EQ(count_prefix(all, "bestmove"), searches);
  EXPECT_EQ(count_prefix(all, "info string white_mode="), searches);
  expect_bestmove_ends_each_search(all);
  engine.send("quit");
  EXPECT_EQ(engine.wait_exit(), 0);
}

TEST(GoThread, StressGoStopAndQuitWithHelperThreads) {
  for (const int threads : {2, 4}) {
    EngineProcess engine;
    engine.send("setoption name Threads value " + std::to_string(threads));
    std::vector<std::string> all;
    const char* searches[] = {"go infinite", "go movetime 1", "go depth 3", "go depth 5 searchmoves h2h3 a2a3"};
    for (int cycle = 0; cycle < 160; ++cycle) {
      engine.send(searches[cycle % 4]);
      if (cycle % 4 == 0) engine.send("stop");
      const auto got = engine.read_until("bestmove");
      ASSERT_TRUE(got.found) << threads << " threads, cycle " << cycle;
      EXPECT_TRUE(is_start_position_move(got.lines.back())) << got.lines.back();
      if (cycle % 4 == 3) {
        EXPECT_TRUE(got.lines.back() == "bestmove h2h3" || got.lines.back() == "bestmove a2a3");
      }
      all.insert(all.end(), got.lines.begin(), got.lines.end());
    }
    EXPECT_EQ(count_prefix(all, "bestmove"), 160);
    expect_bestmove_ends_each_search(all);
    // Changing Threads during a search first ends that search.
    engine.send("go infinite");
    ASSERT_TRUE(read_until_depth(engine, 2));
    engine.send("setoption name Threads value " + std::to_string(6 - threads));
    engine.send("isready");
    const auto changed = engine.read_until("readyok");
    ASSERT_TRUE(changed.found);
    EXPECT_EQ(count_prefix(changed.lines, "bestmove"), 1);
    // Quit during a search: its answer, then an exit that leaves no thread behind.
    engine.send("go infinite");
    engine.send("quit");
    EXPECT_TRUE(engine.read_until("bestmove").found);
    EXPECT_EQ(engine.wait_exit(), 0);
  }
}

TEST(GoThread, ManyMoreThreadsThanCoresStillAnswer) {
  const std::vector<std::string> lines = search_to_bestmove("setoption name Threads value 64\ngo depth 4");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(count_prefix(lines, "info depth 4 "), 1);
  EXPECT_TRUE(is_start_position_move(lines.back())) << lines.back();
}

}  // namespace
