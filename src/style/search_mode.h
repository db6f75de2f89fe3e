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

// What a style's evaluation term weighs above strength 100: growing with the strength (a
// term the tree can afford to believe more), staying at its default (an ending style that
// steers by its wish for trades instead), or dropped where it cost more in the tree than
// it steered (measured in whole games).
enum class TermAbove : std::uint8_t { Grows, Stays, Off };

// What a style keeps of its own search above strength 100 (at or below it, all of it):
// its evaluation term, its move ordering (its bonus for its own kind of move or capture)
// and its extensions (its check, push and capture extensions and its quiescence's quiet
// checks). Deep's and Wide's shapes are the styles themselves, the same at any strength.
struct ShapeAbove {
  TermAbove term = TermAbove::Grows;
  bool ordering = true;
  bool extensions = true;
};

// The style bonus of a candidate: min(measured, cap) * times / per, when the measure
// taken after the candidate is this one.
struct StyleBonus {
  StyleMeasure measure;
  int cap, times, per;
};

constexpr StyleBonus NO_BONUS = {StyleMeasure::None, 0, 0, 1};
constexpr StyleBonus ENDING_BONUS = {StyleMeasure::Ending, 400, 1, 1};

// A column of the style gauntlet's fingerprint (its CSV name) that the style gate holds
// a style to, and the side of Balanced's figure it must stand on.
struct GateColumn {
  const char* column = nullptr;  // null for none
  bool higher = true;            // above Balanced; otherwise below
};

// Everything this engine adds to a style, in one row: the UCI combo values, the command
// line, its usage text, the gauntlet's rows, strengths, gate and messages, the books,
// the tactical selection's candidates and scores, the ending styles' wish for trades and
// what its strength does to its search are all read from this table.
struct StyleEntry {
  SearchMode mode;
  const char* name;             // the UCI value and the name shown everywhere, matched without regard to case
  const char* word = nullptr;   // the lower-case command-line word that selects it for both sides; null for none
  PieceKinds wanted_gone = 0;   // the pieces an ending style trades off on the way to its ending
  OwnMove own_move = OwnMove::None;
  StyleBonus bonus = NO_BONUS;
  // Per 100 of strength above the default: what its own kind of move adds to the tactical score.
  int steering = 0;
  ShapeAbove above = {};
  // Per 100 of strength above the default: how many centipawns below the main search's
  // score a tactical pick (its own kind of move or any other) may score, searched to the
  // main search's depth, and still replace the best move.
  int steer_margin = 0;
  // Per 100 of strength above the default: what the tree counts for a full set of the
  // wanted_gone kinds traded off (see trade_drive.h).
  int trade_drive = 0;
  // The built-in book it opens from (the name of its lines' file in data/books); null
  // for the main book.
  const char* book = nullptr;
  // The strength the gauntlet plays it at unless told otherwise: the one chosen, on whole
  // games from tests/data/openings-choose.epd, as the strongest steering whose column
  // separates at a cost the gate allows (docs/styles has the runs behind them).
  int published_strength;
  // The columns the style gate holds it to, its own (the one its strength curve draws) first.
  GateColumn gate[2] = {};
  // Whether the gate holds it to the cost test. A steering style is; Deep and Wide change
  // the search's shape, and what that costs at a node budget is their nature.
  bool costed = false;
};

