// The UCI dispatcher called in-process, to check the state each command leaves
// behind (position, repetition history, settings) where output cannot show it.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "board/attacks.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "frontend/options.h"
#include "frontend/own_book.h"
#include "frontend/uci.h"
#include "frontend/uci_options.h"
#include "search/startup.h"
#include "search/strength.h"
#include "search/threads.h"
#include "search/tt.h"
#include "style/search_mode.h"
#include "style/style_strength.h"
#include "style/tactical.h"

namespace {

class UciState : public ::testing::Test {
 protected:
  void SetUp() override {
    init_tables();
    init_board_startpos();
    white_search_mode = Balanced;
    black_search_mode = Balanced;
    white_style_strength = black_style_strength = STYLE_STRENGTH_DEFAULT;
    chosen_style = Balanced;
    tactical_move_selection = true;
    tactic_threshold_cp = 40;
    move_overhead_ms = 10;
    multi_pv = 1;
    ponder_enabled = false;
    search_threads = 1;
  }
  void TearDown() override {
    if (tt_entries() != TT_DEFAULT_ENTRIES) tt_resize(DEFAULT_HASH_MB);
    hash_megabytes = DEFAULT_HASH_MB;
  }
};

// The whole position as one comparable value.
struct Snapshot {
  SavedPosition pos;
  std::vector<std::uint64_t> stack;
};

Snapshot snapshot() { return {save_position(), {repetition_stack.begin(), repetition_stack.end()}}; }

bool same_position(const Snapshot& a, const Snapshot& b) {
  for (int i = 0; i < 12; ++i)
    if (a.pos.bitboards[i] != b.pos.bitboards[i]) return false;
  return a.pos.side == b.pos.side && a.pos.castle == b.pos.castle && a.pos.ep_sq == b.pos.ep_sq &&
         a.pos.zobrist_key == b.pos.zobrist_key;
}

Snapshot after(const std::string& line) {
  init_board_startpos();
  uci_command(line);
  return snapshot();
}

Snapshot from_fen(const std::string& fen) {
  load_fen(fen);
  return snapshot();
}

}  // namespace

TEST(UciTrimCr, RemovesOnlyOneTrailingCarriageReturn) {
  std::string s = "uci\r";
  trim_cr(s);
  EXPECT_EQ(s, "uci");
  s = "a\r\r";
  trim_cr(s);
  EXPECT_EQ(s, "a\r");
  s = "\ra";
  trim_cr(s);
  EXPECT_EQ(s, "\ra");
  s = "";
  trim_cr(s);
  EXPECT_EQ(s, "");
}

TEST_F(UciState, PositionMovesGrowTheRepetitionStackByOneKeyPerPlayedMove) {
  uci_command("position startpos moves e2e4 e7e5");
  ASSERT_EQ(repetition_stack.size(), 3u);
  EXPECT_EQ(repetition_stack.back(), zobrist_key);
  EXPECT_EQ(side, 0);
  EXPECT_EQ(bitboards[p] & square_bb(36), square_bb(36));  // e5

  const Snapshot expected = from_fen("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2");
  EXPECT_TRUE(same_position(after("position startpos moves e2e4 e7e5"), expected));
}

TEST_F(UciState, KnightShuffleReturnsToTheStartKeyOnAFiveEntryStack) {
  init_board_startpos();
  const std::uint64_t start_key = zobrist_key;
  uci_command("position startpos moves g1f3 g8f6 f3g1 f6g8");
  ASSERT_EQ(repetition_stack.size(), 5u);
  EXPECT_EQ(repetition_stack.front(), start_key);
  EXPECT_EQ(repetition_stack.back(), start_key);
  EXPECT_TRUE(is_repetition());
}

