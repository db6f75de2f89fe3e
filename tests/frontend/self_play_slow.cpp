// Longer timed games: every style plays both colours.

#include <gtest/gtest.h>

#include <iostream>

#include "self_play.h"

namespace {

constexpr const char* MODES[] = {"Balanced",    "Deep",       "Wide",
                                 "KingAttack",  "PassedPawn", "PawnStorm",
                                 "Provocation", "PawnEnding", "MajorPieceEnding",
                                 "MinorPieceEnding"};

TEST(SelfPlaySlow, EveryStyleWithBothColoursAtTwoClocks) {
  int worst_overshoot = 0;
  for (int i = 0; i < 10; ++i) {
    for (int base : {1000, 5000}) {
      GameConfig config{MODES[i], MODES[(i + 3) % 10], base, base / 100, 300};
      const GameResult result = play_self_play_game(config);
      EXPECT_TRUE(result.faults.empty()) << config.white_mode << " vs " << config.black_mode << ": "
                                         << (result.faults.empty() ? "" : result.faults.front());
      worst_overshoot = std::max(worst_overshoot, result.worst_overshoot_ms);
      std::cout << "[ game ] " << config.white_mode << " vs " << config.black_mode << " at " << base
                << " ms: " << result.plies << " plies, " << result.ending << ", worst overshoot "
                << result.worst_overshoot_ms << " ms, longest move " << result.longest_move_ms << " ms, flag falls "
                << result.flag_falls << "\n";
    }
  }
  ::testing::Test::RecordProperty("worst_overshoot_ms", worst_overshoot);
}

}  // namespace
