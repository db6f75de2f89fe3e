// The UCI dialogue through the real binary: what a GUI types and exactly what
// it reads back.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "search/strength.h"
#include "style/style_strength.h"
#include "support/engine_process.h"

namespace {

using Lines = std::vector<std::string>;

const std::string VARS =
    " var Balanced var Deep var Wide var KingAttack var PassedPawn var PawnStorm var Provocation"
    " var PawnEnding var MajorPieceEnding var MinorPieceEnding";

Lines id_block(const std::string& white = "Balanced", const std::string& black = "Balanced",
               const std::string& tactics = "true", const std::string& threshold = "40",
               const std::string& chess960 = "false", const std::string& black_strength = "100",
               const std::string& style = "Balanced", const std::string& white_strength = "100") {
  return {"id name Brisvane",
          "id author Temmerok",
          "option name Hash type spin default 16 min 1 max 1024",
          "option name Clear Hash type button",
          "option name Threads type spin default 1 min 1 max 256",
          "option name Move Overhead type spin default 10 min 0 max 5000",
          "option name MultiPV type spin default 1 min 1 max 256",
          "option name Ponder type check default false",
          "option name UCI_Chess960 type check default " + chess960,
          "option name UCI_LimitStrength type check default false",
          "option name UCI_Elo type spin default " + std::to_string(STRENGTH_DEFAULT_ELO) + " min " +
              std::to_string(STRENGTH_MIN_ELO) + " max " + std::to_string(STRENGTH_MAX_ELO),
          "option name Seed type spin default 0 min 0 max 2147483647",
          "option name WhiteSearchMode type combo default " + white + VARS,
          "option name BlackSearchMode type combo default " + black + VARS,
          "option name WhiteStyleStrength type spin default " + white_strength + " min 0 max 400",
          "option name BlackStyleStrength type spin default " + black_strength + " min 0 max 400",
          "option name TacticalMoveSelection type check default " + tactics,
          "option name TacticThreshold type spin default " + threshold + " min 0 max 300",
          "option name OwnBook type check default false",
          "option name BookFile type string default <empty>",
          "option name BookDepth type spin default 20 min 0 max 200",
          "option name BookVariety type spin default 100 min 0 max 100",
          "option name Style type combo default " + style + VARS,
          "uciok"};
}

const Lines START_BOARD = {
    "r n b q k b n r ", "p p p p p p p p ", ". . . . . . . . ", ". . . . . . . . ",
    ". . . . . . . . ", ". . . . . . . . ", "P P P P P P P P ", "R N B Q K B N R ",
    "side=w castle=15 ep=- key=8d3149f56d01bcb7"};

Lines concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Runs a script to its end of input; the engine must exit 0 after it.
Lines dialogue(const std::string& input, const std::vector<std::string>& args = {}) {
  EngineRun run = run_engine(input, args);
  EXPECT_EQ(run.exit_code, 0) << "input:\n" << input;
  return run.lines;
}

}  // namespace

TEST(UciDialogue, IdentificationBlockAndReadiness) {
  EXPECT_EQ(dialogue("uci\nisready\n"), concat({id_block(), {"readyok"}}));
}

TEST(UciDialogue, EndOfInputAloneExitsZeroSilently) {
  EXPECT_EQ(dialogue(""), Lines{});
  // A last line without a newline is still read.
  EXPECT_EQ(dialogue("isready"), Lines{"readyok"});
}

TEST(UciDialogue, QuitEndsTheDialogueAndLaterLinesAreNotRead) {
  EXPECT_EQ(dialogue("isready\nquit\nisready\nuci\n"), Lines{"readyok"});
}

TEST(UciDialogue, CrlfAndLoneCrLinesReadLikePlainLines) {
  EXPECT_EQ(dialogue("uci\r\n\r\nisready\r\n\r\r\n  \r\nd\r\nquit\r\nisready\r\n"),
            concat({id_block(), {"readyok"}, START_BOARD}));
  // Only one carriage return is trimmed; the second is a blank between words.
  EXPECT_EQ(dialogue("isready\r\r\n"), Lines{"readyok"});
}

TEST(UciDialogue, CommandWordsAreCaseSensitiveAndUnknownOnesSilent) {
  EXPECT_EQ(dialogue("UCI\nUci\nISREADY\nucix\nhello world\n \n\t\nD\nstop\nstop now\n"
                     "ucinewgame\nsetoption name Hash value 64\nposition startpos\nisready\n"),
            Lines{"readyok"});
}

// A value the engine changes or refuses is said in an "info string", which a GUI shows.
Lines note(const std::string& option, const std::string& value, const std::string& what) {
  return {"info string setoption " + option + ": '" + value + "' " + what};
}

