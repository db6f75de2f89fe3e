#pragma once
// The "go" command: its limit words, the search limits they give, and the
// start of the search thread.

#include <istream>
#include <string>
#include <vector>

#include "board/position.h"
#include "search/limits.h"

// The limits as read from a "go" line; unset words keep these defaults.
struct GoLimits {
  int depth = 64;
  int movetime = 0;
  int wtime = 0;
  int btime = 0;
  int winc = 0;
  int binc = 0;
  int nodes = 0;
  int mate = 0;
  int movestogo = 0;
  bool infinite = false;
  bool ponder = false;
  bool perft = false;  // "go perft N": count the move tree to perft_depth instead of searching
  int perft_depth = 0;
  std::vector<std::string> searchmoves;  // the words after "searchmoves", as written
};

// Reads the words after "go". Later words override earlier ones; reading ends at
// the first value that is not an integer (that limit then reads 0) and at a value
// outside the 32-bit range (clamped to the nearest end). "searchmoves" takes the
// words up to the next go word.
GoLimits parse_go_limits(std::istream& words);

// Turns the limits into the search's limits for the given side to move: the time
// budget (a fixed movetime as given, or the time manager's share of the side's
// clock after the move overhead), the MultiPV setting, and the search moves that
// are legal in the current position (none legal means no restriction).
SearchLimits derive_search_args(const GoLimits& limits, int side_to_move);

// Stops and joins any earlier search, then starts a new one from the words of the line.
void handle_go(std::istream& words);

