#pragma once
// Which of a position's book moves to play.

#include <cstdint>
#include <span>
#include <vector>

#include "board/move.h"
#include "book/book_file.h"

// The variety the engine plays its book with unless told otherwise (BookVariety):
// every move with weight may be played, in proportion to it, so that each line of a
// built-in book is as likely as any other.
constexpr int BOOK_VARIETY_DEFAULT = 100;

// The last ply of a game played from the book unless told otherwise (BookDepth, and the
// style gauntlet's books): 1 is White's first move.
constexpr int BOOK_DEPTH_DEFAULT = 20;

// The index of the weight to play: weights below min_share_percent of the heaviest
// one are dropped, and the rest are drawn in proportion to their weight with the
// uniform random number draw. A weight of 0 is never played; -1 when none is left.
int choose_book_move(std::span<const std::uint16_t> weights, int min_share_percent, std::uint64_t draw);

// A move drawn from a book for the calling thread's position.
struct BookPick {
  Move move = empty_move();       // the empty move when the book has none to play here
  std::uint16_t weight = 0;       // its weight
  int candidates = 0;             // the legal moves the book has here
  std::vector<std::uint16_t> illegal;  // entries of this position whose move is not legal in it
};

// Draws one of the legal book moves of the position as choose_book_move does, with
// variety_percent = 100 - the share below which a move is dropped.
BookPick pick_book_move(std::span<const BookEntry> book, int variety_percent, std::uint64_t draw);
