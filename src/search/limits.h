#pragma once
// What one search is asked to do: every limit of a "go" line in one record, taken
// whole by the search driver and the search thread.

#include <cstdint>
#include <vector>

#include "board/move.h"

struct SearchLimits {
  int depth = 64;            // deepest iteration
  int movetime_ms = 0;       // time budget; 0 or less means none
  std::int64_t nodes = 0;    // node budget; 0 or less means none
  int mate = 0;              // stop once a mate in this many moves is proven; 0 means none
  std::vector<Move> searchmoves;  // the root moves to search; empty means all
  bool infinite = false;     // search until told to stop
  bool ponder = false;       // searching on the opponent's time until "ponderhit" or "stop"
  bool analysis = false;     // no tactical selection of the played move
  int multipv = 1;           // root lines reported per iteration
  // A limited playing strength (search/strength.h): the root lines scored each
  // iteration, and how far below the best one the played line may score. One line
  // plays the best move, as at full strength.
  int choice_lines = 1;
  int choice_margin_cp = 0;
  // Play the search's own best move: no tactical selection (a level mating a lone king).
  bool best_move_only = false;
};
