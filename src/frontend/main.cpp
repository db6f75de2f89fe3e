// Entry point: build the tables in their order, set the start position, run the UCI loop.

#include "board/attacks.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "frontend/search_thread.h"
#include "frontend/uci.h"

int main() {
  init_leapers();
  init_magics();
  init_zobrist();
  // The evaluation's start-up tables are built here, after the keys and before the position.
  init_board_startpos();

  uci_loop();
  wait_search_done();
  return 0;
}
