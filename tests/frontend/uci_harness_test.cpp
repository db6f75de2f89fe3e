// The process harness itself: a child that misbehaves must fail a test, not
// hang it.

#include <gtest/gtest.h>

#include <chrono>

#include "support/engine_process.h"

TEST(EngineHarness, ReportsExitCodesAndSignals) {
  EngineProcess ok({"-c", "echo one; printf 'two'; exit 3"}, "/bin/sh");
  EXPECT_EQ(ok.read_line(), "one");
  EXPECT_EQ(ok.read_line(), "two");  // a last line without newline
  EXPECT_EQ(ok.read_line(), std::nullopt);
  EXPECT_EQ(ok.wait_exit(), 3);

  EngineProcess killed({"-c", "kill -9 $$"}, "/bin/sh");
  EXPECT_EQ(killed.wait_exit(), 128 + 9);
}

TEST(EngineHarness, TimesOutOnASilentChildAndKillsIt) {
  EngineProcess silent({"-c", "exec sleep 30"}, "/bin/sh");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(silent.read_line(200), std::nullopt);
  EXPECT_EQ(silent.wait_exit(200), std::nullopt);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(EngineHarness, LargeInputToAChattyChildDoesNotDeadlock) {
  // cat echoes everything back: both pipes fill up unless the harness reads while writing.
  EngineProcess cat({}, "/bin/cat");
  const std::string line(1000, 'a');
  std::string input;
  for (int i = 0; i < 2000; ++i) input += line + "\n";
  ASSERT_TRUE(cat.send_raw(input));
  cat.close_stdin();
  int count = 0;
  while (auto got = cat.read_line()) {
    EXPECT_EQ(*got, line);
    ++count;
  }
  EXPECT_EQ(count, 2000);
  EXPECT_EQ(cat.wait_exit(), 0);
}

TEST(EngineHarness, ReadUntilStopsAtThePrefix) {
  EngineProcess sh({"-c", "echo info a; echo info b; echo bestmove e2e4; echo after"}, "/bin/sh");
  auto got = sh.read_until("bestmove");
  EXPECT_TRUE(got.found);
  EXPECT_EQ(got.lines, (std::vector<std::string>{"info a", "info b", "bestmove e2e4"}));
  EXPECT_EQ(sh.read_line(), "after");
  auto missing = sh.read_until("never", 500);
  EXPECT_FALSE(missing.found);
  EXPECT_TRUE(missing.lines.empty());
}
