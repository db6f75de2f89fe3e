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
    400,  // PawnEnding: does not separate yet; 400 moves its column most
    400,  // MajorPieceEnding
    400,  // MinorPieceEnding: does not separate yet; 400 moves its column most
};
static_assert(std::size(PUBLISHED_STRENGTHS) == SEARCH_MODE_COUNT, "one published strength per style");

constexpr bool published_strengths_in_range() {
  for (const int strength : PUBLISHED_STRENGTHS)
    if (strength < STYLE_STRENGTH_MIN || strength > STYLE_STRENGTH_MAX) return false;
  return PUBLISHED_STRENGTHS[Balanced] == STYLE_STRENGTH_DEFAULT;
}
static_assert(published_strengths_in_range(), "a published strength must be a value the option accepts");

// Centipawns, at strength 200, per unit of the other kind gone from the full set of
// both sides: the 24 phase units of all pieces for pawn endings, the 8 minor pieces
// for rook endings, the 16 rook-and-queen phase units for minor-piece endings. Each
// full set gone is worth about a pawn.
constexpr int PAWN_ENDING_DRIVE = 4;
constexpr int MAJOR_ENDING_DRIVE = 12;
constexpr int MINOR_ENDING_DRIVE = 6;
// And the ending itself, once the last piece of the other kind is gone: the last trade
// is the one the opponent can most easily avoid, so it is worth the most.
constexpr int ENDING_ARRIVAL = 50;

int count(int white_piece, int black_piece) { return popcount(bitboards[white_piece] | bitboards[black_piece]); }

}  // namespace

int published_style_strength(SearchMode mode) {
  const int value = static_cast<int>(mode);
  return value >= 0 && value < SEARCH_MODE_COUNT ? PUBLISHED_STRENGTHS[value] : STYLE_STRENGTH_DEFAULT;
}

int trade_drive_above_default() {
  const int extra = style_strength_of(steering_side) - STYLE_STRENGTH_DEFAULT;
  const int minors = count(N, n) + count(B, b);
  const int majors_phase = 2 * count(R, r) + 4 * count(Q, q);
  int wanted = 0;
  switch (mode_of(steering_side)) {
    case PawnEnding:
      wanted = PAWN_ENDING_DRIVE * (24 - std::min(24, minors + majors_phase));
      if (minors + majors_phase == 0) wanted += ENDING_ARRIVAL;
      break;
    // The two piece endings want their own kind kept: with it gone, nothing is left to want.
    case MajorPieceEnding:
      if (majors_phase > 0)
        wanted = MAJOR_ENDING_DRIVE * (8 - std::min(8, minors)) + (minors == 0 ? ENDING_ARRIVAL : 0);
      break;
    case MinorPieceEnding:
      if (minors > 0)
        wanted = MINOR_ENDING_DRIVE * (16 - std::min(16, majors_phase)) + (majors_phase == 0 ? ENDING_ARRIVAL : 0);
      break;
    default:
      return 0;
  }
  return wanted * extra / 100;
}
