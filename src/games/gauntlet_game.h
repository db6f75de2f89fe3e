#pragma once
// One game of the style gauntlet, played inside this process: each move a fresh
// search with a node or time limit, the table cleared before it.

#include <cstdint>
#include <vector>

#include "games/adjudication.h"
#include "games/fingerprint.h"
#include "games/gauntlet_options.h"
#include "games/openings.h"
#include "style/search_mode.h"
#include "style/style_strength.h"

// What one side plays with.
struct SidePlayer {
  SearchMode mode = Balanced;
  bool tactics = true;  // the tactical selection may replace its search's best move
  int strength = STYLE_STRENGTH_DEFAULT;
};

struct GameRecord {
  std::vector<PlayedMove> plies;
  GameEnd end = GameEnd::None;
  int final_side = 0;  // the loser of a decisive game; otherwise the side to move at the end
};

// Plays white against black from the opening. A side uses the tactical selection
// when it and the settings both do, with the settings' threshold. With the settings'
// books, the books play up to ply BOOK_DEPTH_DEFAULT, as the engine's own book does by
// default. The searches print as usual: the caller points their lines elsewhere
// (drop_line) when nobody reads them. Every setting it writes (both sides' styles and
// strengths, the tactical selection and its threshold) is left as it found it; the
// final position is left set up, and the table and the strength random numbers are
// used as any search uses them.
GameRecord play_game(const Opening& opening, const SidePlayer& white, const SidePlayer& black,
                     const GameSettings& settings);
