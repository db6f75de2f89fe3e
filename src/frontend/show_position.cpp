#include "board/position.h"
#include "frontend/go.h"
#include "frontend/search_thread.h"

void show_position() {
  if (search_thread.joinable()) {
    print_position(go_start_position);
  } else {
    print_board();
  }
}
