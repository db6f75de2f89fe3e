#pragma once
#include <cstdint>
#include <string>

#include "board/move.h"
#include "search/limits.h"

// Iterative deepening from the current position within the limits; prints the info
// lines and returns the move to play. When no iteration completes it returns the
// first legal move; with no legal move, the empty move.
Move search_best(const SearchLimits& limits);

// One root search at depth, narrowed around the previous score once it is stable.
// Used by the main search thread and its helpers alike.
int search_root(int depth, int previous);

// Appends " score cp N" or, for a mate score, " score mate N" to an info line.
void print_info_score(std::string& line, int score);

// The mate number of a mate score: moves to mate, negative when being mated.
int mate_in_moves(int score);
