#include "book/book_lines.h"

#include <algorithm>
#include <sstream>

#include "base/text.h"
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

bool add_book_line(BookBuilder& builder, const BookLine& line, std::string& error, bool both_sides, int weight) {
  if (weight <= 0) weight = line.weight;
  init_board_startpos();
  for (std::size_t ply = 0; ply < line.moves.size(); ++ply) {
    const Move m = san_to_move(line.moves[ply]);
    if (is_empty_move(m)) {
      error = "line " + std::to_string(line.number) + " (" + line.name + "): " + quoted(line.moves[ply]) +
              " at ply " + std::to_string(ply + 1) + " is not a legal move";
      return false;
    }
    if (both_sides || side == line.colour) add_book_move(builder, m, static_cast<std::uint64_t>(weight));
    make_move(m);
  }
  return true;
}

bool add_named_book(BookBuilder& builder, const std::string& name, const std::vector<NamedBookLines>& books,
                    std::string& error) {
  const bool main = name == MAIN_BOOK;
  for (const NamedBookLines& book : books) {
    const bool own = book.name == name;
    if (!own && !main) continue;
    for (const BookLine& line : book.lines) {
      const int weight = own ? line.weight : std::max(1, line.weight / 4);
      if (!add_book_line(builder, line, error, main, weight)) {
        error = book.name + ": " + error;
        return false;
      }
    }
  }
  return true;
}
