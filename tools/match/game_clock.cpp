#include "match/game_clock.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

bool parse_seconds(const std::string& text, std::int64_t& ms) {
  if (text.empty()) return false;
  char* end = nullptr;
  const double seconds = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !(seconds >= 0) || seconds > 1e7) return false;
  ms = std::llround(seconds * 1000);
  return true;
}

std::string seconds_text(std::int64_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", ms / 1000.0);
  return text;
}

}  // namespace

bool parse_time_control(const std::string& text, TimeControl& tc) {
  const std::size_t plus = text.find('+');
  TimeControl read{0, 0};
  if (!parse_seconds(text.substr(0, plus), read.base_ms)) return false;
  if (plus != std::string::npos && !parse_seconds(text.substr(plus + 1), read.increment_ms)) return false;
  if (read.base_ms <= 0) return false;
  tc = read;
  return true;
}

std::string time_control_text(const TimeControl& tc) {
  return seconds_text(tc.base_ms) + "+" + seconds_text(tc.increment_ms);
}

GameClock start_clock(const TimeControl& tc) { return {{tc.base_ms, tc.base_ms}, tc.increment_ms}; }

bool charge_move(GameClock& clock, int colour, std::int64_t elapsed_ms) {
  clock.remaining_ms[colour] -= elapsed_ms;
  if (clock.remaining_ms[colour] < 0) return false;
  clock.remaining_ms[colour] += clock.increment_ms;
  return true;
}
