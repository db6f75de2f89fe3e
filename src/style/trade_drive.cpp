#include "style/trade_drive.h"

#include <algorithm>

#include "board/position.h"
#include "eval/evaluate.h"

int steering_side = WHITE;

namespace {

// How many of each piece type a side starts with.
constexpr int START_COUNT[] = {8, 2, 2, 2, 1, 1};

// Phase units of one side's pieces of the given kinds (base 0 for White, 6 for Black).
int units_on_board(PieceKinds kinds, int base) {
  int units = 0;
  for (int type = N; type <= Q; ++type)
    if (kinds & kind_bit(type)) units += phase_units(type) * popcount(bitboards[base + type]);
  return units;
}

constexpr int full_set_units(PieceKinds kinds) {
  int units = 0;
  for (int type = N; type <= Q; ++type)
    if (kinds & kind_bit(type)) units += phase_units(type) * START_COUNT[type];
  return units;
}

}  // namespace

int trade_drive_above_default(int steerer_value) {
  const StyleEntry& style = style_entry(mode_of(steering_side));
  if (steerer_value <= -TRADE_DRIVE_FADE_CP) return 0;
  const PieceKinds gone = style.wanted_gone, kept = (MINOR_PIECES | MAJOR_PIECES) & ~gone;
  // The piece endings want their own kind kept: with it gone, nothing is left to want.
  if (kept != 0 && units_on_board(kept, 0) + units_on_board(kept, 6) == 0) return 0;
  const int army = std::max(units_on_board(gone, 0), units_on_board(gone, 6));
  const int full = full_set_units(gone);
  const int traded = style.trade_drive * (full - std::min(full, army)) / full;
  const int wanted = traded + (army == 0 ? style.trade_drive / 2 : 0);
  const int at = at_strength(wanted, style_strength_of(steering_side) - STYLE_STRENGTH_DEFAULT);
  return at * std::min(steerer_value + TRADE_DRIVE_FADE_CP, TRADE_DRIVE_FADE_CP) / TRADE_DRIVE_FADE_CP;
}
