#include "search/search_state.h"

#include "search/threads.h"

PER_THREAD NodeCounter nodes_searched;
PER_THREAD int search_movetime_ms = 0;
PER_THREAD std::int64_t search_node_limit = 0;
PER_THREAD std::chrono::steady_clock::time_point search_start;
std::atomic<bool> stop_search{false};
std::atomic<bool> stop_helpers{false};

namespace {
// The search (its start and budgets) whose budget has been seen to run out.
// Written and read only by the thread that runs the search.
PER_THREAD std::chrono::steady_clock::time_point expired_start;
PER_THREAD int expired_budget = 0;
PER_THREAD std::int64_t expired_node_limit = 0;
PER_THREAD bool expired_seen = false;

bool same_search_as_expired() {
  return expired_seen && expired_budget == search_movetime_ms && expired_node_limit == search_node_limit &&
         expired_start == search_start;
}
}  // namespace

bool time_budget_spent() {
  if (search_movetime_ms <= 0 && search_node_limit <= 0) return false;
  // Once seen, an expiry holds for the rest of that search. Without this a
  // re-search started after an aborted child moves the node count off the
  // checked multiple, the callers above no longer see the expiry, and the
  // iteration runs on and is reported as complete long after the budget.
  if (same_search_as_expired()) return true;
  if ((nodes_searched & 4095) != 0) return false;
  bool spent = search_node_limit > 0 && search_nodes_total() >= search_node_limit;
  if (!spent && search_movetime_ms > 0) {
    auto elapsed = std::chrono::steady_clock::now() - search_start;
    spent = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() >= search_movetime_ms;
  }
  if (!spent) return false;
  expired_start = search_start;
  expired_budget = search_movetime_ms;
  expired_node_limit = search_node_limit;
  expired_seen = true;
  return true;
}
