#pragma once
// The playing styles and the per-side settings. Written by the main thread
// (command line, setoption) while no search runs; read by the search.

#include <cstdint>
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

// A set of piece types (pawn to king), one bit each.
using PieceKinds = unsigned;
constexpr PieceKinds kind_bit(int type) { return 1u << type; }
constexpr PieceKinds MINOR_PIECES = kind_bit(N) | kind_bit(B);
constexpr PieceKinds MAJOR_PIECES = kind_bit(R) | kind_bit(Q);

// A style's own kind of move, which the tactical selection scores first above strength
// 100: a check, bait, a passed-pawn push, a storm push, or a trade (taken or offered)
// of a piece the style wants gone.
enum class OwnMove : std::uint8_t { None, Check, Bait, PassedPush, StormPush, Trade };

// What the tactical selection measures for a style in the position after a candidate.
enum class StyleMeasure : std::uint8_t { None, KingZone, Passers, Storm, Bait, Ending };

// What a style's evaluation term weighs above strength 100: growing with the strength
// (KingAttack and PassedPawn, whose terms the tree can afford to believe more), staying
// at its default (PawnEnding and MinorPieceEnding, which steer by their wish for trades
// instead), or dropped with any capture extensions of the style, which then steers at
// the root alone: MajorPieceEnding, whose term and extensions cost it more than a ply of
// depth at its default, and PawnStorm, whose storm term cost more than its pushes at the
// root gained (measured in whole games).
enum class TermAbove : std::uint8_t { Grows, Stays, Off };

// The style bonus of a candidate: min(measured, cap) * times / per, when the measure
// taken after the candidate is this one.
struct StyleBonus {
  StyleMeasure measure;
  int cap, times, per;
};

// Everything that names a style, and what this engine adds to it beyond its evaluation
// term and its search shape: the UCI combo values, the command line, its usage text,
// the gauntlet's rows and messages, the tactical selection's candidates and scores and
// the ending styles' wish for trades are all read from this table.
struct StyleEntry {
  SearchMode mode;
  const char* name;  // the UCI value and the name shown everywhere, matched without regard to case
  const char* word;  // the lower-case command-line word that selects it for both sides; null for none
  PieceKinds wanted_gone;  // the pieces an ending style trades off on the way to its ending
  OwnMove own_move;
  StyleBonus bonus;
  // Per 100 of strength above the default: what its own kind of move adds to the tactical score.
  int steering;
  TermAbove term_above;
  // Per 100 of strength above the default: how many centipawns below the main search's
  // score its own kind of move may score, searched to the main search's depth, and
  // still replace the best move.
  int steer_margin;
  // Per 100 of strength above the default: what the tree counts for a full set of the
  // wanted_gone kinds traded off (see trade_drive.h).
  int trade_drive;
};

constexpr StyleBonus NO_BONUS = {StyleMeasure::None, 0, 0, 1};
constexpr StyleBonus ENDING_BONUS = {StyleMeasure::Ending, 400, 1, 1};

constexpr StyleEntry STYLES[] = {
    // The default needs no word of its own.
    {Balanced, "Balanced", nullptr, 0, OwnMove::None, NO_BONUS, 0, TermAbove::Grows, 0, 0},
    {Deep, "Deep", "deep", 0, OwnMove::None, NO_BONUS, 0, TermAbove::Grows, 0, 0},
    {Wide, "Wide", "wide", 0, OwnMove::None, NO_BONUS, 0, TermAbove::Grows, 0, 0},
    {KingAttack, "KingAttack", "kingattack", 0, OwnMove::Check, {StyleMeasure::KingZone, 30, 3, 1}, 100,
     TermAbove::Grows, 10, 0},
    {PassedPawn, "PassedPawn", "passedpawn", 0, OwnMove::PassedPush, {StyleMeasure::Passers, 200, 1, 4}, 0,
     TermAbove::Grows, 10, 0},
    {PawnStorm, "PawnStorm", "pawnstorm", 0, OwnMove::StormPush, {StyleMeasure::Storm, 300, 1, 5}, 0,
     TermAbove::Off, 10, 0},
    {Provocation, "Provocation", "provocation", 0, OwnMove::Bait, {StyleMeasure::Bait, 500, 1, 1}, 40,
     TermAbove::Grows, 10, 0},
    {PawnEnding, "PawnEnding", "pawnending", MINOR_PIECES | MAJOR_PIECES, OwnMove::Trade, ENDING_BONUS, 80,
     TermAbove::Stays, 10, 60},
    {MajorPieceEnding, "MajorPieceEnding", "majorpieceending", MINOR_PIECES, OwnMove::Trade, ENDING_BONUS, 80,
     TermAbove::Off, 10, 60},
    {MinorPieceEnding, "MinorPieceEnding", "minorpieceending", MAJOR_PIECES, OwnMove::Trade, ENDING_BONUS, 80,
     TermAbove::Stays, 10, 60},
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

// The style's row; Balanced's for a value outside the table.
constexpr const StyleEntry& style_entry(SearchMode mode) {
  return mode >= 0 && mode < SEARCH_MODE_COUNT ? STYLES[mode] : STYLES[Balanced];
}
// Whether the style wants pieces of this type (pawn to king) off the board.
inline bool wanted_gone(SearchMode mode, int type) { return (style_entry(mode).wanted_gone & kind_bit(type)) != 0; }
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
