#include "search/search_state.h"

#include <condition_variable>
#include <mutex>

PER_THREAD NodeCounter nodes_searched;
PER_THREAD std::chrono::steady_clock::time_point search_began;
PER_THREAD bool search_interruptible = true;
std::atomic<bool> stop_search{false};
std::atomic<bool> stop_helpers{false};
std::atomic<int> helper_depth_done{0};
PER_THREAD int overtaken_depth = INT_MAX;
std::atomic<bool> pondering{false};

namespace {

// Guards the wake-up of a held search: the flags it waits on change under it.
std::mutex release_mutex;
std::condition_variable release_signal;

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
    note_ponderhit();
    pondering.store(false);
  }
  release_signal.notify_all();
}

void hold_search_until_released(bool infinite, bool ponder) {
  if (!infinite && !ponder) return;
  std::unique_lock<std::mutex> lock(release_mutex);
  release_signal.wait(lock, [&] { return stop_search.load() || (!infinite && !pondering.load()); });
}