TEST_F(UciState, UnknownAndIllegalMoveWordsAreSkippedAndLaterOnesStillTried) {
  const Snapshot e4 = after("position startpos moves e2e4");
  const Snapshot got = after("position startpos moves e2e5 xyz e2e4 e1e2 a7a9");
  EXPECT_TRUE(same_position(got, e4));
  EXPECT_EQ(got.stack.size(), 2u);

  // The bishop on e2 is pinned: its move is generated but make_move rejects it.
  const Snapshot pinned = after("position fen 4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1 moves e2d3 e1d1 e7e2 d1e2");
  EXPECT_EQ(pinned.stack.size(), 4u);
  EXPECT_EQ(pinned.pos.side, 1);
  EXPECT_EQ(pinned.pos.bitboards[K], square_bb(12));  // the king took the rook on e2
  EXPECT_EQ(pinned.pos.bitboards[r], 0u);
  EXPECT_EQ(pinned.pos.bitboards[B], 0u);
}

TEST_F(UciState, PositionSubWordVariants) {
  const Snapshot start = after("position startpos");
  EXPECT_EQ(start.stack.size(), 1u);
  // Without "moves" the move words are not played.
  EXPECT_TRUE(same_position(after("position startpos e2e4"), start));

  // "moves" straight after "position" plays on the current position.
  uci_command("position startpos moves e2e4");
  const Snapshot e4 = snapshot();
  uci_command("position startpos");
  uci_command("position moves e2e4");
  EXPECT_TRUE(same_position(snapshot(), e4));
  uci_command("position moves e7e5");
  EXPECT_EQ(repetition_stack.size(), 3u);  // history kept across the two commands

  // An unknown sub-word, or none at all, leaves the position alone.
  const Snapshot before = snapshot();
  uci_command("position");
  uci_command("position startpos_ moves a2a3");
  uci_command("position FEN 8/8/8/8/8/8/8/8 w - -");
  EXPECT_TRUE(same_position(snapshot(), before));
  EXPECT_EQ(repetition_stack.size(), 3u);
}

TEST_F(UciState, FenWithFourOrSixFieldsThenMoves) {
  const std::string fen4 = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -";
  const Snapshot expected = from_fen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R4RK1 b kq - 1 1");
  EXPECT_TRUE(same_position(after("position fen " + fen4 + " moves e1g1"), expected));
  EXPECT_TRUE(same_position(after("position fen " + fen4 + " 0 1 moves e1g1"), expected));
  EXPECT_TRUE(same_position(after("position fen " + fen4 + " 57 120 moves e1g1"), expected));
  // A seventh word that is not "moves" means no moves follow.
  EXPECT_TRUE(same_position(after("position fen " + fen4 + " 0 1 e1g1 moves e1g1"), from_fen(fen4)));
  // Whatever the fifth and sixth words are, "moves" may follow them.
  EXPECT_TRUE(same_position(after("position fen " + fen4 + " x y moves e1g1"), expected));
}

// A board without one king a side, or with the king of the side not to move en
// prise, is refused whole, moves and all: the game position and its history stay.
TEST_F(UciState, FenTheEngineCannotPlayLeavesThePositionAsItWas) {
  uci_command("position startpos moves e2e4 e7e5");
  const Snapshot before = snapshot();
  for (const char* line : {"position fen 8/8/8/8/8/8/4P3/8 w - - moves e2e4", "position fen moves e2e4",
                           "position fen 4k3/8/8/8/8/8/4R3/4K3 w - - 0 1 moves e2e8 a7a6 e1d1",
                           "position fen 4k3/8/8/8/8/8/8/3KK3 b - - 0 1"}) {
    ::testing::internal::CaptureStdout();
    uci_command(line);
    EXPECT_NE(::testing::internal::GetCapturedStdout().find("the position is unchanged"), std::string::npos) << line;
    EXPECT_TRUE(same_position(snapshot(), before)) << line;
    EXPECT_EQ(snapshot().stack, before.stack) << line;
  }
}

