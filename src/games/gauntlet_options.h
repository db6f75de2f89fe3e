#pragma once
// The options of the "styles" command (the style gauntlet).

#include <cstdint>
#include <string>
#include <vector>

#include "style/search_mode.h"

// One row of the gauntlet: a style, with or without the tactical selection, against
// Balanced with it. Balanced itself is the baseline; Balanced without the selection
// (named "NoTactics") measures what the selection is worth.
struct GauntletRow {
  SearchMode style = Balanced;
  bool tactics = true;
  bool operator==(const GauntletRow&) const = default;
};

// "KingAttack" and so on, or "NoTactics".
const char* row_name(const GauntletRow& row);

struct GauntletOptions {
  int games = 40;                  // per style, half with each colour
  std::int64_t nodes = 20000;      // per move; 0 when a move time is used
  int movetime_ms = 0;             // per move; 0 when a node limit is used
  int max_plies = 400;             // the length cap, a draw
  std::uint64_t seed = 1;          // chooses and orders the openings
  std::vector<GauntletRow> rows;   // Balanced (the baseline) first, then the rows asked for
  int jobs = 1;                    // games played at once
  std::string out_dir = "styles-report";
  std::string openings_file;       // empty: the bundled openings
  bool per_side = false;           // one engine, each side's style read at its own nodes
  int level = 0;                   // both sides at this UCI_Elo; 0: full strength
  int part = 1, parts = 1;         // --shard: play only this part of so many
  bool gate = false;               // check each style's promise against Balanced
  int strength = -1;               // every style row's StyleStrength; -1: each style's published one
  bool book = false;               // from the start position, each side playing its style's built-in book
};

// The settings of a "--quick" run: a few short games, for a look in under a minute.
constexpr int QUICK_GAMES = 2;
constexpr std::int64_t QUICK_NODES = 5000;

// Reads the words after "styles". Each option takes "--name value" or "--name=value":
// --games N, --nodes N, --movetime MS, --max-plies N, --seed N, --styles A,B,... (the
// default is every style and NoTactics),
// --jobs N, --out DIR, --openings FILE, --level ELO, --shard I/N,
// and the flags --quick, --per-side, --gate and --book. Values given explicitly win over
// --quick wherever they stand. False with error on an unknown word or a bad value.
bool parse_gauntlet_options(const std::vector<std::string>& words, GauntletOptions& options, std::string& error);

// A row named by its name in any letter case ("KingAttack", "kingattack", "notactics"), or false.
bool row_from_name(const std::string& name, GauntletRow& row);
