#pragma once
// UCI move text and square names.

#include <string>

#include "board/move.h"

std::string sq_to_str(int square);
int parse_square(const std::string& text);
std::string move_to_str(const Move& m);
// The generated move of the current position matching the text, or the empty move.
Move parse_uci_move(const std::string& text);
