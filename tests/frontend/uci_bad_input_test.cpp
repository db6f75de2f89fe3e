// Hostile input through the real binary: nothing may crash it, hang it, or make
// it print anything but the answers to the commands it knows and the notes
// ("info string") on what it could not take.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/engine_process.h"

namespace {

using Lines = std::vector<std::string>;

// Every board display is eight board lines and one status line.
bool looks_like_board(const Lines& lines, size_t at) {
  if (at + 9 > lines.size()) return false;
  for (size_t i = at; i < at + 8; ++i)
    if (lines[i].size() != 16) return false;
  return lines[at + 8].starts_with("side=");
}

// The lines that are not "info string" notes: the answers themselves.
Lines answers(const Lines& lines) {
  Lines kept;
  for (const std::string& line : lines)
    if (!line.starts_with("info string ")) kept.push_back(line);
  return kept;
}

bool is_command_word(const std::string& line) {
  std::istringstream words(line);
  std::string first;
  words >> first;
  for (const char* c : {"uci", "isready", "setoption", "ucinewgame", "position", "go", "stop", "quit", "d"})
    if (first == c) return true;
  return false;
}

}  // namespace

TEST(UciBadInput, RandomBytesPrintNothing) {
  std::mt19937_64 rng(20240611);
  std::string input;
  for (int line = 0; line < 3000; ++line) {
    std::string text;
    const int length = static_cast<int>(rng() % 80);
    for (int i = 0; i < length; ++i) {
      char c = static_cast<char>(rng() & 0xff);
      if (c == '\n') c = ' ';
      text += c;
    }
    if (is_command_word(text)) continue;
    input += text + '\n';
  }
  EngineRun run = run_engine(input + "isready\n");
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.lines, Lines{"readyok"});
}

TEST(UciBadInput, JunkAfterEveryKeyword) {
  const char* junk[] = {"", " x", " \x01\xff\x7f", " name", " value", " fen", " moves", " startpos moves",
                        " 0000", " -1", " 99999999999999999999", " name value", " fen moves", " \t \r"};
  for (const char* j : junk) {
    std::string input;
    for (const char* keyword : {"setoption", "ucinewgame", "position", "stop", "unknown"})
      input += std::string(keyword) + j + "\n";
    input += std::string("isready") + j + "\nd" + j + "\nuci" + j + "\nquit" + j + "\nisready\n";
    EngineRun run = run_engine(input);
    EXPECT_EQ(run.exit_code, 0) << "junk: " << j;
    // "position fen" without a board to play is refused in a line of its own.
    const std::string junk = j;
    const std::size_t refused = junk == " fen" || junk == " fen moves" ? 1 : 0;
    ASSERT_EQ(run.lines.size(), refused + 1u + 9u + 24u) << "junk: " << j;  // readyok, the board, the uci block
    if (refused) {
      EXPECT_EQ(run.lines[0], "info string position: the FEN '' needs one king a side; the position is unchanged");
    }
    EXPECT_EQ(run.lines[refused], "readyok");
    EXPECT_TRUE(looks_like_board(run.lines, refused + 1));
    EXPECT_EQ(run.lines[refused + 10], "id name Brisvane");
    EXPECT_EQ(run.lines.back(), "uciok");
  }
}

TEST(UciBadInput, MegabyteLines) {
  const std::string mb(1 << 20, 'x');
  std::string spaced;
  for (int i = 0; i < (1 << 20) / 5; ++i) spaced += "e2e4 ";
  std::string moves = "position startpos moves";
  for (int i = 0; i < (1 << 20) / 20; ++i) moves += " g1f3 g8f6 f3g1 f6g8";
  const std::string input = mb + "\n" + "setoption name " + mb + " value " + mb + "\n" + "position fen " + mb +
                            "\n" + "position startpos moves " + spaced + "\n" + moves + "\n" + "d\nisready\n";
  EngineRun run = run_engine(input, {}, 4 * ENGINE_TIMEOUT_MS);
  EXPECT_EQ(run.exit_code, 0);
  // One note for the FEN, one for all the e2e4 after the first: the notes stay short.
  ASSERT_EQ(run.lines.size(), 12u);
  EXPECT_EQ(run.lines[0], "info string position: the FEN 'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...' needs one king "
                          "a side; the position is unchanged");
  EXPECT_EQ(run.lines[1], "info string position: skipped 'e2e4', not a legal move there, and " +
                              std::to_string((1 << 20) / 5 - 2) + " later moves not legal either");
  EXPECT_EQ(run.lines[10], "side=w castle=15 ep=- key=8d3149f56d01bcb7");
  EXPECT_EQ(run.lines[11], "readyok");
}

