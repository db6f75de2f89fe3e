#pragma once
// Bait: a move after which the opponent has a capture whose static exchange beats what
// the move itself took by half a pawn. Provocation steers for it, and the gauntlet
// counts it the same way.

#include "board/move.h"

constexpr int BAIT_MARGIN_CP = 50;

// Material the move takes, read before it is made: the captured piece plus what a
// promotion adds.
int material_taken(const Move& m);

// The best static exchange among the legal captures of the side to move; INT_MIN
// when it has none.
int best_capture_exchange();

// Read after a move that took taken: what the opponent's best exchange wins beyond
// it, when that is bait; 0 otherwise.
int bait_offered(int taken);
