#pragma once
// Searches of a set depth outside any game, for the tools that judge positions
// (the openings maker, the book brancher). No clock, no node limit; the table is
// emptied first, so the same position always gets the same score.

#include "board/move.h"

// The side to move's score, from iterative deepening up to depth.
int fixed_depth_score(int depth);
// The mover's score after playing m, searched to depth.
int fixed_depth_score_after(const Move& m, int depth);
// The best move found by fixed_depth_score(depth); empty when the side to move has none.
Move fixed_depth_best_move(int depth);
