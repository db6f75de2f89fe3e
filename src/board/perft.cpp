#include "board/perft.h"

#include <algorithm>

#include "board/movegen.h"
#include "board/position.h"

std::uint64_t perft(int depth) {
  if (depth <= 0) return 1;
  // Without the fifty-move rule a line of moves never ends, so a huge depth would recurse
  // until the stack runs out; no count that deep could finish anyway.
  depth = std::min(depth, PERFT_MAX_DEPTH);
  MoveList list;
  generate_moves(list);
  std::uint64_t count = 0;
  const SavedPosition saved = save_position();
  for (const Move& m : list.moves) {
    // Every move is made, also at the last ply: the count checks make_move as well as the generator.
    if (make_move(m)) count += depth == 1 ? 1 : perft(depth - 1);
    restore_position(saved);
  }
  return count;
}

bool perft_until(int depth, const std::atomic<bool>& stop, std::uint64_t& count) {
  depth = std::min(depth, PERFT_MAX_DEPTH);
  if (depth < 3) {
    count = perft(depth);
    return true;
  }
  if (stop.load(std::memory_order_relaxed)) return false;
  MoveList list;
  generate_moves(list);
  count = 0;
  const SavedPosition saved = save_position();
  for (const Move& m : list.moves) {
    std::uint64_t below = 0;
    const bool finished = !make_move(m) || perft_until(depth - 1, stop, below);
    restore_position(saved);
    if (!finished) return false;
    count += below;
  }
  return true;
}
