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
// that adds them up; the search's own lines stay hidden.
TEST(CommandLineProcess, SpeedSuite) {
  const ProcessResult run = run_brisvane("speed 3");
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
    sum += nodes;
  }
  EXPECT_EQ(lines[10].rfind("total nodes " + std::to_string(sum) + " time ", 0), 0u) << lines[10];
  EXPECT_NE(lines[10].find(" nps "), std::string::npos);
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
