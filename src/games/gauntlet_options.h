#pragma once
// The options of the "styles" command (the style gauntlet).

#include <cstdint>
#include <string>
#include <vector>

#include "games/adjudication.h"
#include "style/search_mode.h"
#include "style/style_strength.h"

// One row of the gauntlet: a style, with or without the tactical selection, against
// the baseline (Balanced with it unless --baseline names another row), and the
// StyleStrength its side plays at. Balanced without the selection (named "NoTactics")
// measures what the selection is worth.
struct GauntletRow {
  SearchMode style = Balanced;
  bool tactics = true;
  int strength = STYLE_STRENGTH_DEFAULT;
  bool operator==(const GauntletRow&) const = default;
};

// "KingAttack" and so on, or "NoTactics"; Balanced at another strength than its default
// is "Balanced@N".
std::string row_name(const GauntletRow& row);

// The one rule for a row's strength: a style plays at strength (0..400), or at its
// published strength when strength is PUBLISHED_STRENGTH; Balanced, with the selection or
// without it, plays at the default unless its row is named with a strength ("Balanced@N"),
// which nothing else changes.
constexpr int PUBLISHED_STRENGTH = -1;
int row_strength(SearchMode style, int strength);

// What every game of a run is played with.
struct GameSettings {
  std::int64_t nodes = 20000;  // per move; 0 when a move time is used
  int movetime_ms = 0;         // per move; 0 when a node limit is used
  // Games are played to the end: the rules of chess end every one, and the score
  // rules end the decided ones early. A cap is for quick looks.
  int max_plies = 0;           // the length cap, a draw; 0: none
  ScoreRules rules;
  // One engine reading White's style and strength at White's nodes and Black's at
  // Black's, as a GUI that sets only one side's mode gets. Otherwise each side is its
  // own engine: its searches run with both sides in its style and strength, as two
  // engines in a match would.
  bool per_side = false;
  int level = 0;       // both sides play at this UCI_Elo; 0 means full strength
  bool tactics = true;  // the tactical selection on at all (off: for every side)
  int threshold = 40;   // its threshold in centipawns
  // Each side plays the built-in book of its style (the main book for Balanced) from the
  // start position, drawing with the default variety from the game's random numbers.
  bool book = false;
};

// One run's settings: everything its games depend on, which a part's settings line
// records and two parts must share (all but the part), then how this process plays it.
// The table in run_fields.cpp says which member is which, with its option and range.
struct RunSettings {
  GameSettings game;
  int games = 40;                  // per row, half with each colour
  std::uint64_t seed = 1;          // chooses and orders the openings
  std::vector<GauntletRow> rows;   // the baseline's row first, Balanced, then the rows asked for
  // What every row plays against (--baseline); it plays at the strength of its own row.
  GauntletRow baseline;
  std::string openings;            // a hash of the opening list
  std::string build;               // a hash of the program that plays the games
  int part = 1, parts = 1;         // --shard: this part of so many
  // Not recorded: where the games come from and go, and how they are played.
  int jobs = 1;                    // games played at once
  std::string out_dir = "styles-report";
  std::string openings_file;       // empty: the bundled openings
  bool gate = false;               // check each style's promise against Balanced and the baseline
};

// The settings of a "--quick" run: a few short games, for a look in under a minute.
constexpr int QUICK_GAMES = 2;
constexpr std::int64_t QUICK_NODES = 5000;

// Reads the words after "styles" (the options of run_fields.h), over the defaults: every
// style and NoTactics, each at its published strength, jobs for every core. The tactical
// selection and its threshold are the engine's settings; with the selection off the
// NoTactics row is left out. False with error on an unknown word, a bad value or options
// that do not go together.
bool parse_gauntlet_options(const std::vector<std::string>& words, RunSettings& settings, std::string& error);

// A row named by its name in any letter case ("KingAttack", "kingattack", "notactics"), or false.
// A row read from its name has its strength from the name ("Balanced@N"), else the default.
bool row_from_name(const std::string& name, GauntletRow& row);
// Whether the row's strength came with its name, so a run's strength leaves it alone.
bool strength_named(const GauntletRow& row);
