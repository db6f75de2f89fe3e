#pragma once
// When a game of the style gauntlet is over, and how it ended.

#include <cstdint>
#include <vector>

#include "board/move.h"

enum class GameEnd : int { None, Checkmate, Stalemate, Repetition, FiftyMoves, DeadPosition, LengthCap };

// The state of a game the position alone does not hold.
struct GameProgress {
  // Keys of the positions since the last capture or pawn move, the current one last:
  // no earlier position can come back.
  std::vector<std::uint64_t> keys;
  int halfmove_clock = 0;  // plies since the last capture or pawn move
  int plies = 0;           // plies played in this game
  int max_plies = 400;     // the length cap, a draw
};

// Brings the progress up to date after the legal move m was made on the global position.
void record_move(const Move& m, GameProgress& progress);

// How the game stands in the current global position. Mate and stalemate come
// first, so a mate given on the fiftieth move still wins.
GameEnd adjudicate(const GameProgress& progress);

// The PGN result for an ending, with loser the side to move when it was reached.
const char* game_result(GameEnd end, int side_to_move);
// A short description of the ending, e.g. "threefold repetition".
const char* game_end_name(GameEnd end);
