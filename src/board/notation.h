#pragma once
// UCI move text and square names.

#include <string>

#include "board/move.h"

// The UCI_Chess960 setting: castling is written and read as the king taking its own
// rook (e1h1) when set, as the king's move to the g- or c-file (e1g1) otherwise.
// Written by the command line and setoption while no search runs.
extern bool chess960;

std::string sq_to_str(int square);
int parse_square(const std::string& text);
std::string move_to_str(const Move& m);
// The generated move of the current position matching the text in the active form, or the empty move.
Move parse_uci_move(const std::string& text);