TEST_F(UciState, UcinewgameResetsThePositionButKeepsTheSettings) {
  uci_command("setoption name SearchMode value Deep");
  uci_command("setoption name TacticThreshold value 77");
  uci_command("position startpos moves e2e4 e7e5 g1f3");
  uci_command("ucinewgame");
  EXPECT_TRUE(same_position(snapshot(), after("position startpos")));
  EXPECT_EQ(repetition_stack.size(), 1u);
  EXPECT_EQ(white_search_mode, Deep);
  EXPECT_EQ(tactic_threshold_cp, 77);
}

TEST_F(UciState, SearchModeOptions) {
  uci_command("setoption name SearchMode value Deep");
  EXPECT_EQ(white_search_mode, Deep);
  EXPECT_EQ(black_search_mode, Deep);
  uci_command("setoption name BlackSearchMode value Wide");
  EXPECT_EQ(white_search_mode, Deep);
  EXPECT_EQ(black_search_mode, Wide);
  uci_command("setoption name WhiteSearchMode value kingattack");  // values ignore case
  EXPECT_EQ(white_search_mode, KingAttack);
  uci_command("setoption name WhiteSearchMode value Major Piece Ending");  // not a style: unchanged
  EXPECT_EQ(white_search_mode, KingAttack);
  uci_command("setoption name WhiteSearchMode value   MajorPieceEnding  ");  // blanks between words vanish
  EXPECT_EQ(white_search_mode, MajorPieceEnding);
  uci_command("setoption name BlackSearchMode");  // no value: unchanged
  EXPECT_EQ(black_search_mode, Wide);
  // The first word is skipped unread, whatever it is.
  uci_command("setoption nom BlackSearchMode value PawnStorm");
  EXPECT_EQ(black_search_mode, PawnStorm);
  uci_command("setoption name Black SearchMode value Wide");
  EXPECT_EQ(black_search_mode, PawnStorm);
  uci_command("setoption name blacksearchmode value balanced");  // names ignore case
  EXPECT_EQ(black_search_mode, Balanced);
}

namespace {

// Every option line as "uci" would show it, advertised or not: the settings as a GUI sees them.
std::vector<std::string> option_lines() {
  std::vector<std::string> lines;
  for (const UciOption& option : uci_options()) lines.push_back(uci_option_line(option));
  return lines;
}

// Sends every advertised option at the default its line shows, in the order of the
// table rotated by first (and reversed when asked), as a GUI that sends them all does.
void send_shown_defaults(std::size_t first, bool reversed) {
  std::vector<std::string> commands;
  for (const UciOption& option : uci_options()) {
    if (!option.advertised) continue;
    const std::string line = uci_option_line(option);
    const std::size_t at = line.find(" default ");
    std::string value;
    if (at != std::string::npos) {
      value = line.substr(at + 9);
      value = value.substr(0, std::min(value.find(" min "), value.find(" var ")));
    }
    commands.push_back("setoption name " + std::string(option.name) + (value.empty() ? "" : " value " + value));
  }
  std::rotate(commands.begin(), commands.begin() + static_cast<std::ptrdiff_t>(first % commands.size()),
              commands.end());
  if (reversed) std::reverse(commands.begin(), commands.end());
  for (const std::string& command : commands) uci_command(command);
}

}  // namespace

