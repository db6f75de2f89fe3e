#pragma once
// The engine's own opening book: the options that turn it on and shape it, and the
// answer of a "go" from it. Off by default, when no book is read and nothing changes.
// The settings are written by the main thread (command line, setoption) while no search runs.

#include <string>

#include "board/move.h"
#include "book/book_choice.h"
#include "frontend/go.h"

constexpr int BOOK_DEPTH_MAX = 200;

extern bool own_book;          // OwnBook
extern std::string book_file;  // BookFile: a book file; empty for the built-in book of the mover's style
extern int book_depth;         // BookDepth: the last ply of the game played from the book (1 is White's first move)
extern int book_variety;       // BookVariety: 0 plays the heaviest move only, 100 any move with weight
// Plies of the game before the set-up position (from a FEN's move number and side);
// written by "position".
extern int setup_ply;

// Drops a user's book read earlier, so that the next probe reads BookFile afresh.
void forget_user_book();

// Whether the book may answer a "go" with these limits: one that plays a move (a
// clock, a move time, or no limit at all), not an analysis (infinite, ponder, search
// moves, mate, depth or nodes alone, several lines).
bool go_may_use_book(const GoLimits& limits);

// The book's move in the game position, or the empty move when the book has none (or
// is not to be used here). A move, or a book that cannot be used, is reported in one
// "info string" line.
Move own_book_move();
