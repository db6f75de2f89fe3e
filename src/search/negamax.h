#pragma once
#include "board/move.h"
#include "search/search_state.h"

// Principal variation, one per searching thread: row p holds the line found at ply p.
PER_THREAD extern Move pv_table[MAX_PLY][MAX_PLY];
PER_THREAD extern int pv_length[MAX_PLY];

// Alpha-beta node; fail-soft score from the side to move's view.
// A node at MAX_PLY or deeper has no row in the per-ply tables and answers with the
// static evaluation.
int negamax(int depth, int alpha, int beta, int ply, bool allow_null);
