#pragma once
// The speed benchmark: a fixed suite of positions, each searched to its own depth
// with an empty table, timed one by one.

#include <cstddef>
#include <cstdint>

#include "style/search_mode.h"
#include "style/style_strength.h"

struct SpeedPosition {
  const char* fen;
  int depth;
  SearchMode white_mode;
  SearchMode black_mode;
};

constexpr std::size_t SPEED_SUITE_SIZE = 10;
extern const SpeedPosition SPEED_SUITE[SPEED_SUITE_SIZE];

struct SpeedTotals {
  std::int64_t nodes = 0;
  std::int64_t ms = 0;
};

// Searches every suite position to its depth, or to max_depth when that is smaller,
// printing one line per position and a total line. The search's own lines are not shown.
// With a style, every position is searched with both sides in it at its published
// strength (the cost of a style's tree per node); without one, in the suite's own styles.
// The styles and strengths are restored afterwards.
SpeedTotals run_speed_suite(int max_depth, const SearchMode* style = nullptr);
