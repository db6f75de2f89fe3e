#pragma once
// Legal moves of the current position, for code outside the search (notation,
// game adjudication) that needs the full list rather than pseudo-legal moves.

#include "board/move.h"

// The generated moves that do not leave the mover's king attacked, in generation order.
void generate_legal_moves(MoveList& list);
// Whether the side to move has a legal move; stops at the first one.
bool has_legal_move();
// Whether colour's king is attacked (false when it has no king): the one in-check test.
bool king_attacked(int colour);
