#include "search/threads.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "board/position.h"
#include "frontend/options.h"
#include "search/node_rules.h"
#include "search/root_moves.h"
#include "search/search.h"
#include "search/search_state.h"

namespace {

struct Helper {
  std::thread thread;
  // The helper's own node counter, published once it runs; it stays valid until the
  // helper sees stop_helpers, because the helper waits for that before it ends.
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

// Iterative deepening without output. Odd helpers run one ply ahead, so the
// threads spread over two depths and fill the table for each other.
void helper_search(int id) {
  const SearchMode root_mode = mode_to_move();
  int depth = 1 + id % 2, score = 0;
  while (depth < MAX_PLY) {
    score = search_root(depth, score);
    if (search_stopped()) return;
    depth += 1 + (depth > 3 && root_mode == Deep ? 1 : 0);
  }
}

void helper_main(int id, Helper* self) {
  helpers_released.wait(false, std::memory_order_acquire);
  // A new thread's tables start empty, as search_best's reset leaves them.
  install_position_snapshot(*helper_root);
  // The lines that several-line output leaves out are the main thread's concern.
  set_root_moves(helper_search_moves, {});
  self->nodes.store(&nodes_searched, std::memory_order_release);
  helper_search(id);
  // Keep the published counter alive until the main thread has stopped reading it.
  stop_helpers.wait(false, std::memory_order_acquire);
  self->final_nodes = nodes_searched;
}

}  // namespace

void start_helper_threads() {
  helpers_started = 0;
  finished_helper_nodes = 0;
  const int count = std::clamp(search_threads, 1, MAX_SEARCH_THREADS) - 1;
  if (count == 0) return;

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
  helpers_released.store(true, std::memory_order_release);
  helpers_released.notify_all();
}

void stop_helper_threads() {
  if (helpers_started == 0) return;
  stop_helpers.store(true, std::memory_order_release);
  stop_helpers.notify_all();
  for (int i = 0; i < helpers_started; ++i) {
    helpers[i].thread.join();
    finished_helper_nodes += helpers[i].final_nodes;
  }
  helpers_started = 0;
  helpers.reset();
  helper_root.reset();
  stop_helpers.store(false, std::memory_order_relaxed);
}

std::int64_t search_nodes_total() {
  std::int64_t total = nodes_searched + finished_helper_nodes;
  for (int i = 0; i < helpers_started; ++i) {
    if (const NodeCounter* counter = helpers[i].nodes.load(std::memory_order_acquire)) total += *counter;
  }
  return total;
}
