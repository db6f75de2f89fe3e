#pragma once
// The UCI settings that are not styles or tactics. Written by the main thread
// (command line, setoption) while no search runs; read when a search starts.

constexpr int DEFAULT_HASH_MB = 16;
constexpr int DEFAULT_MOVE_OVERHEAD_MS = 10;

extern int hash_megabytes;    // size the table was last asked to take
extern int move_overhead_ms;  // taken from the clock before a budget is worked out
extern int multi_pv;          // root lines reported per iteration
extern bool ponder_enabled;   // the GUI may send "go ponder"; bestmove names a reply to ponder on
extern bool limit_strength;   // play at the level strength_elo instead of full strength
extern int strength_elo;      // the level, within the calibrated range (search/strength.h)
