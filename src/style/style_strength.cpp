#include "style/style_strength.h"

#include <algorithm>
#include <iterator>

#include "board/position.h"

int white_style_strength = STYLE_STRENGTH_DEFAULT;
int black_style_strength = STYLE_STRENGTH_DEFAULT;
int steering_side = WHITE;

namespace {

// The published strengths, in the order of STYLES (the README's "Style strength" has
// the runs behind them).
constexpr int PUBLISHED_STRENGTHS[] = {
    100,  // Balanced
    100,  // Deep
    100,  // Wide
    400,  // KingAttack: checks separate from 200, with the widest margin at 400
    100,  // PassedPawn
    200,  // PawnStorm
    200,  // Provocation
    400,  // PawnEnding
    400,  // MajorPieceEnding
    400,  // MinorPieceEnding
};
static_assert(std::size(PUBLISHED_STRENGTHS) == SEARCH_MODE_COUNT, "one published strength per style");

constexpr bool published_strengths_in_range() {
  for (const int strength : PUBLISHED_STRENGTHS)
    if (strength < STYLE_STRENGTH_MIN || strength > STYLE_STRENGTH_MAX) return false;
  return PUBLISHED_STRENGTHS[Balanced] == STYLE_STRENGTH_DEFAULT;
}
static_assert(published_strengths_in_range(), "a published strength must be a value the option accepts");

// Centipawns, at strength 200, per unit of the other kind gone from the larger army
// (the side with more of it): of its 12 phase units of pieces for pawn endings, its 4
// minor pieces for rook endings, its 8 rook-and-queen phase units for minor-piece
// endings. Only trades move the larger army, not a piece given away by the side with
// less. Each full set gone is worth about a pawn.
constexpr int PAWN_ENDING_DRIVE = 8;
constexpr int MAJOR_ENDING_DRIVE = 24;
constexpr int MINOR_ENDING_DRIVE = 12;
// And the ending itself, once the last piece of the other kind is gone: the last trade
// is the one the opponent can most easily avoid, so it is worth the most.
constexpr int ENDING_ARRIVAL = 50;

// Phase units of one side's pieces of the given kinds (knight and bishop 1, rook 2, queen 4).
int minor_units(int base) { return popcount(bitboards[base + N]) + popcount(bitboards[base + B]); }
int major_units(int base) { return 2 * popcount(bitboards[base + R]) + 4 * popcount(bitboards[base + Q]); }

}  // namespace

int published_style_strength(SearchMode mode) {
  const int value = static_cast<int>(mode);
  return value >= 0 && value < SEARCH_MODE_COUNT ? PUBLISHED_STRENGTHS[value] : STYLE_STRENGTH_DEFAULT;
}

int trade_drive_above_default() {
  const int extra = style_strength_of(steering_side) - STYLE_STRENGTH_DEFAULT;
  const int white_minors = minor_units(0), black_minors = minor_units(6);
  const int white_majors = major_units(0), black_majors = major_units(6);
  const int minors = std::max(white_minors, black_minors);
  const int majors = std::max(white_majors, black_majors);
  int wanted = 0;
  switch (mode_of(steering_side)) {
    case PawnEnding: {
      const int army = std::max(white_minors + white_majors, black_minors + black_majors);
      wanted = PAWN_ENDING_DRIVE * (12 - std::min(12, army));
      if (army == 0) wanted += ENDING_ARRIVAL;
      break;
    }
    // The two piece endings want their own kind kept: with it gone, nothing is left to want.
    case MajorPieceEnding:
      if (white_majors + black_majors > 0)
        wanted = MAJOR_ENDING_DRIVE * (4 - std::min(4, minors)) + (minors == 0 ? ENDING_ARRIVAL : 0);
      break;
    case MinorPieceEnding:
      if (white_minors + black_minors > 0)
        wanted = MINOR_ENDING_DRIVE * (8 - std::min(8, majors)) + (majors == 0 ? ENDING_ARRIVAL : 0);
      break;
    default:
      return 0;
  }
  return wanted * extra / 100;
}
