#include "search/threads.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "board/position.h"
#include "search/breadcrumbs.h"
#include "search/node_rules.h"
#include "search/root_moves.h"
#include "search/search.h"
#include "search/search_state.h"

int search_threads = 1;

namespace {

struct Helper {
  std::thread thread;
  // The helper's own node counter, published once it runs; it stays valid until the
  // helper sees helpers_dismissed, because the helper waits for that before it ends.
  std::atomic<const NodeCounter*> nodes{nullptr};
  // The helper's count when it ended, read after the join.
  std::int64_t final_nodes = 0;
};

// All of this is touched only by the main search thread (and the helpers' own
// slots by their helper), one parallel search at a time.
std::unique_ptr<Helper[]> helpers;
int helpers_started = 0;
std::int64_t finished_helper_nodes = 0;
// The root every helper copies, and the root moves a "go searchmoves" allowed;
// written before the helpers start, then only read.
std::unique_ptr<PositionSnapshot> helper_root;
std::vector<Move> helper_search_moves;
// Raised once every helper exists. A helper that searched from its creation on
// would take the processor from the thread still creating the others: with many
// more threads than cores the main search would not start for seconds.
std::atomic<bool> helpers_released{false};
// Raised by the main thread once it no longer reads the helpers' counters.
std::atomic<bool> helpers_dismissed{false};
// The depth whose completion ends the search (0: none); written before the helpers start.
int helper_final_depth = 0;
// The depth the main thread is searching.
std::atomic<int> main_depth{0};
// The first completed helper iteration of each depth, deepest last. Written by the
// helpers at the end of an iteration and read by the main thread at the end of its
// own: rare enough for a lock.
std::mutex completed_mutex;
std::vector<HelperLine> completed_lines;

void publish_line(int depth, int score, std::vector<Move> pv) {
  std::lock_guard<std::mutex> lock(completed_mutex);
  if (!completed_lines.empty() && depth <= completed_lines.back().depth) return;
  completed_lines.push_back({depth, score, std::move(pv)});
  // After the line, so that a main thread that sees the depth finds its line.
  helper_depth_done.store(depth, std::memory_order_release);
}

// Iterative deepening without output. Odd helpers start one ply ahead, and no
// helper starts a depth the main thread already searches: the table then holds
// deeper results by the time the main thread gets there.
void helper_search(int id) {
  const SearchMode root_mode = active_mode();
  const std::vector<Move> allowed = allowed_root_moves();
  const int last = helper_final_depth > 0 ? std::min(helper_final_depth, MAX_PLY - 1) : MAX_PLY - 1;
  int depth = std::min(1 + id % 2, last), score = 0;
  for (;;) {
    score = search_root(depth, score);
    if (search_stopped()) return;
    publish_line(depth, score, searched_line(allowed));
    int next = next_iteration_depth(depth, root_mode);
    if (next > last) {
      // The search is done: this also ends the main thread's unfinished iteration.
      if (helper_final_depth > 0) stop_helpers.store(true, std::memory_order_release);
      return;
    }
    while (next <= main_depth.load(std::memory_order_relaxed) && next_iteration_depth(next, root_mode) <= last)
      next = next_iteration_depth(next, root_mode);
    depth = next;
  }
}

void helper_main(int id, Helper* self) {
  helpers_released.wait(false, std::memory_order_acquire);
  // A new thread's tables start empty, as search_best's reset leaves them.
  install_position_snapshot(*helper_root);
  // The lines that several-line output leaves out are the main thread's concern.
  set_root_moves(helper_search_moves, {});
  self->nodes.store(&nodes_searched, std::memory_order_release);
  breadcrumb_mark = id + 1;
  helper_search(id);
  // Keep the published counter alive until the main thread has stopped reading it:
  // a helper that ended the search itself must not leave before that.
  helpers_dismissed.wait(false, std::memory_order_acquire);
  self->final_nodes = nodes_searched;
}

}  // namespace

void start_helper_threads(int final_depth) {
  helpers_started = 0;
  finished_helper_nodes = 0;
  completed_lines.clear();
  const int count = std::clamp(search_threads, 1, MAX_SEARCH_THREADS) - 1;
  if (count == 0) return;

  helper_final_depth = final_depth;
  main_depth.store(0, std::memory_order_relaxed);
  helper_depth_done.store(0, std::memory_order_relaxed);

  helper_root = std::make_unique<PositionSnapshot>(take_position_snapshot());
  helper_search_moves = root_search_moves;
  helpers = std::make_unique<Helper[]>(count);
  helpers_released.store(false, std::memory_order_relaxed);
  for (int i = 0; i < count; ++i) {
    // A system that refuses more threads gets a search with the ones it gave.
    try {
      helpers[i].thread = std::thread(helper_main, i + 1, &helpers[i]);
    } catch (const std::system_error&) {
      break;
    }
    ++helpers_started;
  }
  if (helpers_started > 0) breadcrumb_mark = 1;
  helpers_released.store(true, std::memory_order_release);
  helpers_released.notify_all();
}

void stop_helper_threads() {
  overtaken_depth = INT_MAX;
  breadcrumb_mark = 0;
  if (helpers_started == 0) return;
  stop_helpers.store(true, std::memory_order_release);
  helpers_dismissed.store(true, std::memory_order_release);
  helpers_dismissed.notify_all();
  for (int i = 0; i < helpers_started; ++i) {
    helpers[i].thread.join();
    finished_helper_nodes += helpers[i].final_nodes;
  }
  helpers_started = 0;
  helpers.reset();
  helper_root.reset();
  stop_helpers.store(false, std::memory_order_relaxed);
  helpers_dismissed.store(false, std::memory_order_relaxed);
}

std::int64_t search_nodes_total() {
  std::int64_t total = nodes_searched + finished_helper_nodes;
  for (int i = 0; i < helpers_started; ++i) {
    if (const NodeCounter* counter = helpers[i].nodes.load(std::memory_order_acquire)) total += *counter;
  }
  return total;
}

std::vector<HelperLine> helper_lines_beyond(int depth) {
  std::lock_guard<std::mutex> lock(completed_mutex);
  auto first = std::find_if(completed_lines.begin(), completed_lines.end(),
                            [&](const HelperLine& line) { return line.depth > depth; });
  return {first, completed_lines.end()};
}

void announce_main_depth(int depth, bool may_be_overtaken) {
  main_depth.store(depth, std::memory_order_relaxed);
  if (helpers_started > 0 && may_be_overtaken) overtaken_depth = depth;
}

Breadcrumb breadcrumbs[BREADCRUMB_COUNT];
PER_THREAD int breadcrumb_mark = 0;
