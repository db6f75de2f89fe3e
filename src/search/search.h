#pragma once
#include "board/move.h"

// Iterative deepening from the current position; prints the info lines and returns
// the move to play. movetime_ms 0 means no budget; analysis suppresses the tactical pick.
Move search_best(int max_depth, int movetime_ms, bool analysis);
