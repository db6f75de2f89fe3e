#include "book/book_lines.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "base/text.h"
#include "base/whole_file.h"
#include "board/position.h"
#include "board/san.h"

namespace {

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

bool read_book_lines(const std::string& text, std::vector<BookLine>& lines, std::string& error) {
  std::istringstream in(text);
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    const std::string line = trimmed(raw);
    if (line.empty() || line[0] == '#') continue;
    const std::size_t bar1 = line.find('|');
    const std::size_t bar2 = bar1 == std::string::npos ? bar1 : line.find('|', bar1 + 1);
    const std::string where = "line " + std::to_string(number) + ": ";
    if (bar2 == std::string::npos) {
      error = where + "expected 'colour weight | name | moves'";
      return false;
    }
    BookLine parsed;
    parsed.number = number;
    std::istringstream head(line.substr(0, bar1));
    std::string colour, weight;
    head >> colour >> weight;
    std::int64_t weight_value = 0;
    if (colour != "white" && colour != "black") {
      error = where + "the side is " + quoted(colour) + ", not white or black";
      return false;
    }
    if (!read_whole_integer(weight, weight_value) || weight_value < 1 || weight_value > 1000) {
      error = where + "the weight " + quoted(weight) + " is not a whole number from 1 to 1000";
      return false;
    }
    parsed.colour = colour == "white" ? WHITE : BLACK;
    parsed.weight = static_cast<int>(weight_value);
    parsed.name = trimmed(line.substr(bar1 + 1, bar2 - bar1 - 1));
    std::istringstream moves(line.substr(bar2 + 1));
    for (std::string move; moves >> move;) parsed.moves.push_back(move);
    if (parsed.moves.empty()) {
      error = where + "no moves";
      return false;
    }
    lines.push_back(std::move(parsed));
  }
  return true;
}

bool read_book_lines_file(const std::string& path, NamedBookLines& book, std::string& error) {
  const std::size_t slash = path.find_last_of('/');
  const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
  book = {file.substr(0, file.rfind('.')), {}};
  std::string text;
  return read_whole_file(path, text, error) && read_book_lines(text, book.lines, error);
}

bool add_book_line(BookBuilder& builder, const BookLine& line, std::string& error, bool both_sides, int weight,
                   std::size_t from_ply) {
  if (weight <= 0) weight = line.weight;
  init_board_startpos();
  for (std::size_t ply = 0; ply < line.moves.size(); ++ply) {
    const Move m = san_to_move(line.moves[ply]);
    if (is_empty_move(m)) {
      error = "line " + std::to_string(line.number) + " (" + line.name + "): " + quoted(line.moves[ply]) +
              " at ply " + std::to_string(ply + 1) + " is not a legal move";
      return false;
    }
    if (ply >= from_ply && (both_sides || side == line.colour))
      add_book_move(builder, m, static_cast<std::uint64_t>(weight));
    make_move(m);
  }
  return true;
}

bool add_named_book(BookBuilder& builder, const std::string& name, const std::vector<NamedBookLines>& books,
                    std::string& error) {
  const bool main = name == MAIN_BOOK;
  // The main book takes every book's lines; a style's book its own and the main book's.
  const auto taken = [&](const NamedBookLines& book) { return main || book.name == name || book.name == MAIN_BOOK; };
  // Lines that agree in their first BOOK_ALIKE_PLIES plies open alike: they share one
  // weight, so that an opening written out in many later sublines is not chosen more
  // often than one written as a single line.
  const auto opening_of = [&](const BookLine& line, bool own) {
    std::string key = own && !main ? std::to_string(line.colour) : "";
    for (std::size_t ply = 0; ply < line.moves.size() && ply < BOOK_ALIKE_PLIES; ++ply) key += " " + line.moves[ply];
    return key;
  };
  std::map<std::string, int> alike;
  for (const NamedBookLines& book : books)
    if (taken(book))
      for (const BookLine& line : book.lines) ++alike[opening_of(line, book.name == name)];
  for (const NamedBookLines& book : books) {
    if (!taken(book)) continue;
    const bool own = book.name == name;
    const int share = own ? BOOK_WEIGHT_SCALE : main ? BOOK_WEIGHT_SCALE / 4 : BOOK_WEIGHT_SCALE / BOOK_MAIN_SHARE;
    for (const BookLine& line : book.lines) {
      const int weight = line.weight * share / alike[opening_of(line, own)];
      const std::size_t from_ply = own || main ? 0 : BOOK_MAIN_FROM_PLY;
      if (!add_book_line(builder, line, error, !own || main, std::max(1, weight), from_ply)) {
        error = book.name + ": " + error;
        return false;
      }
    }
  }
  return true;
}
