#include "frontend/search_thread.h"

#include <string>

#include "board/move.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "board/position.h"
#include "frontend/output.h"
#include "search/search.h"
#include "search/search_state.h"

std::thread search_thread;
std::mutex search_mutex;

namespace {

bool is_legal_move(const Move& move) {
  MoveList list;
  generate_moves(list);
  for (const Move& candidate : list.moves) {
    if (!same_move(candidate, move)) continue;
    const SavedPosition saved = save_position();
    const bool legal = make_move(candidate);
    restore_position(saved);
    if (legal) return true;
  }
  return false;
}

Move first_legal_move() {
  MoveList list;
  generate_moves(list);
  for (const Move& candidate : list.moves) {
    const SavedPosition saved = save_position();
    const bool legal = make_move(candidate);
    restore_position(saved);
    if (legal) return candidate;
  }
  return empty_move();
}

void search_thread_body(int max_depth, int movetime_ms, bool analysis) {
  Move move = search_best(max_depth, movetime_ms, analysis);
  // A stop during the first iteration or a depth below 1 leaves the search without
  // a move of its own; a GUI must still get a legal one whenever there is one.
  if (!is_legal_move(move)) move = first_legal_move();
  std::lock_guard<std::mutex> lock(search_mutex);
  send_line("bestmove " + move_to_str(move));
}

}  // namespace

void wait_search_done() {
  if (!search_thread.joinable()) return;
  stop_search.store(true);
  search_thread.join();
}

void start_search_thread(int max_depth, int movetime_ms, bool analysis) {
  search_thread = std::thread(search_thread_body, max_depth, movetime_ms, analysis);
}
