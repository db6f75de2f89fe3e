#include <gtest/gtest.h>

#include <fstream>

#include "board/notation.h"
#include "board/position.h"
#include "book/book_builder.h"
#include "book/book_choice.h"
#include "book/book_file.h"
#include "book/book_key.h"
#include "book/book_move.h"
#include "search/startup.h"
#include "support/temp_dir.h"

namespace {

// Plays UCI moves from the start position.
void play_from_start(std::initializer_list<const char*> moves) {
  init_tables();
  init_board_startpos();
  for (const char* text : moves) {
    const Move m = parse_uci_move(text);
    ASSERT_FALSE(is_empty_move(m)) << text;
    ASSERT_TRUE(make_move(m)) << text;
  }
}

TEST(BookKey, PublishedKeys) {
  struct Case {
    std::initializer_list<const char*> moves;
    std::uint64_t key;
  };
  const Case cases[] = {
      {{}, 0x463b96181691fc9cULL},
      {{"e2e4"}, 0x823c9b50fd114196ULL},
      {{"e2e4", "d7d5"}, 0x0756b94461c50fb0ULL},
      {{"e2e4", "d7d5", "e4e5"}, 0x662fafb965db29d4ULL},
      // The pawn on e5 can take on f6: the en-passant file counts.
      {{"e2e4", "d7d5", "e4e5", "f7f5"}, 0x22a48b5a8e47ff78ULL},
      {{"e2e4", "d7d5", "e4e5", "f7f5", "e1e2"}, 0x652a607ca3f242c1ULL},
      {{"e2e4", "d7d5", "e4e5", "f7f5", "e1e2", "e8f7"}, 0x00fdd303c946bdd9ULL},
      {{"a2a4", "b7b5", "h2h4", "b5b4", "c2c4"}, 0x3c8123ea7b067637ULL},
      {{"a2a4", "b7b5", "h2h4", "b5b4", "c2c4", "b4c3", "a1a3"}, 0x5c3f9b829b279560ULL},
  };
  for (const Case& c : cases) {
    play_from_start(c.moves);
    EXPECT_EQ(book_key(), c.key) << c.moves.size() << " plies";
  }
}

// The en-passant file is part of the key only when a pawn of the side to move stands
// beside the pawn that has just moved two squares.
TEST(BookKey, EnPassantCountsOnlyWhenACaptureIsReady) {
  init_tables();
  const auto key_of = [](const char* fen) {
    load_fen(fen);
    return book_key();
  };
  // No black pawn beside e4.
  EXPECT_EQ(key_of("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"),
            key_of("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1"));
  // A black pawn on d4 can take: the file counts.
  EXPECT_NE(key_of("rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"),
            key_of("rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1"));
  // A pawn of the side that just moved beside the square does not count.
  EXPECT_EQ(key_of("rnbqkbnr/pppppppp/8/8/3PP3/8/PPP2PPP/RNBQKBNR b KQkq e3 0 1"),
            key_of("rnbqkbnr/pppppppp/8/8/3PP3/8/PPP2PPP/RNBQKBNR b KQkq - 0 1"));
  // A black pawn two files away does not count either.
  EXPECT_EQ(key_of("rnbqkbnr/pp1ppppp/8/8/2p1P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"),
            key_of("rnbqkbnr/pp1ppppp/8/8/2p1P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1"));
}

TEST(BookMove, EncodingCastlingAndPromotions) {
  init_tables();
  const auto code_of = [](const char* fen, const char* uci) {
    load_fen(fen);
    const Move m = parse_uci_move(uci);
    EXPECT_FALSE(is_empty_move(m)) << uci;
    const std::uint16_t code = encode_book_move(m);
    EXPECT_TRUE(same_move(decode_book_move(code), m)) << uci;
    return code;
  };
  const auto code = [](int from, int to, int promotion) { return static_cast<std::uint16_t>(promotion << 12 | from << 6 | to); };
  const char* start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
  EXPECT_EQ(code_of(start, "e2e4"), code(12, 28, 0));
  EXPECT_EQ(code_of(start, "g1f3"), code(6, 21, 0));
  // Castling is written as the king taking its rook.
  const char* castles = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
  EXPECT_EQ(code_of(castles, "e1g1"), code(4, 7, 0));
  EXPECT_EQ(code_of(castles, "e1c1"), code(4, 0, 0));
  EXPECT_EQ(code_of("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8g8"), code(60, 63, 0));
  EXPECT_EQ(code_of("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8"), code(60, 56, 0));
  // Promotions by piece: knight 1 to queen 4, captures included.
  const char* promote = "3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1";
  EXPECT_EQ(code_of(promote, "e7e8n"), code(52, 60, 1));
  EXPECT_EQ(code_of(promote, "e7e8b"), code(52, 60, 2));
  EXPECT_EQ(code_of(promote, "e7e8r"), code(52, 60, 3));
  EXPECT_EQ(code_of(promote, "e7d8q"), code(52, 59, 4));
  EXPECT_EQ(code_of("4k3/8/8/8/8/8/1p6/4K3 b - - 0 1", "b2b1q"), code(9, 1, 4));
  // Chess960: the king on b1 castles with the a1 rook, and steps to c1 as well.
  chess960 = true;
  const char* fischer = "1k6/8/8/8/8/8/8/RK6 w A - 0 1";
  EXPECT_EQ(code_of(fischer, "b1a1"), code(1, 0, 0));
  EXPECT_EQ(code_of(fischer, "b1c1"), code(1, 2, 0));
  chess960 = false;
  // Illegal or malformed codes decode to nothing.
  load_fen(start);
  EXPECT_TRUE(is_empty_move(decode_book_move(code(12, 36, 0))));  // e2e5
  EXPECT_TRUE(is_empty_move(decode_book_move(code(12, 12, 0))));
  EXPECT_TRUE(is_empty_move(decode_book_move(code(12, 28, 5))));
  EXPECT_FALSE(book_move_well_formed(static_cast<std::uint16_t>(0x8000 | code(12, 28, 0))));
}

// A book written byte by byte: the start position has e4 and d4, another key before and after.
std::vector<unsigned char> hand_written_book() {
  return {
      0x10, 0, 0, 0, 0, 0, 0, 0, /* move */ 0x03, 0x1c, /* weight */ 0, 9, 0, 0, 0, 0,
      0x46, 0x3b, 0x96, 0x18, 0x16, 0x91, 0xfc, 0x9c, 0x03, 0x1c, 0, 30, 0, 0, 0, 0,  // e2e4
      0x46, 0x3b, 0x96, 0x18, 0x16, 0x91, 0xfc, 0x9c, 0x02, 0xdb, 0, 10, 0, 0, 0, 0,  // d2d4
      0x90, 0, 0, 0, 0, 0, 0, 1, 0x02, 0xdb, 0, 1, 0, 0, 0, 0,
  };
}

TEST(BookFile, ProbesAHandWrittenBook) {
  play_from_start({});
  std::vector<BookEntry> book;
  std::string error;
  ASSERT_TRUE(read_book_bytes(hand_written_book(), book, error)) << error;
  ASSERT_EQ(book.size(), 4u);
  const std::span<const BookEntry> here = book_entries_of(book, book_key());
  ASSERT_EQ(here.size(), 2u);
  EXPECT_EQ(move_to_str(decode_book_move(here[0].move)), "e2e4");
  EXPECT_EQ(here[0].weight, 30);
  EXPECT_EQ(move_to_str(decode_book_move(here[1].move)), "d2d4");
  EXPECT_TRUE(book_entries_of(book, 0x463b96181691fc9dULL).empty());
  EXPECT_TRUE(book_entries_of(book, 0).empty());
  EXPECT_TRUE(book_entries_of(book, ~0ULL).empty());
  EXPECT_EQ(book_entries_of(book, 0x9000000000000001ULL).size(), 1u);
  // Written back, the bytes are the same.
  EXPECT_EQ(book_bytes(book), hand_written_book());
}

TEST(BookFile, BadBytesAreRefusedWithAReason) {
  std::vector<BookEntry> book;
  std::string error;
  const std::vector<unsigned char> good = hand_written_book();
  EXPECT_FALSE(read_book_bytes({}, book, error));
  EXPECT_NE(error.find("empty"), std::string::npos) << error;
  std::vector<unsigned char> truncated(good.begin(), good.end() - 3);
  EXPECT_FALSE(read_book_bytes(truncated, book, error));
  EXPECT_NE(error.find("truncated"), std::string::npos) << error;
  std::vector<unsigned char> unsorted = good;
  std::swap_ranges(unsorted.begin(), unsorted.begin() + 16, unsorted.end() - 16);
  EXPECT_FALSE(read_book_bytes(unsorted, book, error));
  EXPECT_NE(error.find("sorted"), std::string::npos) << error;
  std::vector<unsigned char> no_move = good;
  no_move[16 + 8] = 0x03, no_move[16 + 9] = 0x0c;  // e2e2
  EXPECT_FALSE(read_book_bytes(no_move, book, error));
  EXPECT_NE(error.find("no move"), std::string::npos) << error;
  const std::string text = "[Event \"not a book at all, just some text\"]\n";
  EXPECT_FALSE(read_book_bytes({reinterpret_cast<const unsigned char*>(text.data()), 32}, book, error));
  EXPECT_TRUE(book.empty());
}

class BookFileOnDisk : public TempDirTest {
 protected:
  std::string write(const std::string& name, const std::vector<unsigned char>& bytes) const {
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }
};

TEST_F(BookFileOnDisk, ReadsBackWhatWasWrittenAndNamesTheFileOfAFault) {
  std::vector<BookEntry> book, expected;
  std::string error;
  ASSERT_TRUE(read_book_bytes(hand_written_book(), expected, error)) << error;
  ASSERT_TRUE(read_book_file(write("good.bin", hand_written_book()), book, error)) << error;
  EXPECT_EQ(book, expected);

  // A file that is missing, or whose bytes are not a book: no entries, and the file named.
  const std::vector<unsigned char> good = hand_written_book();
  for (const std::string& path : {(dir / "missing.bin").string(),
                                   write("truncated.bin", {good.begin(), good.end() - 1})}) {
    book = expected;
    EXPECT_FALSE(read_book_file(path, book, error)) << path;
    EXPECT_TRUE(book.empty()) << path;
    EXPECT_NE(error.find(path), std::string::npos) << error;
  }
  EXPECT_NE(error.find("truncated"), std::string::npos) << error;
}

TEST(BookChoice, ShareAndProportion) {
  const std::uint16_t weights[] = {10, 4, 1, 0};
  // The share drops the light moves; weight 0 is never played.
  std::vector<int> seen(4);
  for (std::uint64_t draw = 0; draw < 15; ++draw) ++seen[choose_book_move(weights, 0, draw)];
  EXPECT_EQ(seen, (std::vector<int>{10, 4, 1, 0}));
  for (std::uint64_t draw = 0; draw < 100; ++draw) {
    EXPECT_EQ(choose_book_move(weights, 50, draw), 0);
    EXPECT_LE(choose_book_move(weights, 40, draw), 1);
  }
  const std::uint16_t none[] = {0, 0};
  EXPECT_EQ(choose_book_move(none, 0, 7), -1);
  EXPECT_EQ(choose_book_move({}, 0, 7), -1);
  const std::uint16_t one[] = {1};
  EXPECT_EQ(choose_book_move(one, 100, ~0ULL), 0);
}

TEST(BookBuilder, CountsWeightsAndRoundTrips) {
  play_from_start({});
  BookBuilder builder;
  const Move e4 = parse_uci_move("e2e4"), d4 = parse_uci_move("d2d4"), c4 = parse_uci_move("c2c4");
  add_book_move(builder, e4, 2);
  add_book_move(builder, e4, 1);
  add_book_move(builder, d4, 5);
  add_book_move(builder, c4, 1);
  make_move(e4);
  add_book_move(builder, parse_uci_move("c7c5"), 0);
  add_book_move(builder, parse_uci_move("c7c5"), 0);
  std::vector<BookEntry> entries = finish_book(builder, 2);  // c4 and d4 were seen once
  ASSERT_EQ(entries.size(), 2u);
  std::vector<BookEntry> read;
  std::string error;
  ASSERT_TRUE(read_book_bytes(book_bytes(entries), read, error)) << error;
  EXPECT_EQ(read, entries);
  EXPECT_EQ(book_entries_of(read, book_key()).front().weight, 0);  // only losses: never played
  init_board_startpos();
  ASSERT_EQ(book_entries_of(read, book_key()).size(), 1u);
  EXPECT_EQ(book_entries_of(read, book_key()).front().weight, 3);
  // Heaviest first within a position; huge weights scaled into 16 bits, in their own
  // position only: the light moves after 1.e4 keep their weights as they were.
  builder.clear();
  add_book_move(builder, d4, 1);
  add_book_move(builder, e4, 200000);
  make_move(e4);
  add_book_move(builder, parse_uci_move("c7c5"), 3);
  add_book_move(builder, parse_uci_move("e7e5"), 2);
  entries = finish_book(builder, 1);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(book_entries_of(entries, book_key())[0].weight, 3);
  EXPECT_EQ(book_entries_of(entries, book_key())[1].weight, 2);
  init_board_startpos();
  ASSERT_EQ(book_entries_of(entries, book_key()).size(), 2u);
  EXPECT_EQ(book_entries_of(entries, book_key())[0].weight, 65535);
  EXPECT_EQ(book_entries_of(entries, book_key())[1].weight, 1);
}

}  // namespace
