#pragma once
#include "board/move.h"
#include "search/info.h"
#include "search/limits.h"
#include "style/search_mode.h"

// Iterative deepening from the current position within the limits; prints the info
// lines and returns the move to play: a searched move whenever a legal move exists
// (the first iteration always completes), the empty move when none does. A depth
// below 1 searches nothing and returns the first legal move. When ponder_move is
// given it receives the reply the played line expects, or the empty move.
Move search_best(const SearchLimits& limits, Move* ponder_move = nullptr);

// The depth of the iteration after depth: Deep skips every other one past the fourth.
int next_iteration_depth(int depth, SearchMode root_mode);

// The line the root search just found on this thread; allowed are the root moves it may play.
std::vector<Move> searched_line(const std::vector<Move>& allowed);

// One root search at depth, narrowed around the previous score once it is stable.
// Used by the main search thread and its helpers alike.
int search_root(int depth, int previous);
