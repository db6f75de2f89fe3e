#pragma once
// The built-in books' source: readable lines of opening moves, one a line, as
//   white 10 | Sicilian, Dragon: Yugoslav Attack | e4 c5 Nf3 d6 d4 cxd4 ...
// the side the book plays the line for, its weight, the opening's name and the
// moves in SAN from the start position. Blank lines and lines starting with '#' are notes.

#include <string>
#include <string_view>
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
// its colour's moves (both sides' with both_sides) from ply from_ply on to the builder
// with the given weight (0: the line's). False, with the move that is not legal named
// in error (the builder then holds the moves before it).
bool add_book_line(BookBuilder& builder, const BookLine& line, std::string& error, bool both_sides = false,
                   int weight = 0, std::size_t from_ply = 0);

// The book that Balanced, Deep and Wide share.
constexpr std::string_view MAIN_BOOK = "main";

// A book's source: its name (the text's file name without ".txt") and its lines.
struct NamedBookLines {
  std::string name;
  std::vector<BookLine> lines;
};

// Lines of a book that agree this far open alike and share their weight.
constexpr int BOOK_ALIKE_PLIES = 16;
// A line's weight is multiplied by this before it is shared, to keep it whole.
constexpr int BOOK_WEIGHT_SCALE = 60;
// A style's book holds the main book's lines at this fraction of their weight, from
// this ply on: its own lines choose the opening, the main book's vary it.
constexpr int BOOK_MAIN_SHARE = 10;
constexpr std::size_t BOOK_MAIN_FROM_PLY = 2;

// Reads a book's text from a file: the book's name is the file's name without its folder
// and extension. False, with the file's fault or the first faulty line in error.
bool read_book_lines_file(const std::string& path, NamedBookLines& book, std::string& error);

// Adds the lines that make the book of that name. The main book holds both sides of
// every line of every book, its own at their weight and the others' at a quarter of
// it, so that Balanced answers any style's opening from that style's theory while its
// own games keep to the main lines. A style's book holds its own lines for their side
// and, lightly and after the first moves, both sides of the main book's, so that its
// games keep varying once its own lines have chosen the opening. Lines that open alike
// share their weight. False on an illegal move.
bool add_named_book(BookBuilder& builder, const std::string& name, const std::vector<NamedBookLines>& books,
                    std::string& error);
