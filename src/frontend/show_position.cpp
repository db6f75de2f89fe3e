#include <cstdio>
#include <string>

#include "board/notation.h"
#include "frontend/go.h"
#include "frontend/output.h"
#include "frontend/search_thread.h"

namespace {

// The same display as print_board, drawn from a saved copy instead of the live position.
void print_saved_position(const SavedPosition& pos) {
  for (int rank = 7; rank >= 0; --rank) {
    std::string line;
    for (int file = 0; file < 8; ++file) {
      const int square = rank * 8 + file;
      char letter = '.';
      for (int code = 0; code < 12; ++code) {
        if (pos.bitboards[code] & square_bb(square)) {
          letter = PIECE_LETTERS[code];
          break;
        }
      }
      line += letter;
      line += ' ';
    }
    send_line(line);
  }
  char key[17];
  std::snprintf(key, sizeof key, "%llx", static_cast<unsigned long long>(pos.zobrist_key));
  send_line(std::string("side=") + (pos.side == WHITE ? "w" : "b") + " castle=" + std::to_string(pos.castle) +
            " ep=" + (pos.ep_sq == NO_SQUARE ? std::string("-") : sq_to_str(pos.ep_sq)) + " key=" + key);
}

}  // namespace

void show_position() {
  if (search_thread.joinable()) {
    print_saved_position(go_start_position);
  } else {
    print_board();
  }
}
