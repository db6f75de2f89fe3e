#pragma once
// Tactical move selection: may swap the best move for a sharper one within a threshold.

#include <chrono>
#include <vector>

#include "board/move.h"
#include "search/limits.h"

// Settings, written by the main thread (command line, setoption) between searches.
extern bool tactical_move_selection;
extern int tactic_threshold_cp;
// The threshold's range: the UCI option's, the command line's and a gauntlet part's.
constexpr int TACTIC_THRESHOLD_MIN = 0;
constexpr int TACTIC_THRESHOLD_MAX = 300;

// The selection's answer. When it replaces best, the score and line of its own
// short search of the move played, which its info line reports.
struct TacticalPick {
  Move move;              // best or the move that replaces it
  bool replaced = false;  // move is not best
  int score = 0;          // from the mover's view
  std::vector<Move> line = {};  // move first
};

// Called by search_best after its last iteration, which completed depth and scored
// best at best_score; answers with best or another legal move among the limits' search
// moves. Its time comes
// from the limits' budget, counted from budget_start. When it plays another move it
// prints the pick and an info line of its own search of that move, at depth.
TacticalPick pick_tactical_move(int depth, Move best, int best_score, const SearchLimits& limits,
                                std::chrono::steady_clock::time_point budget_start);
