#pragma once
#include "board/types.h"

// Squares ahead of a pawn on its own and the two neighbouring files.
// Written once by init_passed_pawn_masks at start-up, read-only afterwards.
extern Bitboard passed_pawn_mask[2][64];

// Passed-pawn values by relative rank (own first rank .. promotion rank).
inline constexpr int PASSED_PAWN_MG[8] = {0, 5, 10, 20, 35, 55, 85, 0};
inline constexpr int PASSED_PAWN_EG[8] = {0, 10, 20, 40, 70, 110, 170, 0};

void init_passed_pawn_masks();
// Colour's passed-pawn middlegame and endgame values (both reset to 0 first).
void passed_pawn_terms(int colour, int& mg, int& eg);
