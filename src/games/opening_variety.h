#pragma once
// How much games differ in their openings: the measure of a gauntlet played with books.

#include <string>
#include <vector>

#include "board/move.h"

// Plies compared: games that agree this far have opened alike.
constexpr int VARIETY_PLIES = 16;

// How many of the games repeat the first plies of an earlier game in the list (a game
// shorter than that repeats one only when the two are the same whole game).
int repeated_openings(const std::vector<std::vector<Move>>& games, int plies = VARIETY_PLIES);

// One line per row: its name, the repeats and the games, e.g.
// "KingAttack: 2 of 60 games repeat the first 16 plies of an earlier game (3.3%)".
std::string variety_line(const std::string& row, int repeats, int games);
