#pragma once
// How hard each side's style steers, in percent of its built-in weights. At 100 a
// style is exactly its default. Above it the style steers at the root: the tactical
// selection scores its own kind of move first and rates it higher, and plays any pick
// only if a search to the main search's depth finds it within the style's margin of the
// best move's score. In the tree it keeps what its row's shape says
// (ShapeAbove): its evaluation term grows with the strength, stays or is dropped, and
// its move ordering and extensions stay or go; the ending styles' trees also want trades
// while they do not stand worse (trade_drive.h). Written by the main thread (command line, setoption, the gauntlet)
// while no search runs; read by the search.

#include "style/search_mode.h"

constexpr int STYLE_STRENGTH_MIN = 0;
constexpr int STYLE_STRENGTH_MAX = 400;
constexpr int STYLE_STRENGTH_DEFAULT = 100;

extern int white_style_strength;
extern int black_style_strength;

inline int style_strength_of(int colour) { return colour == 0 ? white_style_strength : black_style_strength; }

// The style last given to both sides at once (the Style option, --style); Balanced until
// then. Written by the main thread while no search runs.
extern SearchMode chosen_style;
// Both sides play mode at its published strength (Balanced at its default, as a fresh
// engine does), and mode becomes the chosen style.
void choose_style(SearchMode mode);

// A style weight at a strength; exactly value at 100.
constexpr int at_strength(int value, int strength) { return value * strength / 100; }

// Every published strength is one the options accept, and a style with neither its own
// kind of move nor a margin for its picks to steer by is published at its default.
constexpr bool published_strengths_in_range() {
  for (const StyleEntry& style : STYLES) {
    if (style.published_strength < STYLE_STRENGTH_MIN || style.published_strength > STYLE_STRENGTH_MAX) return false;
    if (style.own_move == OwnMove::None && style.steer_margin == 0 &&
        style.published_strength != STYLE_STRENGTH_DEFAULT)
      return false;
  }
  return true;
}
static_assert(published_strengths_in_range(), "a published strength must be a value the option accepts");

// The strength the gauntlet plays a style at unless told otherwise (its row's).
constexpr int published_strength(SearchMode style) { return style_entry(style).published_strength; }

// The strength the style's evaluation term is weighed at when the style plays at strength.
constexpr int term_strength(SearchMode mode, int strength) {
  if (strength <= STYLE_STRENGTH_DEFAULT) return strength;
  switch (style_entry(mode).above.term) {
    case TermAbove::Grows: return strength;
    case TermAbove::Stays: return STYLE_STRENGTH_DEFAULT;
    default: return 0;
  }
}

// Whether the style keeps its own move ordering, and its own extensions, at strength.
constexpr bool ordering_on(SearchMode mode, int strength) {
  return strength <= STYLE_STRENGTH_DEFAULT || style_entry(mode).above.ordering;
}
constexpr bool extensions_on(SearchMode mode, int strength) {
  return strength <= STYLE_STRENGTH_DEFAULT || style_entry(mode).above.extensions;
}

// How far below the main search's score the style's own kind of move may score at
// strength and still be played: 0 up to the default.
constexpr int steer_margin_cp(SearchMode mode, int strength) {
  return strength > STYLE_STRENGTH_DEFAULT ? at_strength(style_entry(mode).steer_margin, strength - STYLE_STRENGTH_DEFAULT)
                                           : 0;
}