TEST(UciDialogue, OptionDefaultsFollowTheCurrentSettings) {
  // Names and values ignore case; spins are clamped; mistyped values change nothing.
  EXPECT_EQ(dialogue("setoption name SearchMode value Deep\nuci\n"
                     "setoption name blacksearchmode value WIDE\n"
                     "setoption name TacticalMoveSelection value False\n"
                     "setoption name TacticThreshold value 500\nuci\n"
                     "setoption name TacticThreshold value abc\n"
                     "setoption name TacticalMoveSelection value yes\n"
                     "setoption name WhiteSearchMode value PawnStorm\nuci\n"
                     "setoption name TacticThreshold value 12\n"
                     "setoption name TacticThreshold value 12abc\n"
                     "setoption name WhiteSearchMode value kingattack\n"
                     "setoption name TacticalMoveSelection value TRUE\nuci\n"
                     "setoption name TacticThreshold value -99999999999999999999\n"
                     "setoption name BlackStyleStrength value 9999\nuci\n"),
            concat({id_block("Deep", "Deep"),
                    note("TacticThreshold", "500", "is outside 0 to 300; set to 300"),
                    id_block("Deep", "Wide", "false", "300"),
                    note("TacticThreshold", "abc", "is not a whole number; unchanged"),
                    note("TacticalMoveSelection", "yes", "is not true or false; unchanged"),
                    id_block("PawnStorm", "Wide", "false", "300"),
                    note("TacticThreshold", "12abc", "is not a whole number; unchanged"),
                    id_block("KingAttack", "Wide", "true", "12"),
                    note("TacticThreshold", "-99999999999999999999", "is outside 0 to 300; set to 0"),
                    note("BlackStyleStrength", "9999", "is outside 0 to 400; set to 400"),
                    id_block("KingAttack", "Wide", "true", "0", "false", "400")}));
}

TEST(UciDialogue, EngineOptionsAdvertiseTheirBuiltInDefaults) {
  EXPECT_EQ(dialogue("setoption name Hash value 64\nsetoption name Hash value 2\nsetoption name MultiPV value 3\n"
                     "setoption name Ponder value true\nsetoption name Clear Hash\nsetoption name UCI_LimitStrength value true\n"
                     "setoption name UCI_Elo value 1\nsetoption name Seed value 9\nsetoption name OwnBook value true\n"
                     "setoption name BookFile value my.bin\nsetoption name BookDepth value 3\nuci\n"),
            concat({note("UCI_Elo", "1",
                         "is outside " + std::to_string(STRENGTH_MIN_ELO) + " to " + std::to_string(STRENGTH_MAX_ELO) +
                             "; set to " + std::to_string(STRENGTH_MIN_ELO)),
                    id_block()}));
}

TEST(UciDialogue, OptionDefaultsShowTheCommandLineSettings) {
  EXPECT_EQ(dialogue("uci\n", {"--white-mode=kingATTACK", "--threshold", "-5", "--no-tactics", "--chess960"}),
            id_block("KingAttack", "Balanced", "false", "0", "true"));
  EXPECT_EQ(dialogue("setoption name UCI_Chess960 value true\nuci\nsetoption name uci_chess960 value false\nuci\n"),
            concat({id_block("Balanced", "Balanced", "true", "40", "true"), id_block()}));
  // The advertised default always lies inside the advertised range.
  EXPECT_EQ(dialogue("uci\n", {"--threshold=500"}), id_block("Balanced", "Balanced", "true", "300"));
  // A style for both sides at its published strength, and --strength (UCI mode only) after it.
  EXPECT_EQ(dialogue("uci\n", {"--style", "passedPawn"}),
            id_block("PassedPawn", "PassedPawn", "true", "40", "false", std::to_string(published_strength(PassedPawn)),
                     "PassedPawn", std::to_string(published_strength(PassedPawn))));
  EXPECT_EQ(dialogue("uci\n", {"--strength", "300", "--style=KingAttack"}),
            id_block("KingAttack", "KingAttack", "true", "40", "false", "300", "KingAttack", "300"));
  EXPECT_EQ(dialogue("setoption name Style value Provocation\nuci\n"),
            id_block("Provocation", "Provocation", "true", "40", "false", "400", "Provocation", "400"));
}

// The Style option, the command line's --style and the four per-side options set by
// hand play the same search; Balanced's differs.
TEST(UciDialogue, StylePlaysAsTheFourPerSideOptions) {
  const auto search = [](const std::vector<std::string>& setup, const std::vector<std::string>& args = {}) {
    EngineProcess engine(args);
    for (const std::string& line : setup) engine.send(line);
    engine.send("position startpos moves e2e4 e7e5 g1f3 b8c6 f1c4");
    engine.send("go depth 7");
    Lines kept;
    for (const std::string& line : engine.read_until("bestmove").lines) {
      // Only the clock's fields differ between runs.
      std::string stripped;
      std::istringstream words(line);
      for (std::string word; words >> word;) {
        if (word == "time" || word == "nps")
          words >> word;
        else
          stripped += word + " ";
      }
      kept.push_back(stripped);
    }
    engine.close_stdin();
    EXPECT_EQ(engine.wait_exit(), 0);
    return kept;
  };
  const Lines by_hand = search({"setoption name WhiteSearchMode value KingAttack",
                                "setoption name BlackSearchMode value KingAttack",
                                "setoption name WhiteStyleStrength value 400", "setoption name BlackStyleStrength value 400"});
  ASSERT_FALSE(by_hand.empty());
  EXPECT_EQ(by_hand.back().rfind("bestmove ", 0), 0u);
  EXPECT_EQ(search({"setoption name Style value KingAttack"}), by_hand);
  EXPECT_EQ(search({}, {"--style", "kingattack"}), by_hand);
  EXPECT_NE(search({}), by_hand);
}

