#include "style/search_mode.h"

#include "base/text.h"
#include "board/position.h"

SearchMode white_search_mode = Balanced;
SearchMode black_search_mode = Balanced;

namespace {

constexpr const char* MODE_NAMES[10] = {
    "Balanced",   "Deep",        "Wide",       "KingAttack",       "PassedPawn",
    "PawnStorm",  "Provocation", "PawnEnding", "MajorPieceEnding", "MinorPieceEnding",
};

}  // namespace

const char* mode_name(SearchMode mode) {
  const int value = static_cast<int>(mode);
  return value >= 1 && value <= 9 ? MODE_NAMES[value] : MODE_NAMES[0];
}

const char* search_mode_uci_vars() {
  return " var Balanced var Deep var Wide var KingAttack var PassedPawn var PawnStorm var Provocation"
         " var PawnEnding var MajorPieceEnding var MinorPieceEnding";
}

bool read_search_mode(const std::string& text, SearchMode& mode) {
  for (int value = 0; value <= 9; ++value) {
    if (equal_ignoring_case(text, MODE_NAMES[value])) {
      mode = static_cast<SearchMode>(value);
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

SearchMode active_mode() { return side == WHITE ? white_search_mode : black_search_mode; }
