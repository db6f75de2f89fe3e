#pragma once
// What one side of a played game did, measured by replaying the game: the raw
// counts behind a style's fingerprint (the gauntlet sums them over games).

#include <string>
#include <vector>

#include "board/move.h"

// One ply as the game was played.
struct PlayedMove {
  Move move;
  int score = 0;               // the mover's own search score, centipawns, mover's view
  bool tactical_pick = false;  // the tactical selection replaced the search's best move
  int depth = 0;               // the depth its search completed
  bool book = false;           // played from a book, not searched
};

// Counts for the measured side (the side playing the style under test).
struct GameStats {
  double score = 0;            // its result: 1, 0.5 or 0
  int plies = 0;               // length of the game
  int moves = 0;               // moves it searched (its book moves are not the style's choice)
  int book_moves = 0;          // moves it played from its book
  int checks = 0;              // its moves that give check
  int captures = 0;            // its moves that capture
  long pressure = 0;           // king-zone pressure on the enemy king, summed after each of its moves
  int wing_pawn_moves = 0;     // its pawn moves onto the wing where the enemy king stands
  int passers_advanced = 0;    // its passed pawns pushed onto the sixth or seventh rank
  int baits = 0;               // its moves after which the opponent can win material by exchange
  int sacrifices = 0;          // spells of two pawns down for four plies with its score >= -50
  int tactical_picks = 0;      // its moves chosen by the tactical selection
  bool pawn_ending = false;    // reached kings and pawns only
  bool major_ending = false;   // reached rooks and queens only, besides pawns
  bool minor_ending = false;   // reached knights and bishops only, besides pawns
  long depth_sum = 0;          // the depths its searches completed, summed over its moves
  bool stood_ahead = false;    // its own score stood at AHEAD_SCORE_CP or more for AHEAD_MOVES moves in a row
};

// The rules behind the counts, pinned here so that tests and the report share them.
constexpr int SACRIFICE_DEFICIT_CP = 200;   // material down by at least this much ...
constexpr int SACRIFICE_MIN_PLIES = 4;      // ... for at least this many plies in a row ...
constexpr int SACRIFICE_SCORE_FLOOR = -50;  // ... while its latest search score is at least this
constexpr int AHEAD_SCORE_CP = 150;         // ahead: its own search score at least this ...
constexpr int AHEAD_MOVES = 3;              // ... for this many of its moves in a row
constexpr int SHORT_WIN_PLIES = 80;         // a short win: won within this many plies of the opening

// Replays the game from fen on the global position and counts what measured
// (0 White, 1 Black) did; score is measured's result. Its book moves count in the
// game's plies and in what the game reached (endings, wing pawn moves, passers,
// sacrifices), and in book_moves alone of the per-move counts: moves, the depth and
// the scores are its searches'. Leaves the final position set up.
GameStats measure_game(const std::string& fen, const std::vector<PlayedMove>& plies, int measured, double score);
