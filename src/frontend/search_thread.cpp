#include "frontend/search_thread.h"

#include <string>

#include "base/output.h"
#include "board/move.h"
#include "board/notation.h"
#include "board/position.h"
#include "frontend/options.h"
#include "search/search.h"
#include "search/search_state.h"

std::thread search_thread;
std::mutex search_mutex;

namespace {

void search_thread_body(SearchLimits limits, const PositionSnapshot& game) {
  install_position_snapshot(game);
  // search_best answers with a legal move whenever one exists; it keeps an
  // infinite or ponder search's answer until the stop or the ponderhit.
  Move ponder_move = empty_move();
  const Move move = search_best(limits, &ponder_move);
  std::string line = "bestmove " + move_to_str(move);
  // Ponder is written by setoption, which joins this thread first.
  if (ponder_enabled && !is_empty_move(move) && !is_empty_move(ponder_move))
    line += " ponder " + move_to_str(ponder_move);
  std::lock_guard<std::mutex> lock(search_mutex);
  send_line(line);
}

}  // namespace

void wait_search_done() {
  if (!search_thread.joinable()) return;
  raise_stop_search();
  search_thread.join();
  pondering.store(false);
}

void start_search_thread(const SearchLimits& limits) {
  // The thread searches its own copy of the game position; the command loop's stays as it is.
  search_thread = std::thread(search_thread_body, limits, take_position_snapshot());
}
