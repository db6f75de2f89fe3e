#include "frontend/go_perft.h"

#include <cstdint>
#include <string>

#include "base/output.h"
#include "board/legal.h"
#include "board/notation.h"
#include "board/perft.h"
#include "board/position.h"
#include "search/search_state.h"

void run_go_perft(int depth) {
  std::uint64_t total = 0;
  if (depth >= 1) {
    MoveList legal;
    generate_legal_moves(legal);
    const SavedPosition saved = save_position();
    for (const Move& m : legal.moves) {
      make_move(m);
      std::uint64_t count = 0;
      const bool finished = perft_until(depth - 1, stop_search, count);
      restore_position(saved);
      if (!finished) break;
      send_line(move_to_str(m) + ": " + std::to_string(count));
      total += count;
    }
  }
  send_line("");
  send_line("Nodes searched: " + std::to_string(total));
}
