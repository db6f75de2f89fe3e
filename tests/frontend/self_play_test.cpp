// A few short timed games of the engine against itself in different styles.

#include <gtest/gtest.h>

#include <iostream>

#include "self_play.h"

namespace {

TEST(SelfPlay, ShortTimedGamesInSeveralStyles) {
  const GameConfig games[] = {
      {"Balanced", "KingAttack"},
      {"Provocation", "PawnStorm"},
      {"Deep", "Wide"},
      {"PassedPawn", "MinorPieceEnding"},
  };
  int worst_overshoot = 0;
  for (const GameConfig& config : games) {
    const GameResult result = play_self_play_game(config);
    EXPECT_TRUE(result.faults.empty()) << config.white_mode << " vs " << config.black_mode << ": "
                                       << (result.faults.empty() ? "" : result.faults.front());
    EXPECT_GT(result.plies, 0);
    worst_overshoot = std::max(worst_overshoot, result.worst_overshoot_ms);
    std::cout << "[ game ] " << config.white_mode << " vs " << config.black_mode << ": " << result.plies
              << " plies, " << result.ending << ", worst overshoot " << result.worst_overshoot_ms
              << " ms, longest move " << result.longest_move_ms << " ms\n";
  }
  ::testing::Test::RecordProperty("worst_overshoot_ms", worst_overshoot);
}

}  // namespace
