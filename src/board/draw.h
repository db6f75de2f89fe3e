#pragma once
// Draws by rule: positions in which neither side can ever give mate, and the
// fifty-move rule.

#include "board/position.h"

// Half-moves without a capture or pawn move after which the game is drawn.
constexpr int FIFTY_MOVE_PLIES = 100;

// The material test of is_dead_position, for boards of at most four pieces.
bool is_dead_material();

// True for king against king, king against king and one knight or bishop, and king
// and bishop against king and bishop with both bishops on squares of one colour.
// Asked at every search node: the piece count settles almost every call inline.
inline bool is_dead_position() { return popcount(occupancies[2]) <= 4 && is_dead_material(); }

// Whether colour keeps the material to give mate: anything beyond a lone king or a
// king and one knight or bishop. Decides a time forfeit: the side that still has
// time wins only if it could mate. The rare helpmates of a lone minor against a
// blocking piece are not counted, as tournament rules usually do.
bool has_mating_material(int colour);

// True when the side to move is in check and has no legal move. The fifty-move
// rule yields to a mate given on its last move.
bool is_checkmate();
