#pragma once
// Tactical move selection: may swap the best move for a sharper one within a threshold.

#include "board/move.h"

// Settings, written by the main thread (command line, setoption) between searches.
extern bool tactical_move_selection;
extern int tactic_threshold_cp;

// Called by search_best after its last iteration; returns best or another legal move.
Move pick_tactical_move(int depth, Move best);
