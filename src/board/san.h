#pragma once
// Standard algebraic notation (SAN) of moves, as written in PGN files.

#include <string>

#include "board/move.h"

// The SAN of a legal move m of the current position: piece letter, the least
// disambiguation that makes it unique (file, else rank, else both), "x" for a
// capture, "=Q" style promotion, "O-O"/"O-O-O", and "+" or "#" when it checks
// or mates. The position is left as it was.
std::string move_to_san(const Move& m);
