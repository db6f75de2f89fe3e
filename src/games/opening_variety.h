#pragma once
// How much games differ in their openings, and how much of them the books played: the
// measures of a gauntlet played with books.

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

// One line per row: its name, the moves its side played from its book and those it
// searched (only these count in the fingerprint's depth and per-move columns), e.g.
// "KingAttack: 540 book moves and 1620 searched, 25.0% of its moves from the book, 9.0 a game".
std::string book_moves_line(const std::string& row, long book_moves, long searched_moves, int games);
