#pragma once
// One game of the style gauntlet, played inside this process: each move a fresh
// search with a node or time limit, the table cleared before it.

#include <cstdint>
#include <vector>

#include "games/adjudication.h"
#include "games/fingerprint.h"
#include "games/openings.h"
#include "style/search_mode.h"
#include "style/style_strength.h"

struct GameSettings {
  std::int64_t nodes = 20000;  // per move; 0 means none
  int movetime_ms = 0;         // per move; 0 means none
  int max_plies = 400;         // length cap, a draw
  // One engine reading White's style and strength at White's nodes and Black's at
  // Black's, as a GUI that sets only one side's mode gets. Otherwise each side is its
  // own engine: its searches run with both sides in its style and strength, as two
  // engines in a match would.
  bool per_side = false;
  int level = 0;              // both sides play at this UCI_Elo; 0 means full strength
  // Each side plays the built-in book of its style (the main book for Balanced) up to
  // GAUNTLET_BOOK_PLIES, drawing with the default variety from the game's random numbers.
  bool book = false;
};

constexpr int GAUNTLET_BOOK_PLIES = 20;

// What one side plays with.
struct SidePlayer {
  SearchMode mode = Balanced;
  bool tactics = true;  // the tactical selection may replace its search's best move
  int strength = STYLE_STRENGTH_DEFAULT;
};

struct GameRecord {
  std::vector<PlayedMove> plies;
  GameEnd end = GameEnd::None;
  int final_side = 0;  // side to move when the game ended (the loser of a mate)
};

// Plays white against black from the opening. Expects the search's lines to be
// going to the gauntlet's line sink (install_move_observer) rather than the screen.
// Leaves the tactical-selection setting as it found it.
GameRecord play_game(const Opening& opening, const SidePlayer& white, const SidePlayer& black,
                     const GameSettings& settings);

// Points the engine's output at a reader that keeps the score and the tactical
// pick of the search in progress; remove_move_observer restores standard output.
void install_move_observer();
void remove_move_observer();

// The reading of one search line: the score of an "info depth" line (mate scores
// become +-MATE_VALUE minus the distance), the depth the search completed and
// whether it is a tactical pick.
void observe_search_line(std::string_view line, PlayedMove& played);
