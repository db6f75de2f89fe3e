#include <gtest/gtest.h>

#include <filesystem>

#include "board/position.h"
#include "board/san.h"
#include "book/book_key.h"
#include "book/book_move.h"
#include "book/book_lines.h"
#include "book/builtin_books.h"
#include "search/startup.h"

namespace {

std::vector<NamedBookLines> book_texts() {
  std::vector<NamedBookLines> books;
  for (const auto& file : std::filesystem::directory_iterator(BRISVANE_BOOK_LINES)) {
    if (file.path().extension() != ".txt") continue;
    books.emplace_back();
    std::string error;
    EXPECT_TRUE(read_book_lines_file(file.path().string(), books.back(), error)) << books.back().name << ": " << error;
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
  EXPECT_EQ(builtin_book_name(Balanced), MAIN_BOOK);
  // Each steering style opens from a book of its own.
  for (const StyleEntry& style : STYLES)
    for (const StyleEntry& other : STYLES) {
      if (style.own_move == OwnMove::None || style.mode == other.mode) continue;
      EXPECT_NE(builtin_book(style.mode).data(), builtin_book(other.mode).data()) << style.name << " " << other.name;
    }
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

namespace {

// The weight a book gives a move (given in SAN) in the position after the moves before it.
std::uint64_t weight_in(const BookBuilder& builder, const std::vector<std::string>& before, const std::string& san) {
  init_board_startpos();
  for (const std::string& move : before) make_move(san_to_move(move));
  const auto found = builder.find({book_key(), encode_book_move(san_to_move(san))});
  return found == builder.end() ? 0 : found->second.weight;
}

// A style's book plays its own lines for their side and, after the first plies, the
// main book's for both, far lighter; the main book plays every book's lines for both
// sides; lines that agree in their first plies share one weight.
TEST(BookLines, NamedBooksTakeTheirLinesAndShareWeights) {
  init_tables();
  std::vector<NamedBookLines> books(2);
  std::string error;
  books[0].name = std::string(MAIN_BOOK);
  books[1].name = "style";
  ASSERT_TRUE(read_book_lines("white 10 | Queen's Gambit | d4 d5 c4 e6 Nc3 Nf6 Bg5 Be7 e3 O-O\n", books[0].lines, error)) << error;
  const std::string alike = "e4 c5 Nf3 d6 d4 cxd4 Nxd4 Nf6 Nc3 g6 Be3 Bg7 f3 O-O Qd2 Nc6 ";
  ASSERT_TRUE(read_book_lines("white 10 | Sicilian | e4 c5 Nf3\nwhite 10 | Yugoslav 9.Bc4 | " + alike +
                                  "Bc4\nwhite 10 | Yugoslav 9.O-O-O | " + alike + "O-O-O\n",
                              books[1].lines, error))
      << error;

  BookBuilder style;
  ASSERT_TRUE(add_named_book(style, "style", books, error)) << error;
  const std::vector<std::string> qgd = {"d4", "d5", "c4", "e6", "Nc3", "Nf6", "Bg5", "Be7"};
  EXPECT_EQ(weight_in(style, {}, "d4"), 0u);  // its own lines choose the first moves
  EXPECT_GT(weight_in(style, qgd, "e3"), 0u);
  EXPECT_GT(weight_in(style, {"d4", "d5", "c4", "e6", "Nc3", "Nf6", "Bg5", "Be7", "e3"}, "O-O"), 0u);
  // One opening of its own weighs BOOK_MAIN_SHARE times one of the main book's.
  EXPECT_EQ(weight_in(style, {"e4", "c5", "Nf3", "d6"}, "d4"), BOOK_MAIN_SHARE * weight_in(style, qgd, "e3"));
  EXPECT_EQ(weight_in(style, {"e4"}, "c5"), 0u);  // its own lines only for their side
  // The two Yugoslav lines part after 16 plies: together they weigh what the short line does.
  EXPECT_EQ(weight_in(style, {"e4", "c5"}, "Nf3"), 2 * weight_in(style, {"e4", "c5", "Nf3", "d6"}, "d4"));

  BookBuilder main_book;
  ASSERT_TRUE(add_named_book(main_book, std::string(MAIN_BOOK), books, error)) << error;
  EXPECT_GT(weight_in(main_book, {}, "d4"), 0u);
  EXPECT_GT(weight_in(main_book, {"e4"}, "c5"), 0u);
  EXPECT_GT(weight_in(main_book, {"d4"}, "d5"), weight_in(main_book, {"e4"}, "c5"));  // its own lines weigh more
}

}  // namespace
