#pragma once
// Tactical move selection: may swap the best move for a sharper one within a threshold.

#include <chrono>
#include <vector>

#include "board/move.h"
#include "search/limits.h"

// Settings, written by the main thread (command line, setoption) between searches.
extern bool tactical_move_selection;
extern int tactic_threshold_cp;

// Called by search_best after its last iteration; returns best or another legal move
// among the limits' search moves. Its time comes from the limits' budget, counted
// from budget_start. When it returns another move it prints the pick and an info
// line of its own search of that move, and puts that line in pick_line if given.
Move pick_tactical_move(int depth, Move best, const SearchLimits& limits,
                        std::chrono::steady_clock::time_point budget_start, std::vector<Move>* pick_line = nullptr);
