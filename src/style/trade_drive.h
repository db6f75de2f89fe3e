#pragma once
// The ending styles' wish for trades above strength 100, read by the evaluation. The
// tree believes it, so it is held to positions the style can afford: it is whole while
// the steering side stands level or better and fades to nothing as it stands worse,
// so the style trades into endings it holds and not into ones it loses.

#include "style/style_strength.h"

// The side the running search plays for (the root's side to move): the wish is its
// wish. Written when a search starts, before any search thread runs.
extern int steering_side;

// How far below level the steering side's evaluation may fall before the wish is gone.
constexpr int TRADE_DRIVE_FADE_CP = 50;

// The wish, from steering_side's view, in a position where its own evaluation is
// steerer_value: centipawns for the trades of the kinds the style wants gone already
// made (of the larger army, so a piece given away does not count), and half as much
// again for the last of them gone, for a style with the wish above strength 100.
int trade_drive_above_default(int steerer_value);
// The same, 0 for a style without the wish or at strength 100 and below: read at every
// evaluation, so those cases cost two compares and no call.
inline int trade_drive(int steerer_value) {
  return style_strength_of(steering_side) > STYLE_STRENGTH_DEFAULT && style_entry(mode_of(steering_side)).trade_drive != 0
             ? trade_drive_above_default(steerer_value)
             : 0;
}
