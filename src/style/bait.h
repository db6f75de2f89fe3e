#pragma once
// Bait: a move that leaves the opponent a capture that wins material. Provocation
// steers for it and the gauntlet counts it. The rule is read in the position after the
// move, with the opponent to move, in one of two readings:
//  - Exchange: the opponent's best legal capture, by its static exchange, wins at least
//    BAIT_MARGIN_CP more than the move itself took. Any piece left en prise counts. It
//    names Provocation's own kind of move above strength 100, and the gauntlet counts it.
//  - MovedPiece: the opponent's least valuable attacker of the moved piece takes it
//    without losing on the exchange, an even trade included. The tactical selection
//    gathers these for Provocation at any strength and searches that capture for its
//    trap bonus, so it needs the capture itself.

#include "board/move.h"

constexpr int BAIT_MARGIN_CP = 50;

enum class BaitRule { Exchange, MovedPiece };

struct Bait {
  bool offered = false;
  Move capture{};  // the opponent's capture that takes it (the first best one for Exchange)
  // What taking it wins by static exchange: for Exchange beyond what the move took, for
  // MovedPiece the whole exchange.
  int gain = 0;
};

// Material the move takes, read before it is made: the captured piece plus what a
// promotion adds.
int material_taken(const Move& m);

// The capture of the piece standing on square by the side to move's least valuable
// attacker, or false when nothing attacks it.
bool least_attacker_capture(int square, Move& capture);

// Read after the move m, which took taken (material_taken before it was made): the bait
// it left by rule.
Bait bait_offered(const Move& m, int taken, BaitRule rule);
