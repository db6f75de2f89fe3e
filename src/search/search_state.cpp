#include "search/search_state.h"

std::int64_t nodes_searched = 0;
int search_movetime_ms = 0;
std::chrono::steady_clock::time_point search_start;
std::atomic<bool> stop_search{false};

bool time_expired() {
  if (search_movetime_ms <= 0 || (nodes_searched & 4095) != 0) return false;
  auto elapsed = std::chrono::steady_clock::now() - search_start;
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  return ms >= search_movetime_ms;
}
