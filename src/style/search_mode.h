#pragma once
// The playing styles and the per-side settings. Written by the main thread
// (command line, setoption) while no search runs; read by the search.

#include <iterator>
#include <string>

#include "board/position.h"

enum SearchMode : int {
  Balanced = 0,
  Deep = 1,
  Wide = 2,
  KingAttack = 3,
  PassedPawn = 4,
  PawnStorm = 5,
  Provocation = 6,
  PawnEnding = 7,
  MajorPieceEnding = 8,
  MinorPieceEnding = 9,
};

// Everything that names a style: the UCI combo values, the command line, its usage
// text, the gauntlet's rows and messages are all read from this table.
struct StyleEntry {
  SearchMode mode;
  const char* name;  // the UCI value and the name shown everywhere, matched without regard to case
  const char* word;  // the lower-case command-line word that selects it for both sides; null for none
};

constexpr StyleEntry STYLES[] = {
    {Balanced, "Balanced", nullptr},  // the default needs no word of its own
    {Deep, "Deep", "deep"},
    {Wide, "Wide", "wide"},
    {KingAttack, "KingAttack", "kingattack"},
    {PassedPawn, "PassedPawn", "passedpawn"},
    {PawnStorm, "PawnStorm", "pawnstorm"},
    {Provocation, "Provocation", "provocation"},
    {PawnEnding, "PawnEnding", "pawnending"},
    {MajorPieceEnding, "MajorPieceEnding", "majorpieceending"},
    {MinorPieceEnding, "MinorPieceEnding", "minorpieceending"},
};

constexpr int SEARCH_MODE_COUNT = static_cast<int>(std::size(STYLES));

// The table is indexed by the enum value.
constexpr bool styles_in_enum_order() {
  for (int i = 0; i < SEARCH_MODE_COUNT; ++i)
    if (STYLES[i].mode != i) return false;
  return true;
}
static_assert(styles_in_enum_order(), "STYLES must list the styles in the order of their values");

extern SearchMode white_search_mode;
extern SearchMode black_search_mode;

// The style's name; Balanced for a value outside the table.
const char* mode_name(SearchMode mode);
// Every style name in table order, with separator between two names.
std::string joined_style_names(const std::string& separator);
// The " var Balanced var Deep ..." tail of a style combo option's line.
const char* search_mode_uci_vars();
// The style a name means, matched without regard to case; false for any other text.
bool read_search_mode(const std::string& text, SearchMode& mode);
// Like read_search_mode, with Balanced for a name it does not know.
SearchMode parse_search_mode(const std::string& text);
void apply_search_mode_both(const std::string& text);

// The style of colour's side.
inline SearchMode mode_of(int colour) { return colour == WHITE ? white_search_mode : black_search_mode; }
// The style of the side to move in the current position; inline, as it is read at every node.
inline SearchMode active_mode() { return mode_of(side); }
