#include "style/style_strength.h"

#include <algorithm>

#include "board/position.h"

int white_style_strength = STYLE_STRENGTH_DEFAULT;
int black_style_strength = STYLE_STRENGTH_DEFAULT;
int steering_side = WHITE;

namespace {

// The ending itself, once the last piece of the kinds a style wants gone is off the
// board: the last trade is the one the opponent can most easily avoid, so it is worth
// the most.
constexpr int ENDING_ARRIVAL = 50;

// Phase units of a piece type (knight and bishop 1, rook 2, queen 4), and how many of
// each a side starts with.
constexpr int PHASE_UNITS[] = {0, 1, 1, 2, 4, 0};
constexpr int START_COUNT[] = {8, 2, 2, 2, 1, 1};

// Phase units of one side's pieces of the given kinds (base 0 for White, 6 for Black).
int units_on_board(PieceKinds kinds, int base) {
  int units = 0;
  for (int type = N; type <= Q; ++type)
    if (kinds & kind_bit(type)) units += PHASE_UNITS[type] * popcount(bitboards[base + type]);
  return units;
}

// The phase units of a full set of those kinds, as one side starts with them.
constexpr int full_set_units(PieceKinds kinds) {
  int units = 0;
  for (int type = N; type <= Q; ++type)
    if (kinds & kind_bit(type)) units += PHASE_UNITS[type] * START_COUNT[type];
  return units;
}

}  // namespace

int trade_drive_above_default() {
  const StyleEntry& style = style_entry(mode_of(steering_side));
  if (style.trade_drive == 0) return 0;
  const PieceKinds gone = style.wanted_gone, kept = (MINOR_PIECES | MAJOR_PIECES) & ~gone;
  // The piece endings want their own kind kept: with it gone, nothing is left to want.
  if (kept != 0 && units_on_board(kept, 0) + units_on_board(kept, 6) == 0) return 0;
  // Only trades move the larger army, not a piece given away by the side with less.
  const int army = std::max(units_on_board(gone, 0), units_on_board(gone, 6));
  const int full = full_set_units(gone);
  const int wanted = style.trade_drive * (full - std::min(full, army)) + (army == 0 ? ENDING_ARRIVAL : 0);
  return wanted * (style_strength_of(steering_side) - STYLE_STRENGTH_DEFAULT) / 100;
}