// Style gives both sides a style at its published strength; a per-side option refines
// it; and a GUI that sends every option at its shown default, in any order, changes
// nothing, whether the engine was fresh, given a style, or given one and refined.
TEST_F(UciState, StyleOptionAndTheShownDefaults) {
  uci_command("setoption name style value kingattack");
  EXPECT_EQ(white_search_mode, KingAttack);
  EXPECT_EQ(black_search_mode, KingAttack);
  EXPECT_EQ(white_style_strength, 400);
  EXPECT_EQ(black_style_strength, 400);
  uci_command("setoption name WhiteStyleStrength value 200");
  uci_command("setoption name BlackSearchMode value Deep");
  EXPECT_EQ(white_style_strength, 200);
  EXPECT_EQ(black_search_mode, Deep);
  // The style already chosen again: the refinements stay.
  uci_command("setoption name Style value KingAttack");
  EXPECT_EQ(white_style_strength, 200);
  EXPECT_EQ(black_search_mode, Deep);
  uci_command("setoption name Style value MinorPieceEnding");
  EXPECT_EQ(white_search_mode, MinorPieceEnding);
  EXPECT_EQ(black_style_strength, published_strength(MinorPieceEnding));
  uci_command("setoption name Style value Aggressive");  // not a style: unchanged
  EXPECT_EQ(chosen_style, MinorPieceEnding);
  // Balanced chosen is the default engine again, whatever Balanced's published strength.
  uci_command("setoption name Style value Balanced");
  EXPECT_EQ(black_search_mode, Balanced);
  EXPECT_EQ(white_style_strength, STYLE_STRENGTH_DEFAULT);

  const auto fresh = [] {
    white_search_mode = black_search_mode = chosen_style = Balanced;
    white_style_strength = black_style_strength = STYLE_STRENGTH_DEFAULT;
  };
  const std::vector<std::pair<const char*, std::vector<std::string>>> starts = {
      {"fresh", {}},
      {"a style", {"setoption name Style value PawnStorm"}},
      {"a style refined",
       {"setoption name Style value Provocation", "setoption name BlackStyleStrength value 150",
        "setoption name WhiteSearchMode value Wide"}},
      {"one side only", {"setoption name WhiteSearchMode value KingAttack"}},
  };
  for (const auto& [name, commands] : starts) {
    for (std::size_t first : {std::size_t{0}, std::size_t{7}, std::size_t{15}}) {
      for (bool reversed : {false, true}) {
        fresh();
        for (const std::string& command : commands) uci_command(command);
        const std::vector<std::string> before = option_lines();
        send_shown_defaults(first, reversed);
        EXPECT_EQ(option_lines(), before) << name << ", from option " << first << (reversed ? ", reversed" : "");
      }
    }
  }
  fresh();
  own_book = false;
  book_file.clear();
}

TEST_F(UciState, CheckValuesAreTrueOrFalseInAnyCase) {
  const struct {
    const char* line;
    bool expected;
  } cases[] = {
      {"setoption name TacticalMoveSelection value FALSE", false},
      {"setoption name TacticalMoveSelection value True", true},
      {"setoption name TacticalMoveSelection value 0", false},
      {"setoption name TacticalMoveSelection", false},  // refused: unchanged
      {"setoption name TacticalMoveSelection value 1", true},
      {"setoption name TacticalMoveSelection value false false", true},
      {"setoption name tacticalmoveselection value false\r", false},
  };
  for (const auto& c : cases) {
    uci_command(c.line);
    EXPECT_EQ(tactical_move_selection, c.expected) << c.line;
  }
}

TEST_F(UciState, TacticThresholdConversion) {
  const struct {
    const char* value;
    int expected;  // the threshold before is 40 each time
  } cases[] = {
      {"200", 200}, {"500", 300}, {"-20", 0},    {"+7", 7},  {"12abc", 40}, {"abc", 40},
      {"", 40},     {"0x1f", 40}, {"1 2", 40},   {"-", 40},  {"99999999999", 300},
      {"-2147483649", 0},         {"99999999999999999999999999", 300},
  };
  for (const auto& c : cases) {
    tactic_threshold_cp = 40;
    const std::string line = std::string("setoption name TacticThreshold") +
                             (*c.value ? std::string(" value ") + c.value : std::string());
    uci_command(line);
    EXPECT_EQ(tactic_threshold_cp, c.expected) << line;
  }
}

