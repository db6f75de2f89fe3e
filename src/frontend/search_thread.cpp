#include "frontend/search_thread.h"

#include <string>

#include "board/move.h"
#include "board/notation.h"
#include "board/position.h"
#include "frontend/output.h"
#include "search/search.h"
#include "search/search_state.h"

std::thread search_thread;
std::mutex search_mutex;

namespace {

void search_thread_body(SearchLimits limits, const PositionSnapshot& game) {
  install_position_snapshot(game);
  // search_best answers with a legal move whenever one exists, even when stopped
  // during its first iteration or given a depth below 1.
  const Move move = search_best(limits);
  std::lock_guard<std::mutex> lock(search_mutex);
  send_line("bestmove " + move_to_str(move));
}

}  // namespace

void wait_search_done() {
  if (!search_thread.joinable()) return;
  stop_search.store(true);
  search_thread.join();
}

void start_search_thread(const SearchLimits& limits) {
  // The thread searches its own copy of the game position; the command loop's stays as it is.
  search_thread = std::thread(search_thread_body, limits, take_position_snapshot());
}
