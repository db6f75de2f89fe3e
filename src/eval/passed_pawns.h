#pragma once
#include "board/types.h"

// Squares ahead of a pawn on its own and the two neighbouring files; filled at start-up.
extern Bitboard passed_pawn_mask[2][64];

void init_passed_pawn_masks();
// Colour's passed-pawn middlegame and endgame values (both reset to 0 first).
void passed_pawn_terms(int colour, int& mg, int& eg);