constexpr StyleEntry STYLES[] = {
    // The default needs no word of its own. At 100 it is the default a GUI gets; above it,
    // its tactical picks must hold up at the main search's depth too. At 200 they cost
    // about 25 Elo over three sets of games; at 150, fewer and held closer, about 5.
    {.mode = Balanced, .name = "Balanced", .steer_margin = 10, .published_strength = 150},
    {.mode = Deep, .name = "Deep", .word = "deep", .published_strength = 100, .gate = {{"depth", true}}},
    {.mode = Wide, .name = "Wide", .word = "wide", .published_strength = 100, .gate = {{"depth", false}}},
    {.mode = KingAttack, .name = "KingAttack", .word = "kingattack", .own_move = OwnMove::Check,
     .bonus = {StyleMeasure::KingZone, 30, 3, 1}, .steering = 100, .above = {.term = TermAbove::Grows},
     .steer_margin = 15, .book = "king_attack", .published_strength = 400,
     .gate = {{"checks_per100", true}, {"king_zone_pressure", true}}, .costed = true},
    // Its term growing, its push ordering and its push extension cost more than they
    // steered; the term at its default, and the root's steering for its own push, carry it.
    {.mode = PassedPawn, .name = "PassedPawn", .word = "passedpawn", .own_move = OwnMove::PassedPush,
     .bonus = {StyleMeasure::Passers, 200, 1, 4}, .steering = 60,
     .above = {.term = TermAbove::Stays, .ordering = false, .extensions = false}, .steer_margin = 5,
     .book = "passed_pawn", .published_strength = 300, .gate = {{"passers_6th_7th", true}}, .costed = true},
    // Its storm term, push ordering and push extension cost more in the tree than the
    // pushes they bought; it steers at the root alone, with picks held to 6 cp at 400.
    {.mode = PawnStorm, .name = "PawnStorm", .word = "pawnstorm", .own_move = OwnMove::StormPush,
     .bonus = {StyleMeasure::Storm, 300, 1, 5}, .above = {.term = TermAbove::Off, .ordering = false, .extensions = false},
     .steer_margin = 2, .book = "pawn_storm", .published_strength = 400, .gate = {{"wing_pawn_moves", true}},
     .costed = true},
    {.mode = Provocation, .name = "Provocation", .word = "provocation", .own_move = OwnMove::Bait,
     .bonus = {StyleMeasure::Bait, 500, 1, 1}, .steering = 40, .above = {.term = TermAbove::Grows}, .steer_margin = 2,
     .book = "provocation", .published_strength = 400, .gate = {{"bait_per100", true}}, .costed = true},
    {.mode = PawnEnding, .name = "PawnEnding", .word = "pawnending", .wanted_gone = MINOR_PIECES | MAJOR_PIECES,
     .own_move = OwnMove::Trade, .bonus = ENDING_BONUS, .steering = 80, .above = {.term = TermAbove::Stays},
     .steer_margin = 5, .trade_drive = 60, .book = "pawn_ending", .published_strength = 400,
     .gate = {{"pawn_endings_pct", true}}, .costed = true},
    // Its term (which charges for its own minor pieces, so it paid for giving them away),
    // its capture extensions and its capture ordering cost more than they steered; its wish
    // for trades is what takes it to its ending.
    {.mode = MajorPieceEnding, .name = "MajorPieceEnding", .word = "majorpieceending", .wanted_gone = MINOR_PIECES,
     .own_move = OwnMove::Trade, .bonus = ENDING_BONUS, .steering = 80,
     .above = {.term = TermAbove::Off, .ordering = false, .extensions = false}, .steer_margin = 2, .trade_drive = 20,
     .book = "major_piece_ending", .published_strength = 400, .gate = {{"major_endings_pct", true}}, .costed = true},
    // Its term, and a wish for trades as strong as the other ending styles', cost more than
    // 100 Elo against the strongest play; a mild wish and the root's steering carry it.
    {.mode = MinorPieceEnding, .name = "MinorPieceEnding", .word = "minorpieceending", .wanted_gone = MAJOR_PIECES,
     .own_move = OwnMove::Trade, .bonus = ENDING_BONUS, .steering = 80,
     .above = {.term = TermAbove::Off, .ordering = false, .extensions = false}, .steer_margin = 5,
     .trade_drive = 20, .book = "minor_piece_ending", .published_strength = 300,
     .gate = {{"minor_endings_pct", true}}, .costed = true},
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
