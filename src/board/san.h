#pragma once
// Standard algebraic notation (SAN) of moves, as written in PGN files.

#include <string>
#include <string_view>

#include "board/move.h"

// The SAN of a legal move m of the current position: piece letter, the least
// disambiguation that makes it unique (file, else rank, else both), "x" for a
// capture, "=Q" style promotion, "O-O"/"O-O-O", and "+" or "#" when it checks
// or mates. The position is left as it was.
std::string move_to_san(const Move& m);

// The legal move of the current position that a SAN text names, or the empty move
// when it names none or more than one. Reads what people write as well as the
// export form: check and mate marks, "!" and "?" may follow, the "=" before a
// promotion may be left out, and castling may be written with zeros.
Move san_to_move(std::string_view text);
