#pragma once
#include "board/move.h"

// Pseudo-legal moves of the side to move, in the engine's fixed generation order.
void generate_moves(MoveList& list);

// Only the captures (en passant and capturing promotions included) of generate_moves,
// in the same relative order: the list generate_moves gives, with every other move dropped.
void generate_captures(MoveList& list);