TEST_F(UciState, EngineOptionsReachTheirSettingsClamped) {
  const std::pair<const char*, int> threads[] = {{"4", 4}, {"0", 1}, {"-3", 1}, {"100000", 256}, {"64", 64},
                                                 {"99999999999999999999", 256}};
  for (const auto& [value, expected] : threads) {
    uci_command(std::string("setoption name threads value ") + value);
    EXPECT_EQ(search_threads, expected) << value;
  }
  uci_command("setoption name MultiPV value 100000");
  EXPECT_EQ(multi_pv, 256);
  uci_command("setoption name move   OVERHEAD value 250");
  EXPECT_EQ(move_overhead_ms, 250);
  uci_command("setoption name Ponder value TRUE");
  EXPECT_TRUE(ponder_enabled);
  uci_command("setoption name uci_limitstrength value true");
  EXPECT_TRUE(limit_strength);
  for (const auto& [value, expected] : {std::pair{"99999", STRENGTH_MAX_ELO}, std::pair{"-1", STRENGTH_MIN_ELO},
                                        std::pair{"1444", 1444}}) {
    uci_command(std::string("setoption name UCI_Elo value ") + value);
    EXPECT_EQ(strength_elo, expected) << value;
  }
  limit_strength = false;
  strength_elo = STRENGTH_DEFAULT_ELO;
  // Style strengths: per side, or both at once.
  uci_command("setoption name WhiteStyleStrength value 1000");
  uci_command("setoption name BlackStyleStrength value -5");
  EXPECT_EQ(white_style_strength, STYLE_STRENGTH_MAX);
  EXPECT_EQ(black_style_strength, STYLE_STRENGTH_MIN);
  uci_command("setoption name stylestrength value 250");
  EXPECT_EQ(white_style_strength, 250);
  EXPECT_EQ(black_style_strength, 250);
  white_style_strength = black_style_strength = STYLE_STRENGTH_DEFAULT;

  // Hash sizes the table and empties it; Clear Hash empties it.
  tt_store(0x0123456789ABCDEFULL, 3, 10, TT_EXACT, Move{}, 0);
  uci_command("setoption name Hash value 0");
  EXPECT_EQ(tt_entries(), std::size_t{1} << 16);
  EXPECT_EQ(tt_lookup(0x0123456789ABCDEFULL), nullptr);
  uci_command("setoption name hash value 16");
  tt_store(0x0123456789ABCDEFULL, 3, 10, TT_EXACT, Move{}, 0);
  uci_command("setoption name Clear Hash");
  EXPECT_EQ(tt_entries(), std::size_t{1} << 20);
  EXPECT_EQ(tt_lookup(0x0123456789ABCDEFULL), nullptr);
}

// A refused value is said once on standard error and once, the same words, to the
// GUI; a name that is no option's only on standard error.
TEST_F(UciState, RefusedOptionsSayWhyOnStandardErrorAndValuesAlsoToTheGui) {
  const std::pair<const char*, bool> cases[] = {{"setoption name Hash value 64x", true},
                                                {"setoption name NoSuchOption value 1", false},
                                                {"setoption name WhiteSearchMode value Aggressive", true},
                                                {"setoption name Ponder value on", true},
                                                {"setoption name MoveOverhead value 5", false},
                                                {"setoption", false}};
  for (const auto& [line, to_gui] : cases) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    uci_command(line);
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << line << ": " << err;
    EXPECT_EQ(out, to_gui ? "info string " + err : "") << line;
  }
  EXPECT_EQ(white_search_mode, Balanced);
  EXPECT_EQ(hash_megabytes, 16);
  EXPECT_FALSE(ponder_enabled);
  EXPECT_EQ(move_overhead_ms, 10);
  // An accepted value says nothing.
  testing::internal::CaptureStderr();
  uci_command("setoption name TacticThreshold value 7");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(UciState, QuitEndsTheLoopAndNothingElseDoes) {
  EXPECT_FALSE(uci_command("quit"));
  EXPECT_FALSE(uci_command("quit now\r"));
  EXPECT_FALSE(uci_command("  quit"));
  for (const char* line : {"", "\r", "Quit", "QUIT", "quitx", "stop", "position quit"})
    EXPECT_TRUE(uci_command(line)) << line;
}
