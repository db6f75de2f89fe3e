// The one-shot command words, run through the built program as a user would.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "style/search_mode.h"

namespace {

struct ProcessResult {
  std::string output;
  int status = -1;
};

// Runs the program with the given arguments and no input; collects all it prints.
ProcessResult run_brisvane(const std::string& args) {
  ProcessResult run;
  const std::string command = std::string(BRISVANE_BINARY) + " " + args + " </dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, got);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

void expect_output(const std::string& args, const std::string& expected) {
  const ProcessResult run = run_brisvane(args);
  EXPECT_EQ(run.output, expected) << args;
  EXPECT_EQ(run.status, 0) << args;
}

TEST(CommandLineProcess, Perft) {
  expect_output("perft", "perft(5) = 4865609\n");
  expect_output("perft 0", "perft(0) = 1\n");
  expect_output("perft 1", "perft(1) = 20\n");
  expect_output("perft 3 extra words", "perft(3) = 8902\n");
  // The count is what the number conversion gave, not the text typed.
  expect_output("perft x", "perft(0) = 1\n");
  expect_output("perft 02", "perft(2) = 400\n");
  expect_output("perft -2", "perft(-2) = 1\n");
}

TEST(CommandLineProcess, Kiwipete) {
  expect_output("kiwipete", "perft(4) on kiwipete = 4085603\n");
  expect_output("kiwipete 1", "perft(1) on kiwipete = 48\n");
  expect_output("--no-tactics kiwipete --mode Deep 2", "perft(2) on kiwipete = 2039\n");
}

// The speed suite, capped at a shallow depth: one line per position, then a total
// that adds them up; the search's own lines stay hidden. A style name, before or after
// the depth, searches every position with both sides in it.
TEST(CommandLineProcess, SpeedSuite) {
  for (const std::string style : {"", "PassedPawn"}) {
    for (const std::string args : {"speed 3 " + style, "speed " + style + " 3"}) {
      const ProcessResult run = run_brisvane(args);
      EXPECT_EQ(run.status, 0);
      std::istringstream in(run.output);
      std::vector<std::string> lines;
      for (std::string line; std::getline(in, line);) lines.push_back(line);
      ASSERT_EQ(lines.size(), 11u) << run.output;
      long long sum = 0;
      for (std::size_t i = 0; i < 10; ++i) {
        std::istringstream words(lines[i]);
        std::string position, number, depth_word, white_word, white, black_word, black, nodes_word, time_word;
        int depth = 0;
        long long nodes = -1, ms = -1;
        words >> position >> number >> depth_word >> depth >> white_word >> white >> black_word >> black >> nodes_word >>
            nodes >> time_word >> ms;
        EXPECT_EQ(position + " " + number, "position " + std::to_string(i + 1)) << lines[i];
        EXPECT_EQ(depth_word + white_word + black_word + nodes_word + time_word, "depthwhiteblacknodestime") << lines[i];
        EXPECT_EQ(depth, 3) << lines[i];
        EXPECT_GT(nodes, 0) << lines[i];
        EXPECT_GE(ms, 0) << lines[i];
        if (!style.empty()) EXPECT_EQ(white + " " + black, style + " " + style) << lines[i];
        sum += nodes;
      }
      EXPECT_EQ(lines[10].rfind("total nodes " + std::to_string(sum) + " time ", 0), 0u) << lines[10];
      EXPECT_NE(lines[10].find(" nps "), std::string::npos);
    }
  }
}

// Anything but a task word runs the UCI loop, which ends at the end of input.
TEST(CommandLineProcess, OtherWordsRunTheUciLoop) {
  for (const char* args : {"", "uci", "3 perft", "--mode", "--mode perft 2", "Perft 2"}) {
    const ProcessResult run = run_brisvane(args);
    EXPECT_EQ(run.output.find("perft("), std::string::npos) << args;
    EXPECT_EQ(run.status, 0) << args;
  }
}

}  // namespace

TEST(CommandLineProcess, HelpAndVersionPrintAndExit) {
  const ProcessResult help = run_brisvane("--no-tactics --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.output.rfind("usage: brisvane", 0), 0u) << help.output;
  for (const char* word : {"perft", "kiwipete", "bench", "speed", "styles", "--threshold", "--threads", "--version"})
    EXPECT_NE(help.output.find(word), std::string::npos) << word;
  for (const StyleEntry& style : STYLES)
    EXPECT_NE(help.output.find(std::string(" ") + style.name), std::string::npos) << style.name;
  EXPECT_EQ(run_brisvane("-h").output, help.output);
  const ProcessResult version = run_brisvane("--version");
  EXPECT_EQ(version.output.rfind("Brisvane ", 0), 0u);
  EXPECT_EQ(std::count(version.output.begin(), version.output.end(), '\n'), 1);
}

namespace {

std::string temporary(const std::string& name) { return "/tmp/brisvane_cmdline_" + name; }

void write_text(const std::string& path, const std::string& text) {
  FILE* file = std::fopen(path.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs(text.c_str(), file);
  std::fclose(file);
}

// A book made from games gives back their moves, weighted by the results; a game it
// cannot read is named and skipped.
TEST(BookCommand, BuildThenProbe) {
  const std::string pgn = temporary("games.pgn"), book = temporary("games.bin");
  write_text(pgn,
             "[White \"A\"]\n[Black \"B\"]\n[Result \"1-0\"]\n\n1. e4 e5 2. Nf3 Nc6 1-0\n\n"
             "[White \"C\"]\n[Black \"D\"]\n[Result \"1/2-1/2\"]\n\n1. e4 c5 2. Nf3 1/2-1/2\n\n"
             "[White \"E\"]\n[Black \"F\"]\n[Result \"0-1\"]\n\n1. d4 d5 2. Ke3 0-1\n\n"
             "[White \"G\"]\n[Black \"H\"]\n[Result \"0-1\"]\n\n1. c4 e5 0-1\n");
  std::remove(book.c_str());
  ProcessResult run = run_brisvane("book build " + pgn + " " + book + " --max-ply 3 2>&1");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("skipped game 3 (E - F, round ?): White's move 'Ke3' at ply 3 is not legal"),
            std::string::npos) << run.output;
  EXPECT_NE(run.output.find("3 games read, 1 skipped"), std::string::npos) << run.output;
  // e4 won once and drew once (2 + 1); c4 lost.
  expect_output("book probe " + book, "key 463b96181691fc9c, moves in the book: 2\ne4 weight 3 (100%)\nc4 weight 0 (0%)\n");
  expect_output("book probe " + book + " rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
                "key 823c9b50fd114196, moves in the book: 2\nc5 weight 1 (100%)\ne5 weight 0 (0%)\n");
  // --max-ply 3 kept Black's second moves out.
  run = run_brisvane("book probe " + book + " rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2");
  EXPECT_NE(run.output.find("moves in the book: 0"), std::string::npos) << run.output;
  // --min-count 2 keeps only the moves two games played.
  run = run_brisvane("book build " + pgn + " " + book + " --min-count=2 2>/dev/null");
  EXPECT_EQ(run.status, 0);
  expect_output("book probe " + book, "key 463b96181691fc9c, moves in the book: 1\ne4 weight 3 (100%)\n");
  // Nothing to build, or a file that is not a book: a failure, and the book is left as it was.
  EXPECT_EQ(run_brisvane("book build " + pgn + " " + book + " --min-count 9 2>/dev/null").status, 1);
  EXPECT_EQ(run_brisvane("book probe " + book).status, 0);
  EXPECT_EQ(run_brisvane("book probe " + pgn + " 2>/dev/null").status, 1);
  EXPECT_EQ(run_brisvane("book build /nonexistent.pgn " + book + " 2>/dev/null").status, 1);
  EXPECT_EQ(run_brisvane("book 2>/dev/null").status, 1);
  // One game, one entry: counted in the singular.
  write_text(pgn, "[White \"A\"]\n[Black \"B\"]\n[Result \"1-0\"]\n\n1. e4 1-0\n");
  expect_output("book build " + pgn + " " + book, "1 game read, 0 skipped; 1 entry written to " + book + "\n");
  // A position the engine cannot play has no key to probe: the engine's own check says why.
  run = run_brisvane("book probe " + book + " 4k3/8/8/8/8/8/4R3/4K3 w - - 0 1 2>&1");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("has the side not to move in check"), std::string::npos) << run.output;
}

}  // namespace
