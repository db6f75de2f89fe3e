#pragma once
// Which root moves the running search looks at: the moves a "go searchmoves"
// named and, with several lines per iteration, not the moves of the lines
// already found in it. One set per searching thread, written by that thread
// between its root searches. The lists are read only at the root, so their
// thread-local wrapper calls cost nothing that matters.

#include <vector>

#include "board/move.h"

extern thread_local std::vector<Move> root_search_moves;    // empty: every move
extern thread_local std::vector<Move> root_excluded_moves;  // lines already found this iteration
PER_THREAD extern bool root_moves_filtered;                 // either list is in use

// Sets both lists for the next root search.
void set_root_moves(const std::vector<Move>& search_moves, const std::vector<Move>& excluded);

// Whether the root search may try m; only asked while root_moves_filtered.
bool root_move_allowed(const Move& m);

// The legal root moves the lists allow, in generation order.
std::vector<Move> allowed_root_moves();
