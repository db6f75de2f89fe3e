#include "style/search_mode.h"

#include "base/text.h"
#include "board/position.h"

SearchMode white_search_mode = Balanced;
SearchMode black_search_mode = Balanced;

const char* mode_name(SearchMode mode) { return style_entry(mode).name; }

std::string joined_style_names(const std::string& separator) {
  std::string text;
  for (const StyleEntry& style : STYLES) {
    if (!text.empty()) text += separator;
    text += style.name;
  }
  return text;
}

const char* search_mode_uci_vars() {
  static const std::string vars = " var " + joined_style_names(" var ");
  return vars.c_str();
}

bool read_search_mode(const std::string& text, SearchMode& mode) {
  for (const StyleEntry& style : STYLES) {
    if (equal_ignoring_case(text, style.name)) {
      mode = style.mode;
      return true;
    }
  }
  return false;
}

SearchMode parse_search_mode(const std::string& text) {
  SearchMode mode = Balanced;
  read_search_mode(text, mode);
  return mode;
}

void apply_search_mode_both(const std::string& text) {
  const SearchMode mode = parse_search_mode(text);
  white_search_mode = mode;
  black_search_mode = mode;
}
