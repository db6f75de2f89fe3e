#include "style/style_strength.h"

int white_style_strength = STYLE_STRENGTH_DEFAULT;
int black_style_strength = STYLE_STRENGTH_DEFAULT;
SearchMode chosen_style = Balanced;

void choose_style(SearchMode mode) {
  const StyleEntry& style = style_entry(mode);
  white_search_mode = black_search_mode = chosen_style = style.mode;
  // Balanced chosen is the engine's default again, as a fresh engine plays it; its published
  // strength is a setting of the strengths.
  white_style_strength = black_style_strength =
      style.mode == Balanced ? STYLE_STRENGTH_DEFAULT : style.published_strength;
}
