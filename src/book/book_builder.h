#pragma once
// Making a book: the moves of games or of hand-written lines, added up per
// position and move, then written out as sorted entries.

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "board/move.h"
#include "book/book_file.h"

struct BookTally {
  std::uint64_t weight = 0;  // the sum of what each occurrence added
  int count = 0;             // the occurrences
};

// Keyed by position key and book move, so the entries come out in file order.
using BookBuilder = std::map<std::pair<std::uint64_t, std::uint16_t>, BookTally>;

// Adds one occurrence of the legal move m in the calling thread's position.
void add_book_move(BookBuilder& builder, const Move& m, std::uint64_t weight);

// The entries of the moves seen at least min_count times, sorted by key and, within a
// key, heaviest first. A position whose weights are too large for the format has them
// scaled down together; a move that had weight keeps at least 1.
std::vector<BookEntry> finish_book(const BookBuilder& builder, int min_count);
