#pragma once
// A style's fingerprint: each figure summed over its games, with a 95% interval.

#include <array>
#include <cstddef>
#include <vector>

#include "games/fingerprint.h"

enum Figure : int {
  ScorePercent,       // score against Balanced, per cent
  EloDifference,      // the Elo difference that score implies
  GamePlies,          // game length in plies
  SearchDepth,        // mean depth its searches completed
  ChecksPer100,       // checks given per 100 of its moves
  CapturesPer100,     // captures made per 100 of its moves
  KingZonePressure,   // mean king-zone pressure on the enemy king after its moves
  WingPawnMoves,      // pawn moves onto the enemy king's wing per game
  PassersAdvanced,    // passed pawns pushed onto the sixth or seventh rank per game
  BaitPer100,         // bait moves per 100 of its moves
  Sacrifices,         // sacrifices per game
  SacrificeWins,      // share of its wins with a sacrifice, per cent
  ShortWins,          // share of its wins within SHORT_WIN_PLIES, per cent
  DrawsAhead,         // share of its draws after it stood ahead, per cent
  PawnEndings,        // share of games reaching kings and pawns only, per cent
  MajorEndings,       // share reaching rooks and queens only (besides pawns), per cent
  MinorEndings,       // share reaching knights and bishops only (besides pawns), per cent
  TacticalPer100,     // tactical picks per 100 of its moves
  FIGURE_COUNT
};

// Names of a figure: the CSV column and the short heading of the table and chart.
struct FigureName {
  const char* column;
  const char* heading;
};
inline constexpr std::array<FigureName, FIGURE_COUNT> FIGURE_NAMES = {{
    {"score_pct", "Score%"},
    {"elo", "Elo"},
    {"plies", "Plies"},
    {"depth", "Depth"},
    {"checks_per100", "Chk/100"},
    {"captures_per100", "Cap/100"},
    {"king_zone_pressure", "KZone"},
    {"wing_pawn_moves", "Wing/g"},
    {"passers_6th_7th", "Pass67/g"},
    {"bait_per100", "Bait/100"},
    {"sacrifices", "Sac/g"},
    {"sacrifice_wins_pct", "SacWin%"},
    {"short_wins_pct", "Short%"},
    {"draws_ahead_pct", "DrawAhd%"},
    {"pawn_endings_pct", "KP%"},
    {"major_endings_pct", "RQ%"},
    {"minor_endings_pct", "NB%"},
    {"tactical_per100", "Tact/100"},
}};

// The normal quantile of a two-sided 95% interval.
constexpr double Z_95 = 1.959964;

// A figure with the bounds of its 95% interval.
struct Estimate {
  double value = 0;
  double low = 0;
  double high = 0;
};

struct Fingerprint {
  int games = 0;
  std::array<Estimate, FIGURE_COUNT> figures{};
};

// One game's terms of a figure: what it adds to the figure's numerator and denominator
// (checks and its moves for Chk/100). EloDifference, derived from the score, has none.
struct FigureTerms {
  double numerator;
  double denominator;
};
FigureTerms figure_terms(Figure figure, const GameStats& game);

// Each figure is a ratio of sums over games (a plain mean when the denominator is
// one per game); its interval comes from the spread between games, cut to the
// figure's possible range (no count below 0, no share above 100%). A figure with
// nothing to count (a share of wins without a win) is NaN.
Fingerprint summarise(const std::vector<GameStats>& games);

// The Elo difference of a score fraction (0..1), clamped short of the infinite ends.
double elo_from_score(double score);
