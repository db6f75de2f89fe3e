#pragma once
// The "book" command: makes an opening book from the games of a PGN file, and shows
// what a book holds for a position.

#include <string>
#include <vector>

constexpr int BOOK_BUILD_MAX_PLY_DEFAULT = 30;
constexpr int BOOK_BUILD_MIN_COUNT_DEFAULT = 1;

// Runs "book build IN.pgn OUT.bin [--max-ply N] [--min-count N]" or
// "book probe BOOK.bin [FEN]" from the words after "book"; returns the exit status.
// A build skips the games it cannot read, naming each, and fails only when it could
// build nothing; a probe fails on a file that is not a book.
int run_book_command(const std::vector<std::string>& words);
