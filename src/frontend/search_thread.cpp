#include "frontend/search_thread.h"

#include <string>

#include "base/output.h"
#include "board/move.h"
#include "board/notation.h"
#include "board/position.h"
#include "frontend/go_perft.h"
#include "frontend/options.h"
#include "search/search.h"
#include "search/search_state.h"

std::thread search_thread;
std::mutex search_mutex;

namespace {

// Whether search_thread is counting a "go perft" rather than searching. Main thread only.
bool counting_perft = false;

void search_thread_body(SearchLimits limits, const PositionSnapshot& game) {
  install_position_snapshot(game);
  // search_best answers with a legal move whenever one exists; it keeps an
  // infinite or ponder search's answer until the stop or the ponderhit.
  const SearchResult result = search_best(limits);
  std::string line = "bestmove " + move_to_str(result.best);
  // Ponder is written by setoption, which joins this thread first.
  if (ponder_enabled && !is_empty_move(result.best) && !is_empty_move(result.ponder))
    line += " ponder " + move_to_str(result.ponder);
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

void finish_at_end_of_input() {
  if (counting_perft && search_thread.joinable()) search_thread.join();
  wait_search_done();
}

void start_search_thread(const SearchLimits& limits) {
  counting_perft = false;
  // The thread searches its own copy of the game position; the command loop's stays as it is.
  search_thread = std::thread(search_thread_body, limits, take_position_snapshot());
}

void start_perft_thread(int depth) {
  counting_perft = true;
  search_thread = std::thread(
      [depth](const PositionSnapshot& game) {
        install_position_snapshot(game);
        run_go_perft(depth);
      },
      take_position_snapshot());
}
