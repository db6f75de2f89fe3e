#pragma once
// The transposition table (entry layout and probe/store live with their owner).

// Empties every slot; used by "ucinewgame" while no search runs.
void tt_clear();
