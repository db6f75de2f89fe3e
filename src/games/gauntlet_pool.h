#pragma once
// Plays the gauntlet's games, in worker processes when more than one runs at once.
// The engine's search and position are process-wide, so parallel games need
// processes of their own; every game starts from the same state, so the records
// are those of a serial run.

#include <cstdint>
#include <string>
#include <vector>

#include "games/gauntlet_game.h"
#include "games/gauntlet_options.h"

struct GameJob {
  GauntletRow row;       // what is under test, at its strength
  int styled_colour;     // the colour it plays; the other side plays the opponent
  int opening;           // index into the opening list
  std::uint64_t seed;    // the random choices of a level in this game
  GauntletRow opponent;  // the run's baseline, at its row's strength
};

// Plays every job; records come back in job order. workers 1 plays in this process.
// False with error when a worker fails. progress (may be null) is told each finished game.
bool play_jobs(const std::vector<GameJob>& jobs, const std::vector<Opening>& openings,
               const GameSettings& settings, int workers, std::vector<GameRecord>& records, std::string& error,
               void (*progress)(int done, int total));

// The one-line text form a worker sends back, and its reading.
std::string encode_record(int job, const GameRecord& record);
bool decode_record(const std::string& line, int& job, GameRecord& record);
