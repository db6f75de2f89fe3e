#pragma once
// The built-in books' source: readable lines of opening moves, one a line, as
//   white 10 | Sicilian, Dragon: Yugoslav Attack | e4 c5 Nf3 d6 d4 cxd4 ...
// the side the book plays the line for, its weight, the opening's name and the
// moves in SAN from the start position. Blank lines and lines starting with '#' are notes.

#include <string>
#include <vector>

#include "book/book_builder.h"

struct BookLine {
  int number = 0;  // the line of the text it stands on, for messages
  int colour = 0;  // WHITE or BLACK: whose moves of the line the book plays
  int weight = 0;
  std::string name;
  std::vector<std::string> moves;  // SAN, as written
};

// The lines of a text. False, with the first fault named by its line number in error.
bool read_book_lines(const std::string& text, std::vector<BookLine>& lines, std::string& error);

// Plays the line from the start position on the calling thread's position, adding
// its colour's moves to the builder with the line's weight. False, with the move
// that is not legal named in error (the builder then holds the moves before it).
bool add_book_line(BookBuilder& builder, const BookLine& line, std::string& error);
