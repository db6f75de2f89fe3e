#pragma once
#include "board/move.h"

// Pseudo-legal moves of the side to move, in the engine's fixed generation order.
void generate_moves(MoveList& list);
