#pragma once
// Legal moves of the current position, for code outside the search (notation,
// game adjudication) that needs the full list rather than pseudo-legal moves.

#include <string_view>

#include "board/move.h"

// The generated moves that do not leave the mover's king attacked, in generation order.
void generate_legal_moves(MoveList& list);
// Whether the side to move has a legal move; stops at the first one.
bool has_legal_move();
// Whether colour's king is attacked (false when it has no king): the one in-check test.
bool king_attacked(int colour);

// Why the current position cannot be played, or empty when it can. Move
// generation and the legality test assume one king a side (has_one_king_each) and
// a side not to move that is not in check; a board taken from outside (a FEN) is
// checked here before anything searches or plays on it.
std::string_view why_unplayable();
