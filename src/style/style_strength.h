#pragma once
// How hard each side's style steers, in percent of its built-in weights. At 100 a
// style is exactly its default; above it the style's own terms weigh more, and the
// ending styles also want the trades that lead to their ending while the pieces
// are still on the board. Written by the main thread (command line, setoption, the
// gauntlet) while no search runs; read by the search.

#include "style/search_mode.h"

constexpr int STYLE_STRENGTH_MIN = 0;
constexpr int STYLE_STRENGTH_MAX = 400;
constexpr int STYLE_STRENGTH_DEFAULT = 100;

extern int white_style_strength;
extern int black_style_strength;

// The side the running search plays for (the root's side to move): the ending styles'
// wish for trades is its wish. Written by search_best before any search thread runs.
extern int steering_side;

inline int style_strength_of(int colour) { return colour == 0 ? white_style_strength : black_style_strength; }

// A style weight at a strength; exactly value at 100.
constexpr int at_strength(int value, int strength) { return value * strength / 100; }

// The ending styles' wish for trades, from steering_side's view: centipawns for the
// trades of the other kind already made, when steering_side plays an ending style above
// strength 100; 0 otherwise. Read at every evaluation, so the usual case costs a compare.
int trade_drive_above_default();
inline int trade_drive() {
  return style_strength_of(steering_side) > STYLE_STRENGTH_DEFAULT ? trade_drive_above_default() : 0;
}