TEST(UciDialogue, BoardDisplayAfterPositionCommands) {
  // e2e5 names no legal move: it is named, skipped, and the moves after it are played.
  const Lines e4 = {"r n b q k b n r ", "p p p p p p p p ", ". . . . . . . . ", ". . . . . . . . ",
                    ". . . . P . . . ", ". . . . . . . . ", "P P P P . P P P ", "R N B Q K B N R ",
                    "side=b castle=15 ep=e3 key=a71fb59d3721a832"};
  EXPECT_EQ(dialogue("position startpos moves e2e5 e2e4\nd\n"
                     "position startpos e2e4\nd\n"
                     "position moves e2e4\nd\n"
                     "position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 moves e2e4\nd\n"
                     "ucinewgame\nd\n"),
            concat({{"info string position: skipped 'e2e5', not a legal move there"}, e4, START_BOARD, e4, e4,
                    START_BOARD}));
  // Two skipped: the first is named, the other counted.
  EXPECT_EQ(dialogue("position startpos moves e2e5 e2e4 e2e4 zz e7e5\n"),
            Lines{"info string position: skipped 'e2e5', not a legal move there, and 2 later moves not legal either"});
}

TEST(UciDialogue, DisplaysOfTheSamePositionReachedTwoWaysAgree) {
  const Lines by_moves = dialogue("position startpos moves e2e4 c7c5 g1f3 d7d6 d2d4 c5d4 f3d4 g8f6 b1c3 a7a6\nd\n");
  const Lines by_fen =
      dialogue("position fen rnbqkb1r/1p2pppp/p2p1n2/8/3NP3/2N5/PPP2PPP/R1BQKB1R w KQkq - 0 6\nd\n");
  ASSERT_EQ(by_moves.size(), 9u);
  EXPECT_EQ(by_moves, by_fen);
}

TEST(UciDialogue, HundredsOfMovesEndWhereTheyShould) {
  std::string moves;
  for (int i = 0; i < 150; ++i) moves += " g1f3 g8f6 f3g1 f6g8";
  EXPECT_EQ(dialogue("position startpos moves" + moves + "\nd\n"), START_BOARD);
}

TEST(UciDialogue, IsreadyAnswersBetweenCommandsInStep) {
  EngineProcess engine;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(engine.send("isready"));
    EXPECT_EQ(engine.read_line(), "readyok");
  }
  ASSERT_TRUE(engine.send("position startpos moves d2d4"));
  ASSERT_TRUE(engine.send("stop"));
  ASSERT_TRUE(engine.send("isready"));
  EXPECT_EQ(engine.read_line(), "readyok");
  ASSERT_TRUE(engine.send("quit"));
  EXPECT_EQ(engine.wait_exit(), 0);
  EXPECT_EQ(engine.read_line(), std::nullopt);
}

namespace {

// The first moves of a game the engine plays against itself at its lowest level.
std::vector<std::string> limited_game(int seed) {
  EngineProcess engine;
  for (const std::string& line : std::vector<std::string>{"setoption name UCI_LimitStrength value true",
                                  "setoption name UCI_Elo value " + std::to_string(STRENGTH_MIN_ELO),
                                  "setoption name Seed value " + std::to_string(seed)})
    engine.send(line);
  std::string position = "position startpos moves";
  std::vector<std::string> played;
  for (int ply = 0; ply < 12; ++ply) {
    engine.send(position);
    engine.send("go wtime 60000 btime 60000 winc 1000 binc 1000");
    const EngineProcess::ReadResult r = engine.read_until("bestmove");
    if (!r.found) break;
    played.push_back(r.lines.back().substr(9, r.lines.back().find(' ', 9) - 9));
    position += " " + played.back();
  }
  engine.send("quit");
  EXPECT_EQ(engine.wait_exit(), 0);
  return played;
}

}  // namespace

TEST(UciDialogue, ALimitedLevelWithAFixedSeedPlaysTheSameGameTwice) {
  const std::vector<std::string> first = limited_game(4242);
  EXPECT_EQ(first.size(), 12u);
  EXPECT_EQ(limited_game(4242), first);
}
