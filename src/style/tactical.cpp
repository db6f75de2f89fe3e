#include "style/tactical.h"

// Placeholder until the tactical selection is written: keeps the search's move.
Move pick_tactical_move(int, Move best) { return best; }
