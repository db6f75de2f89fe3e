#pragma once
// The ten playing styles and the per-side settings. Written by the main thread
// (command line, setoption) while no search runs; read by the search.

#include <string>

enum SearchMode : int {
  Balanced = 0,
  Deep = 1,
  Wide = 2,
  KingAttack = 3,
  PassedPawn = 4,
  PawnStorm = 5,
  Provocation = 6,
  PawnEnding = 7,
  MajorPieceEnding = 8,
  MinorPieceEnding = 9,
};

extern SearchMode white_search_mode;
extern SearchMode black_search_mode;

const char* mode_name(SearchMode mode);
const char* search_mode_uci_vars();
// The style a name means, matched without regard to case; false for any other text.
bool read_search_mode(const std::string& text, SearchMode& mode);
// Like read_search_mode, with Balanced for a name it does not know.
SearchMode parse_search_mode(const std::string& text);
void apply_search_mode_both(const std::string& text);

// The mode of the side to move in the current position (read at every node).
SearchMode active_mode();