namespace {

const Lines E4_BOARD = {"r n b q k b n r ", "p p p p p p p p ", ". . . . . . . . ", ". . . . . . . . ",
                        ". . . . P . . . ", ". . . . . . . . ", "P P P P . P P P ", "R N B Q K B N R ",
                        "side=b castle=15 ep=e3 key=a71fb59d3721a832"};

}  // namespace

// A malformed FEN gives whatever board its characters describe, as long as that board
// has one king a side; any other is refused and the position before it stays.
TEST(UciBadInput, MalformedFensGiveSomeBoardOrAreRefused) {
  const std::pair<const char*, bool> fens[] = {
      {"8/8/8/8/8/8/8/8/8/8/8/8 w - -", false},  // too many ranks, all empty
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR/RNBQKBNR w KQkq -", true},
      {"rnbqkbnrrnbqkbnr/pppppppppp/99999999/8/8/8/PPPPPPPP/RNBQKBNRQQQ w KQkq -", true},  // too many files
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP w KQkq - 0 1", false},  // seven ranks: no White king
      {"9/9/9/9/9/9/9/9/9 w", false},
      {"////////////////// b", false},
      {"kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk w", false},
      {"8/8/8/8/8/8/8/8 w KQkq e3", false},  // no kings at all
      {"8/8/8/8/8/8/4P3/4K3 w - -", false},  // no Black king
      {"4k3/8/8/8/8/8/8/8 b - -", false},    // no White king
      {"4k3/8/8/8/8/8/8/4K3 w - z9", true},  // ep square off the board
      {"4k3/8/8/8/8/8/8/4K3 w - e", true},
      {"4k3/8/8/8/8/8/8/4K3 w - a", true},
      {"4k3/8/8/8/8/8/8/4K3 w - ~~", true},
      {"4k3/8/8/8/8/8/8/4K3 W KQkqKQkq\xff -", true},
      {"PPPPPPPP/PPPPPPPP/PPPPPPPP/PPPPPPPP/PPPPPPPP/PPPPPPPP/PPPPPPPP/PPPPPPPP w", false},
      {"K7/8/8/8/8/8/8/7k w - - 0 1 x y z", true},
      {"", false},
      {"garbage", false},
      {"4k3/8/8/8/8/8/4R3/4K3 w - - 0 1", false},  // White to move could take the king
      {"4k3/8/8/8/8/8/8/2K1K3 w - - 0 1", false},  // two White kings
  };
  for (const auto& [fen, playable] : fens) {
    const std::string moves = " moves e2e4 e1e2 e8e7 a1a8 h8h1 a7a8q 0000 e1g1 e8c8";
    const std::string input = std::string("position startpos moves e2e4\nposition fen ") + fen + moves +
                              "\nd\nposition fen " + fen + "\nposition moves e1d1 d8d1\nd\nisready\ngo depth 1\n";
    EngineRun run = run_engine(input);
    EXPECT_EQ(run.exit_code, 0) << fen;
    const Lines shown = answers(run.lines);
    ASSERT_EQ(shown.size(), 21u) << fen;
    EXPECT_TRUE(looks_like_board(shown, 0)) << fen;
    EXPECT_TRUE(looks_like_board(shown, 9)) << fen;
    EXPECT_EQ(shown[18], "readyok") << fen;
    EXPECT_TRUE(shown[20].starts_with("bestmove ")) << fen;
    const auto refusals = std::count_if(run.lines.begin(), run.lines.end(), [](const std::string& line) {
      return line.starts_with("info string position: the FEN ");
    });
    EXPECT_EQ(refusals, playable ? 0 : 2) << fen;
    // The position before the refusal stays: "d" shows it, and "go" answers for Black,
    // to move after e2e4, from its own ranks.
    if (!playable) {
      EXPECT_EQ(Lines(shown.begin(), shown.begin() + 9), E4_BOARD) << fen;
      EXPECT_EQ(Lines(shown.begin() + 9, shown.begin() + 18), E4_BOARD) << fen;
      EXPECT_TRUE(shown[20][10] == '7' || shown[20][10] == '8') << shown[20];
    }
  }
}

