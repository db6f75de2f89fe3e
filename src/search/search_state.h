#pragma once
// Score scale and the shared state of a running search.

#include <atomic>
#include <chrono>
#include <climits>
#include <cstdint>
#include <type_traits>

#include "board/types.h"
#include "search/timeman.h"

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

// One instance per searching thread, set up by search_best; the budgets are the
// time manager's (timeman.h). Helper threads (threads.h) keep the initial values:
// interruptible, so that the main search thread alone decides when to stop.
PER_THREAD extern NodeCounter nodes_searched;
// When the search began; the info lines' time counts from it.
PER_THREAD extern std::chrono::steady_clock::time_point search_began;
// False until the first iterations are complete: until then neither a stop request
// nor a spent budget ends the search, so its answer is always a searched move.
PER_THREAD extern bool search_interruptible;

// Cleared only by the code that starts a search; raised only by raise_stop_search.
extern std::atomic<bool> stop_search;
// Raised by the main search thread when its search is over, to end its helpers, or
// by a helper that completed the last depth, which ends the main thread's search
// too; lowered by the main search thread once the helpers have ended.
extern std::atomic<bool> stop_helpers;
// True from the start of a "go ponder" search until "ponderhit". Written by the main thread only.
extern std::atomic<bool> pondering;

// Main thread: raises stop_search and wakes a search that is holding its answer.
void raise_stop_search();
// Main thread: the ponder move was played; the running ponder search becomes the
// timed search its "go" line describes, its budget counted from now. Does nothing
// when no ponder search is waiting for it.
void signal_ponderhit();
// Search thread: for an infinite or ponder search, waits (without spinning) until
// a stop or, for a ponder search that is not also infinite, the ponderhit.
void hold_search_until_released(bool infinite, bool ponder);

// The deepest iteration a helper of the running parallel search has completed.
extern std::atomic<int> helper_depth_done;
// The main search thread's iteration at this depth is abandoned once a helper has
// completed it; out of reach on every other thread and without helpers.
PER_THREAD extern int overtaken_depth;

// Whether the search must end now: a stop request (once it may be interrupted), the
// end of a parallel search (the main thread's, or a helper's completion of the last
// depth), or a spent budget.
inline bool search_ended() {
  return (stop_search.load(std::memory_order_relaxed) && search_interruptible) ||
         stop_helpers.load(std::memory_order_relaxed) || time_expired();
}

// Whether a helper has already completed the main thread's running iteration.
inline bool iteration_overtaken() { return helper_depth_done.load(std::memory_order_acquire) >= overtaken_depth; }

// Whether the running root search must end now.
inline bool search_stopped() { return search_ended() || iteration_overtaken(); }
