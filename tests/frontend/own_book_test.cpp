// The engine's own book through the real binary: which "go" it answers, what it
// reports, and what a bad book file does.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "board/notation.h"
#include "board/position.h"
#include "book/book_file.h"
#include "book/book_key.h"
#include "book/book_move.h"
#include "book/builtin_books.h"
#include "search/startup.h"
#include "support/engine_process.h"

namespace {

using Lines = std::vector<std::string>;

constexpr const char* BOOK_ON = "setoption name OwnBook value true\n";

Lines dialogue(const std::string& input) {
  EngineRun run = run_engine(input);
  EXPECT_EQ(run.exit_code, 0) << "input:\n" << input;
  return run.lines;
}

// The lines that start with prefix.
Lines starting(const Lines& lines, const std::string& prefix) {
  Lines found;
  for (const std::string& line : lines)
    if (line.rfind(prefix, 0) == 0) found.push_back(line);
  return found;
}

// The moves the built-in book of Balanced has for the start position.
std::set<std::string> main_book_first_moves() {
  init_tables();
  init_board_startpos();
  std::set<std::string> moves;
  for (const BookEntry& entry : book_entries_of(builtin_book(Balanced), book_key()))
    moves.insert(move_to_str(decode_book_move(entry.move)));
  return moves;
}

// A file of the given bytes in the test's temporary folder.
std::string book_file(const std::string& name, const std::vector<unsigned char>& bytes) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / ("brisvane_book_" + name);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

// One entry a book gives the start position.
std::vector<unsigned char> start_entry(const char* uci_move, std::uint16_t weight) {
  init_tables();
  init_board_startpos();
  const Move m = parse_uci_move(uci_move);
  const std::uint16_t code = is_empty_move(m) ? static_cast<std::uint16_t>(12 << 6 | 36) : encode_book_move(m);  // e2e5
  const BookEntry entry{book_key(), code, weight, 0};
  return book_bytes(std::span<const BookEntry>(&entry, 1));
}

TEST(OwnBook, AnswersAGoThatPlaysAMove) {
  const std::set<std::string> first_moves = main_book_first_moves();
  ASSERT_GE(first_moves.size(), 3u);
  for (const char* go : {"go movetime 60000", "go wtime 600000 btime 600000 winc 0 binc 0", "go"}) {
    const Lines lines = dialogue(std::string(BOOK_ON) + "position startpos\n" + go + "\nisready\n");
    // The book's one line, then its move, then nothing searched.
    ASSERT_EQ(lines.size(), 3u) << go;
    EXPECT_EQ(lines[0].rfind("info string book move ", 0), 0u) << lines[0];
    const std::string move = lines[1].substr(std::string("bestmove ").size());
    EXPECT_TRUE(first_moves.count(move)) << lines[1];
    EXPECT_NE(lines[0].find(move), std::string::npos);
    EXPECT_EQ(lines[2], "readyok");
  }
}

TEST(OwnBook, AnalysisAndRestrictedSearchesNeverUseIt) {
  for (const char* go : {"go infinite\nstop", "go ponder\nstop", "go searchmoves e2e4 d2d4 movetime 50",
                         "go mate 2 movetime 50", "go depth 2", "go nodes 500"}) {
    const Lines lines = dialogue(std::string(BOOK_ON) + "setoption name Ponder value true\nposition startpos\n" + go + "\n");
    EXPECT_TRUE(starting(lines, "info string book").empty()) << go;
    EXPECT_EQ(starting(lines, "bestmove").size(), 1u) << go;
  }
  // Several lines asked for is an analysis as well.
  const Lines lines = dialogue(std::string(BOOK_ON) + "setoption name MultiPV value 2\nposition startpos\ngo movetime 50\n");
  EXPECT_TRUE(starting(lines, "info string book").empty());
}

TEST(OwnBook, OffByDefaultAndLeftWhereItShouldBe) {
  const auto uses_book = [](const std::string& setup) {
    return !starting(dialogue(setup + "go movetime 30\n"), "info string book move").empty();
  };
  // Off, even with a book file named (which is then never read).
  EXPECT_FALSE(uses_book("setoption name BookFile value /nonexistent/book.bin\nposition startpos\n"));
  EXPECT_TRUE(uses_book(std::string(BOOK_ON) + "position startpos moves e2e4 c7c5\n"));
  // BookDepth is the last ply played from the book: the third ply here.
  EXPECT_TRUE(uses_book(std::string(BOOK_ON) + "setoption name BookDepth value 3\nposition startpos moves e2e4 c7c5\n"));
  EXPECT_FALSE(uses_book(std::string(BOOK_ON) + "setoption name BookDepth value 2\nposition startpos moves e2e4 c7c5\n"));
  // A FEN's move number counts: the same position at move 30 is past the book.
  EXPECT_FALSE(uses_book(std::string(BOOK_ON) +
                         "position fen rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 30\n"));
  EXPECT_TRUE(uses_book(std::string(BOOK_ON) +
                        "position fen rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2\n"));
  // The lowest level leaves the book after a few plies, the highest stays longer.
  const std::string five_plies = "position startpos moves e2e4 c7c5 g1f3 d7d6 d2d4\n";
  EXPECT_FALSE(uses_book(std::string(BOOK_ON) + "setoption name UCI_LimitStrength value true\n"
                         "setoption name UCI_Elo value 1000\n" + five_plies));
  EXPECT_TRUE(uses_book(std::string(BOOK_ON) + "setoption name UCI_LimitStrength value true\n"
                        "setoption name UCI_Elo value 1700\n" + five_plies));
  // Chess960 has no built-in book.
  EXPECT_FALSE(uses_book(std::string(BOOK_ON) + "setoption name UCI_Chess960 value true\nposition startpos\n"));
}

// The line the book plays for White and Black from the start, ten plies, under a seed.
std::string book_line(int seed, int variety) {
  EngineProcess engine;
  engine.send(std::string(BOOK_ON) + "setoption name Seed value " + std::to_string(seed) +
              "\nsetoption name BookVariety value " + std::to_string(variety));
  std::string moves;
  for (int ply = 0; ply < 10; ++ply) {
    engine.send("position startpos moves" + moves);
    engine.send("go movetime 60000");
    const EngineProcess::ReadResult read = engine.read_until("bestmove ");
    EXPECT_TRUE(read.found);
    if (!read.found || starting(read.lines, "info string book move").empty()) break;
    moves += " " + read.lines.back().substr(9);
  }
  engine.send("quit");
  engine.wait_exit();
  return moves;
}

TEST(OwnBook, ASeedRepeatsItsLinesAndSeedsDiffer) {
  const std::string first = book_line(7, 100);
  EXPECT_GE(first.size(), 5 * 5u) << first;  // at least five book moves
  EXPECT_EQ(book_line(7, 100), first);
  std::set<std::string> lines{first};
  for (int seed = 1; seed <= 4; ++seed) lines.insert(book_line(seed, 100));
  EXPECT_GE(lines.size(), 3u);
  // No variety: the heaviest move every time, whatever the seed.
  EXPECT_EQ(book_line(1, 0), book_line(2, 0));
}

TEST(OwnBook, AUsersBookIsPlayedAndABadOneReportedOnce) {
  const std::string good = book_file("good.bin", start_entry("a2a3", 5));
  Lines lines = dialogue(std::string(BOOK_ON) + "setoption name BookFile value " + good + "\nposition startpos\ngo movetime 60000\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "bestmove a2a3");

  std::vector<unsigned char> two = start_entry("a2a3", 5);
  const std::vector<unsigned char> other = start_entry("h2h3", 5);
  two.insert(two.begin(), other.begin(), other.end());
  two[7] ^= 1;  // the first key now differs: one of the two is out of order
  std::vector<unsigned char> truncated = start_entry("a2a3", 5);
  truncated.pop_back();
  const std::string text = "this is a text file, not an opening book at all!!";
  const std::string bad_files[] = {
      "/nonexistent/book.bin",
      book_file("truncated.bin", truncated),
      book_file("unsorted.bin", two),
      book_file("text.bin", std::vector<unsigned char>(text.begin(), text.begin() + 48)),
      book_file("empty.bin", {}),
  };
  for (const std::string& path : bad_files) {
    lines = dialogue(std::string(BOOK_ON) + "setoption name BookFile value " + path +
                     "\nposition startpos\ngo movetime 30\nposition startpos moves e2e4\ngo movetime 30\n");
    EXPECT_EQ(starting(lines, "info string book").size(), 1u) << path;
    EXPECT_EQ(starting(lines, "bestmove").size(), 2u) << path;
  }
  // A move that is not legal in its position is skipped, and the search plays.
  const std::string illegal = book_file("illegal.bin", start_entry("e2e5", 5));
  lines = dialogue(std::string(BOOK_ON) + "setoption name BookFile value " + illegal + "\nposition startpos\ngo movetime 30\n");
  ASSERT_EQ(starting(lines, "info string book").size(), 1u);
  EXPECT_NE(starting(lines, "info string book")[0].find("not a legal move"), std::string::npos);
  EXPECT_EQ(starting(lines, "bestmove").size(), 1u);
}

}  // namespace