TEST(UciBadInput, EnPassantSquareThatAPieceStandsOn) {
  // Found by fuzzing: the FEN's en-passant square is occupied, so the capture
  // onto it lands on a piece. The engine must carry on regardless.
  const char* lines[] = {
      "position fen 4k3/3ppp2/4p3/8/8/8/8/4K3 b - e6 0 1 moves d7e6 f7e6 e1e2",
      "position fen 4k3/4p3/3P1P2/8/8/8/8/4K3 w - e7 0 1 moves d6e7 f6e7 e8e7",
  };
  for (const char* line : lines) {
    EngineRun run = run_engine(std::string(line) + "\nd\nisready\n");
    EXPECT_EQ(run.exit_code, 0) << line;
    const Lines shown = answers(run.lines);
    ASSERT_EQ(shown.size(), 10u) << line;
    EXPECT_TRUE(looks_like_board(shown, 0)) << line;
    EXPECT_EQ(shown[9], "readyok");
  }
}

TEST(UciBadInput, HashAtItsLimitsWhileASearchRuns) {
  // The resize waits for the search, whose bestmove therefore comes before readyok;
  // a size outside the range is clamped, and the GUI is told after that bestmove.
  EngineProcess engine;
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  // Filling a gigabyte slot by slot takes sanitizers most of a minute; the races are the same at 2 MB.
  const char* const largest = "2";
#else
  const char* const largest = "99999999999999999999";  // clamped to 1024
#endif
  for (const char* megabytes : {largest, "1", "0", "-7", "16"}) {
    ASSERT_TRUE(engine.send("go infinite"));
    ASSERT_TRUE(engine.send(std::string("setoption name Hash value ") + megabytes));
    ASSERT_TRUE(engine.send("isready"));
    const EngineProcess::ReadResult r = engine.read_until("readyok", 4 * ENGINE_TIMEOUT_MS);
    ASSERT_TRUE(r.found && r.lines.size() >= 2) << megabytes;
    const auto bestmove = std::find_if(r.lines.begin(), r.lines.end(),
                                       [](const std::string& line) { return line.starts_with("bestmove "); });
    ASSERT_TRUE(bestmove != r.lines.end()) << megabytes;
    const Lines after(bestmove + 1, r.lines.end() - 1);
    const std::string value = megabytes;
    if (value == "2" || value == "1" || value == "16") {
      EXPECT_TRUE(after.empty()) << megabytes;
    } else {
      ASSERT_EQ(after.size(), 1u) << megabytes;
      EXPECT_TRUE(after[0].starts_with("info string setoption Hash: '" + value + "' is outside 1 to 1024; set to "))
          << after[0];
    }
  }
  ASSERT_TRUE(engine.send("go depth 4"));
  EXPECT_TRUE(engine.read_until("bestmove").found);
  ASSERT_TRUE(engine.send("quit"));
  EXPECT_EQ(engine.wait_exit(), 0);
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// (Sanitizers reserve far more address space than the limit below allows.)
TEST(UciBadInput, HashThatCannotBeHadKeepsTheOldTable) {
  EngineProcess engine({"-c", "ulimit -v 400000 && exec " BRISVANE_BINARY " 2>&1"}, "/bin/sh");
  ASSERT_TRUE(engine.send("setoption name Hash value 1024"));
  ASSERT_TRUE(engine.send("isready"));
  const EngineProcess::ReadResult refused = engine.read_until("readyok");
  ASSERT_TRUE(refused.found);
  // The reason on standard error, the refusal for the GUI, then readyok.
  ASSERT_EQ(refused.lines.size(), 3u);
  EXPECT_EQ(refused.lines[0].rfind("Hash 1024: ", 0), 0u) << refused.lines[0];
  EXPECT_EQ(refused.lines[1], "info string setoption Hash: 1024 could not be set; unchanged");
  // The old table still serves a search.
  ASSERT_TRUE(engine.send("position startpos"));
  ASSERT_TRUE(engine.send("go depth 5"));
  const EngineProcess::ReadResult search = engine.read_until("bestmove");
  ASSERT_TRUE(search.found);
  EXPECT_EQ(search.lines[search.lines.size() - 2].rfind("info depth 5 ", 0), 0u);
  ASSERT_TRUE(engine.send("quit"));
  EXPECT_EQ(engine.wait_exit(), 0);
}
#endif
