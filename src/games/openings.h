#pragma once
// The start positions of the style gauntlet: EPD lines, one balanced position
// each, bundled into the program or read from a file.

#include <string>
#include <vector>

struct Opening {
  std::string fen;  // all six FEN fields
  int halfmove_clock = 0;
};

// The bundled set (tests/data/openings.epd, compiled in at build time).
extern const char* const BUNDLED_OPENINGS;

// Reads EPD text: four FEN fields, then optional "hmvc N;" and "fmvn N;" operations
// (others such as "ce" or "c0" are skipped); blank lines and lines starting with
// '#' are ignored. Every position must be legal and have a legal move. On a fault
// returns false with error naming the line.
bool parse_openings(const std::string& text, std::vector<Opening>& openings, std::string& error);
