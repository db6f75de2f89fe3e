#pragma once
// Score scale and the shared state of a running search.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <type_traits>

#include "board/types.h"

constexpr int MATE_VALUE = 49000;
constexpr int MAX_PLY = 64;
constexpr int MATE_THRESHOLD = MATE_VALUE - MAX_PLY;  // |score| >= this is a mate score
constexpr int SCORE_INFINITY = 50000;

// A node count written only by its own thread and readable from others: relaxed
// loads and stores, which cost what plain ones do, instead of a locked increment.
struct NodeCounter {
  std::atomic<std::int64_t> value{0};

  NodeCounter& operator++() {
    value.store(value.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    return *this;
  }
  NodeCounter& operator=(std::int64_t n) {
    value.store(n, std::memory_order_relaxed);
    return *this;
  }
  operator std::int64_t() const { return value.load(std::memory_order_relaxed); }
};
static_assert(std::is_trivially_destructible_v<NodeCounter>, "per-thread state needs no destructor call");

// One instance per searching thread, set up by search_best (helpers: see threads.h).
// Helpers have no budget: the main search thread alone decides when to stop.
PER_THREAD extern NodeCounter nodes_searched;
PER_THREAD extern int search_movetime_ms;  // budget; 0 or less means none
PER_THREAD extern std::int64_t search_node_limit;  // node budget, over all threads; 0 or less means none
PER_THREAD extern std::chrono::steady_clock::time_point search_start;
// Cleared only by the code that starts a search; raised only by wait_search_done.
extern std::atomic<bool> stop_search;
// Raised by the main search thread when it has finished, to end its helpers; cleared
// before they start.
extern std::atomic<bool> stop_helpers;

// The out-of-line part of the budget check, for searches that have a budget.
bool time_budget_spent();
// The budget check (time and nodes): reads the clock and the node budget only every
// 4096 nodes. Searches without a budget (bench, analysis) settle it here without a call.
inline bool time_expired() { return (search_movetime_ms > 0 || search_node_limit > 0) && time_budget_spent(); }

// Whether the calling thread's search must end now: a stop request, the end of the
// parallel search it helps, or its budget.
inline bool search_interrupted() {
  return stop_search.load(std::memory_order_relaxed) || stop_helpers.load(std::memory_order_relaxed) ||
         time_expired();
}
