#pragma once
// The start positions of the style gauntlet: EPD lines, one balanced position
// each, bundled into the program or read from a file.

#include <cstdint>
#include <string>
#include <vector>

struct Opening {
  std::string fen;  // all six FEN fields
  int halfmove_clock = 0;
};

// The bundled set (tests/data/openings.epd, compiled in at build time).
extern const char* const BUNDLED_OPENINGS;

// The Chess960 start position of that number (0 to 959, 518 being the standard
// one): the back rank from the number, pawns in front, KQkq (the rooks are outermost).
Opening chess960_opening(int number);
// All 960 of them, by number.
std::vector<Opening> chess960_openings();

// The numbers 0 to count - 1 in an order drawn from the seed, the same on every library.
std::vector<int> opening_order(int count, std::uint64_t seed);

// Reads EPD text: four FEN fields, then optional "hmvc N;" and "fmvn N;" operations
// (others such as "ce" or "c0" are skipped); blank lines and lines starting with
// '#' are ignored. Every position must be legal and have a legal move. On a fault
// returns false with error naming the line.
bool parse_openings(const std::string& text, std::vector<Opening>& openings, std::string& error);
