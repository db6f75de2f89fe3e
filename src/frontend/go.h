#pragma once
// The "go" command: its limit words, the search limits they give, and the
// start of the search thread.

#include <istream>
#include <string>
#include <vector>

#include "board/position.h"
#include "search/limits.h"
#include "search/timeman.h"

// The limits as read from a "go" line; unset words keep these defaults.
struct GoLimits {
  int depth = 64;
  GoTime time;  // movetime, the clocks, the increments and the moves to go
  int nodes = 0;
  int mate = 0;
  bool infinite = false;
  bool ponder = false;
  bool perft = false;  // "go perft N": count the move tree to perft_depth instead of searching
  int perft_depth = 0;
  std::vector<std::string> searchmoves;  // the words after "searchmoves", as written
  // The values that could not be used, each said in a sentence for an "info string".
  std::vector<std::string> faults;
};

// Reads the words after "go". Later words override earlier ones. A depth, nodes,
// mate, movetime or movestogo must be a positive number, a clock or increment a
// number not below zero; another value is noted in faults and the reading goes on
// with the next word (a missing value does not take the next go word for one).
// A depth, nodes, mate or movestogo that is noted keeps its default; a time word
// keeps what it read (0 for a value that is not a number), which the time manager
// takes as no time. A value outside the 32-bit range gives the nearest end.
// "searchmoves" takes the words up to the next go word.
GoLimits parse_go_limits(std::istream& words);

// Whether nothing on the line ends the search although it must end on its own: it
// asked for a limit that could not be used, and names no depth, nodes or time
// ("infinite" asks for no end).
bool go_must_end(const GoLimits& limits);

// Turns the limits into the search's limits for the given side to move: the time
// budget (the time manager's, from the line's time words), the MultiPV setting, and
// the search moves that are legal in the current position (none legal means no
// restriction). A search without a time of its own is analysis.
SearchLimits derive_search_args(const GoLimits& limits, int side_to_move);

// Stops and joins any earlier search, then starts a new one from the words of the line.
void handle_go(std::istream& words);

