#include "frontend/cmdline.h"

#include <gtest/gtest.h>

#include "search/threads.h"
#include "style/search_mode.h"
#include "style/tactical.h"

namespace {

using Words = std::vector<std::string>;

// Each case starts from the settings a fresh process has.
struct CommandLine : testing::Test {
  void SetUp() override {
    white_search_mode = Balanced;
    black_search_mode = Balanced;
    tactic_threshold_cp = 40;
    tactical_move_selection = true;
    search_threads = 1;
  }
  void TearDown() override { SetUp(); }
};

TEST_F(CommandLine, ModeOptions) {
  EXPECT_EQ(apply_command_line({"--mode", "Deep"}), Words{});
  EXPECT_EQ(white_search_mode, Deep);
  EXPECT_EQ(black_search_mode, Deep);
  apply_command_line({"--white-mode=Wide", "--black-mode", "PawnStorm"});
  EXPECT_EQ(white_search_mode, Wide);
  EXPECT_EQ(black_search_mode, PawnStorm);
  apply_command_line({"--black-mode=", "--white-mode", "KingAttack"});
  EXPECT_EQ(white_search_mode, KingAttack);
  EXPECT_EQ(black_search_mode, Balanced);
}

TEST_F(CommandLine, ModeWordsAndOverrides) {
  EXPECT_EQ(apply_command_line({"deep", "--white-mode=Wide"}), Words{});
  EXPECT_EQ(white_search_mode, Wide);
  EXPECT_EQ(black_search_mode, Deep);
  apply_command_line({"minorpieceending"});
  EXPECT_EQ(white_search_mode, MinorPieceEnding);
  // Style names after an option ignore case; a later option overrides an earlier one.
  apply_command_line({"--mode=deep"});
  EXPECT_EQ(white_search_mode, Deep);
  apply_command_line({"--black-mode", "KINGATTACK", "--white-mode=nonsense"});
  EXPECT_EQ(white_search_mode, Balanced);
  EXPECT_EQ(black_search_mode, KingAttack);
  apply_command_line({"passedpawn", "--mode=Provocation"});
  EXPECT_EQ(black_search_mode, Provocation);
  // There is no lower-case word for Balanced and mode words are whole, case-sensitive words.
  EXPECT_EQ(apply_command_line({"balanced", "Deep", "deep2"}), (Words{"balanced", "Deep", "deep2"}));
}

TEST_F(CommandLine, TwoWordOptionsTakeTheNextWordWhateverItIs) {
  EXPECT_EQ(apply_command_line({"--mode", "--no-tactics"}), Words{});
  EXPECT_EQ(white_search_mode, Balanced);
  EXPECT_TRUE(tactical_move_selection);
  // As the last word an option takes nothing and becomes a command word.
  for (const char* option : {"--mode", "--white-mode", "--black-mode", "--threshold"})
    EXPECT_EQ(apply_command_line({"deep", option}), Words{option});
  EXPECT_EQ(tactic_threshold_cp, 40);
}

TEST_F(CommandLine, Threshold) {
  apply_command_line({"--threshold=15x"});
  EXPECT_EQ(tactic_threshold_cp, 15);
  apply_command_line({"--threshold", "abc"});
  EXPECT_EQ(tactic_threshold_cp, 0);
  // Clamped to the range the UCI option advertises.
  apply_command_line({"--threshold=-20"});
  EXPECT_EQ(tactic_threshold_cp, 0);
  apply_command_line({"--threshold", "99999999999999999999"});
  EXPECT_EQ(tactic_threshold_cp, 300);
  apply_command_line({"--threshold", "500", "--no-tactics"});
  EXPECT_EQ(tactic_threshold_cp, 300);
  EXPECT_FALSE(tactical_move_selection);
}

TEST_F(CommandLine, ThreadsAreClampedToTheOptionRange) {
  EXPECT_EQ(apply_command_line({"--threads", "4", "speed"}), Words{"speed"});
  EXPECT_EQ(search_threads, 4);
  for (const auto& [words, expected] : std::vector<std::pair<Words, int>>{
           {{"--threads=0"}, 1}, {{"--threads", "-3"}, 1}, {{"--threads=100000"}, 256}, {{"--threads", "x"}, 1}}) {
    apply_command_line(words);
    EXPECT_EQ(search_threads, expected) << words.front();
  }
}

TEST_F(CommandLine, CommandWordsKeepTheirOrder) {
  EXPECT_EQ(apply_command_line({"3", "--no-tactics", "perft", "wide", "x"}), (Words{"3", "perft", "x"}));
  EXPECT_EQ(white_search_mode, Wide);
  EXPECT_EQ(apply_command_line({"bench", "--no-tactics"}), Words{"bench"});
  EXPECT_FALSE(tactical_move_selection);
  EXPECT_EQ(apply_command_line({}), Words{});
}

}  // namespace
