#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "board/position.h"
#include "board/san.h"
#include "book/book_key.h"
#include "book/book_move.h"
#include "book/book_lines.h"
#include "book/builtin_books.h"
#include "search/startup.h"

namespace {

std::string text_of(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<NamedBookLines> book_texts() {
  std::vector<NamedBookLines> books;
  for (const auto& file : std::filesystem::directory_iterator(BRISVANE_BOOK_LINES)) {
    if (file.path().extension() != ".txt") continue;
    books.push_back({file.path().stem().string(), {}});
    std::string error;
    EXPECT_TRUE(read_book_lines(text_of(file.path()), books.back().lines, error)) << books.back().name << ": " << error;
  }
  return books;
}

// Every line of every book text is legal, each book has enough lines of each colour,
// most of them 8 to 16 plies long, and the program holds exactly what the lines make.
// The main book knows both sides' moves of every line of every book.
TEST(BuiltinBooks, EveryLineIsLegalAndTheProgramHoldsThem) {
  init_tables();
  const std::vector<NamedBookLines> books = book_texts();
  const std::span<const BookEntry> main_book = builtin_book(Balanced);
  for (const NamedBookLines& book : books) {
    const std::string& name = book.name;
    std::string error;
    int per_colour[2] = {0, 0}, usual_length = 0;
    for (const BookLine& line : book.lines) {
      BookBuilder one;
      EXPECT_TRUE(add_book_line(one, line, error)) << name << ": " << error;
      ++per_colour[line.colour];
      usual_length += line.moves.size() >= 8 && line.moves.size() <= 16;
      init_board_startpos();
      for (const std::string& san : line.moves) {
        const Move m = san_to_move(san);
        if (is_empty_move(m)) break;
        const std::uint16_t code = encode_book_move(m);
        const auto entries = book_entries_of(main_book, book_key());
        EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [&](const BookEntry& e) { return e.move == code; }))
            << name << " line " << line.number << ": the main book lacks " << san;
        make_move(m);
      }
    }
    EXPECT_GE(per_colour[WHITE], 20) << name;
    EXPECT_GE(per_colour[BLACK], 20) << name;
    EXPECT_GT(2 * usual_length, static_cast<int>(book.lines.size())) << name << ": most lines 8 to 16 plies";

    BookBuilder builder;
    EXPECT_TRUE(add_named_book(builder, name, books, error)) << error;
    const std::vector<BookEntry> made = finish_book(builder, 1);
    const auto compiled = std::find_if(builtin_books().begin(), builtin_books().end(),
                                       [&](const BuiltinBook& book) { return book.name == name; });
    ASSERT_NE(compiled, builtin_books().end()) << name << " is not in the program";
    EXPECT_TRUE(std::equal(made.begin(), made.end(), compiled->entries.begin(), compiled->entries.end()))
        << name << ": the program's book differs from its lines (rebuild)";
  }
  EXPECT_EQ(books.size(), builtin_books().size());
}

// Every style has a book that plays White's first move and answers 1.e4 and 1.d4;
// Balanced, Deep and Wide share one.
TEST(BuiltinBooks, EveryStyleHasABookForBothColours) {
  init_tables();
  for (const StyleEntry& style : STYLES) {
    const std::span<const BookEntry> book = builtin_book(style.mode);
    init_board_startpos();
    EXPECT_FALSE(book_entries_of(book, book_key()).empty()) << style.name << " as White";
    load_fen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");
    const bool answers_e4 = !book_entries_of(book, book_key()).empty();
    load_fen("rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR b KQkq - 0 1");
    const bool answers_d4 = !book_entries_of(book, book_key()).empty();
    EXPECT_TRUE(answers_e4 && answers_d4) << style.name << " as Black";
  }
  EXPECT_EQ(builtin_book(Deep).data(), builtin_book(Balanced).data());
  EXPECT_EQ(builtin_book(Wide).data(), builtin_book(Balanced).data());
  EXPECT_NE(builtin_book(KingAttack).data(), builtin_book(Balanced).data());
}

}  // namespace

namespace {

TEST(BookLines, FaultsNameTheirLine) {
  init_tables();
  std::vector<BookLine> lines;
  std::string error;
  EXPECT_FALSE(read_book_lines("# note\n\nwhite 10 e4 e5\n", lines, error));
  EXPECT_EQ(error.rfind("line 3:", 0), 0u) << error;
  EXPECT_FALSE(read_book_lines("red 10 | x | e4\n", lines, error));
  EXPECT_FALSE(read_book_lines("white 0 | x | e4\n", lines, error));
  EXPECT_FALSE(read_book_lines("white ten | x | e4\n", lines, error));
  EXPECT_FALSE(read_book_lines("black 5 | x |  \n", lines, error));
  lines.clear();
  ASSERT_TRUE(read_book_lines("white 3 | Bad | e4 e5 Nf3 Nf6 Nxf6\n", lines, error)) << error;
  BookBuilder builder;
  EXPECT_FALSE(add_book_line(builder, lines[0], error));
  EXPECT_NE(error.find("'Nxf6' at ply 5"), std::string::npos) << error;
  // White's two moves before the fault were added, Black's were not.
  EXPECT_EQ(builder.size(), 2u);
}

}  // namespace
