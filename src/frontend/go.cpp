#include "frontend/go.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

#include "frontend/search_thread.h"
#include "search/search_state.h"

namespace {

// Reads a signed decimal integer the way a formatted stream read does: leading
// blanks skipped, an optional sign, then digits; anything after the digits stays
// in the stream. Without digits the value is 0; past the 32-bit range it is the
// nearest end. Either failure returns false.
bool read_limit_value(std::istream& words, int& value) {
  words >> std::ws;
  bool negative = false;
  if (words.peek() == '+' || words.peek() == '-') negative = words.get() == '-';
  std::int64_t magnitude = 0;
  bool any_digit = false;
  bool overflow = false;
  while (std::isdigit(words.peek())) {
    any_digit = true;
    magnitude = magnitude * 10 + (words.get() - '0');
    // Stop growing once past the range; the digits are still consumed.
    if (magnitude > std::int64_t{INT32_MAX} + 1) {
      overflow = true;
      magnitude = std::int64_t{INT32_MAX} + 1;
    }
  }
  if (!any_digit) {
    value = 0;
    return false;
  }
  const std::int64_t signed_value = negative ? -magnitude : magnitude;
  if (overflow || signed_value > INT32_MAX || signed_value < INT32_MIN) {
    value = negative ? INT32_MIN : INT32_MAX;
    return false;
  }
  value = static_cast<int>(signed_value);
  return true;
}

}  // namespace

GoLimits parse_go_limits(std::istream& words) {
  GoLimits limits;
  std::string word;
  while (words >> word) {
    int* target = nullptr;
    if (word == "depth") target = &limits.depth;
    else if (word == "movetime") target = &limits.movetime;
    else if (word == "wtime") target = &limits.wtime;
    else if (word == "btime") target = &limits.btime;
    else if (word == "winc") target = &limits.winc;
    else if (word == "binc") target = &limits.binc;
    else if (word == "nodes") target = &limits.nodes;
    else if (word == "infinite") limits.infinite = true;
    if (target == nullptr) continue;
    if (!read_limit_value(words, *target)) break;
  }
  return limits;
}

SearchLimits derive_search_args(const GoLimits& limits, int side_to_move) {
  SearchLimits args;
  args.nodes = limits.nodes;
  if (limits.infinite) {
    args.infinite = args.analysis = true;
  } else if (limits.movetime != 0) {
    args.depth = limits.depth;
    args.movetime_ms = limits.movetime;
  } else if (limits.wtime != 0 || limits.btime != 0) {
    const int clock = side_to_move == WHITE ? limits.wtime : limits.btime;
    const int increment = side_to_move == WHITE ? limits.winc : limits.binc;
    int budget = clock / 30 + increment / 2;
    // A large increment must not spend more than half of what is left on the
    // clock: the increment arrives only after the move is made.
    if (clock > 0) budget = std::min(budget, clock / 2);
    budget = std::max(budget, MIN_CLOCK_BUDGET_MS);
    args.depth = limits.depth;
    args.movetime_ms = budget;
  } else {
    args.depth = limits.depth;
    args.analysis = true;
  }
  return args;
}

void handle_go(std::istream& words) {
  wait_search_done();
  const GoLimits limits = parse_go_limits(words);
  const SearchLimits args = derive_search_args(limits, side);
  stop_search.store(false);
  start_search_thread(args);
}
