#pragma once
// The two players' clocks under a Fischer time control: base time plus an
// increment added after each move made in time.

#include <cstdint>
#include <string>

struct TimeControl {
  std::int64_t base_ms = 10000;
  std::int64_t increment_ms = 100;
};

// Reads "10+0.1", "60", "0.5+0.01" (seconds); false when it is no such text.
bool parse_time_control(const std::string& text, TimeControl& tc);
// The PGN form, seconds: "10+0.1".
std::string time_control_text(const TimeControl& tc);

struct GameClock {
  std::int64_t remaining_ms[2];  // White, Black
  std::int64_t increment_ms;
};

GameClock start_clock(const TimeControl& tc);
// Takes elapsed_ms of thinking from colour's clock. False when that leaves it below
// zero (lost on time); otherwise the increment is added.
bool charge_move(GameClock& clock, int colour, std::int64_t elapsed_ms);
