#include "search/search_state.h"

#include <condition_variable>
#include <mutex>

#include "search/threads.h"

PER_THREAD NodeCounter nodes_searched;
PER_THREAD int search_movetime_ms = 0;
PER_THREAD std::int64_t search_node_limit = 0;
PER_THREAD std::chrono::steady_clock::time_point search_start;
PER_THREAD std::chrono::steady_clock::time_point search_began;
PER_THREAD bool search_interruptible = true;
PER_THREAD bool search_budget_waits = false;
std::atomic<bool> stop_search{false};
std::atomic<bool> stop_helpers{false};
std::atomic<int> helper_depth_done{0};
PER_THREAD int overtaken_depth = INT_MAX;
std::atomic<bool> pondering{false};

namespace {

using Clock = std::chrono::steady_clock;

// The moment of the last "ponderhit", written before pondering is lowered.
std::atomic<Clock::rep> ponderhit_ticks{0};

// Guards the wake-up of a held search: the flags it waits on change under it.
std::mutex release_mutex;
std::condition_variable release_signal;

// The search (its start and budgets) whose budget has been seen to run out.
// Written and read only by the thread that runs the search.
PER_THREAD Clock::time_point expired_start;
PER_THREAD int expired_budget = 0;
PER_THREAD std::int64_t expired_node_limit = 0;
PER_THREAD bool expired_seen = false;

bool same_search_as_expired() {
  return expired_seen && expired_budget == search_movetime_ms && expired_node_limit == search_node_limit &&
         expired_start == search_start;
}

}  // namespace

void raise_stop_search() {
  {
    std::lock_guard<std::mutex> lock(release_mutex);
    stop_search.store(true);
  }
  release_signal.notify_all();
}

void signal_ponderhit() {
  {
    std::lock_guard<std::mutex> lock(release_mutex);
    if (!pondering.load()) return;
    ponderhit_ticks.store(Clock::now().time_since_epoch().count());
    pondering.store(false);
  }
  release_signal.notify_all();
}

void hold_search_until_released(bool infinite, bool ponder) {
  if (!infinite && !ponder) return;
  std::unique_lock<std::mutex> lock(release_mutex);
  release_signal.wait(lock, [&] { return stop_search.load() || (!infinite && !pondering.load()); });
}

bool budget_running() {
  if (!search_budget_waits) return true;
  if (pondering.load()) return false;
  search_start = Clock::time_point(Clock::duration(ponderhit_ticks.load()));
  search_budget_waits = false;
  return true;
}

bool time_budget_spent() {
  if (search_movetime_ms <= 0 && search_node_limit <= 0) return false;
  if (!search_interruptible) return false;
  // Once seen, an expiry holds for the rest of that search. Without this a
  // re-search started after an aborted child moves the node count off the
  // checked multiple, the callers above no longer see the expiry, and the
  // iteration runs on and is reported as complete long after the budget.
  if (same_search_as_expired()) return true;
  // A node budget is checked four times as often as a clock: the playing levels' small
  // budgets would otherwise all round up to the same few multiples of 4096.
  if ((nodes_searched & (search_node_limit > 0 ? 1023 : 4095)) != 0) return false;
  if (!budget_running()) return false;
  bool spent = search_node_limit > 0 && search_nodes_total() >= search_node_limit;
  if (!spent && search_movetime_ms > 0) {
    auto elapsed = Clock::now() - search_start;
    spent = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() >= search_movetime_ms;
  }
  if (!spent) return false;
  expired_start = search_start;
  expired_budget = search_movetime_ms;
  expired_node_limit = search_node_limit;
  expired_seen = true;
  return true;
}
