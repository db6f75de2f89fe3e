#include "style/style_strength.h"

int white_style_strength = STYLE_STRENGTH_DEFAULT;
int black_style_strength = STYLE_STRENGTH_DEFAULT;
SearchMode chosen_style = Balanced;

void choose_style(SearchMode mode) {
  const StyleEntry& style = style_entry(mode);
  white_search_mode = black_search_mode = chosen_style = style.mode;
  white_style_strength = black_style_strength = style.published_strength;
}
