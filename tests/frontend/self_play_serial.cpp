// A few short timed games of the engine against itself in different styles.

#include <gtest/gtest.h>

#include <iostream>
#include <vector>

#include "self_play.h"

namespace {

// Sanitizer builds run the engine several times slower: the clocks grow to match,
// and fewer, shorter games keep the run short.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool SANITIZED = true;
#else
constexpr bool SANITIZED = false;
#endif

TEST(SelfPlay, ShortTimedGamesInSeveralStyles) {
  std::vector<GameConfig> games = {
      {"Balanced", "KingAttack"},
      {"Provocation", "PawnStorm"},
      {"Deep", "Wide"},
      {"PassedPawn", "MinorPieceEnding"},
  };
  if (SANITIZED) {
    games.resize(2);
    for (GameConfig& config : games) config = {config.white_mode, config.black_mode, 3000, 100, 40};
  }
  int worst_overshoot = 0;
  for (const GameConfig& config : games) {
    const GameResult result = play_self_play_game(config);
    EXPECT_TRUE(result.faults.empty()) << config.white_mode << " vs " << config.black_mode << ": "
                                       << (result.faults.empty() ? "" : result.faults.front());
    EXPECT_GT(result.plies, 0);
    worst_overshoot = std::max(worst_overshoot, result.worst_overshoot_ms);
    std::cout << "[ game ] " << config.white_mode << " vs " << config.black_mode << ": " << result.plies
              << " plies, " << result.ending << ", worst overshoot " << result.worst_overshoot_ms
              << " ms, longest move " << result.longest_move_ms << " ms, flag falls " << result.flag_falls << "\n";
  }
  ::testing::Test::RecordProperty("worst_overshoot_ms", worst_overshoot);
}

}  // namespace
