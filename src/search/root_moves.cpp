#include "search/root_moves.h"

#include <algorithm>

#include "board/movegen.h"
#include "board/position.h"

thread_local std::vector<Move> root_search_moves;
thread_local std::vector<Move> root_excluded_moves;
PER_THREAD bool root_moves_filtered = false;

namespace {
bool listed(const std::vector<Move>& moves, const Move& m) {
  return std::any_of(moves.begin(), moves.end(), [&](const Move& x) { return same_move(x, m); });
}
}  // namespace

void set_root_moves(const std::vector<Move>& search_moves, const std::vector<Move>& excluded) {
  root_search_moves = search_moves;
  root_excluded_moves = excluded;
  root_moves_filtered = !search_moves.empty() || !excluded.empty();
}

bool root_move_allowed(const Move& m) {
  if (!root_search_moves.empty() && !listed(root_search_moves, m)) return false;
  return !listed(root_excluded_moves, m);
}

std::vector<Move> allowed_root_moves() {
  MoveList list;
  generate_moves(list);
  std::vector<Move> allowed;
  for (const Move& m : list.moves) {
    if (root_moves_filtered && !root_move_allowed(m)) continue;
    const SavedPosition saved = save_position();
    const bool legal = make_move(m);
    restore_position(saved);
    if (legal) allowed.push_back(m);
  }
  return allowed;
}
