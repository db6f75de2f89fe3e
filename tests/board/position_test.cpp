#include <gtest/gtest.h>

#include "board/draw.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "board_test_env.h"

namespace {

const char* const START_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

void expect_same_position(const SavedPosition& a, const SavedPosition& b) {
  for (int i = 0; i < 12; ++i) EXPECT_EQ(a.bitboards[i], b.bitboards[i]) << i;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(a.occupancies[i], b.occupancies[i]) << i;
  EXPECT_EQ(a.side, b.side);
  EXPECT_EQ(a.castle, b.castle);
  EXPECT_EQ(a.ep_sq, b.ep_sq);
  EXPECT_EQ(a.zobrist_key, b.zobrist_key);
}

TEST(Position, StartPositionFromBothSources) {
  init_board_tables();
  init_board_startpos();
  EXPECT_EQ(bitboards[P], 0xff00u);
  EXPECT_EQ(bitboards[k], 0x1000000000000000u);
  EXPECT_EQ(occupancies[2], 0xffff00000000ffffu);
  EXPECT_EQ(castle, 15);
  EXPECT_EQ(ep_sq, NO_SQUARE);
  const SavedPosition from_init = save_position();
  for (const char* fen : {START_FEN, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 57 120",
                          "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -"}) {
    load_fen(fen);
    expect_same_position(from_init, save_position());
  }
}

TEST(Position, SetupResetsRepetitionStack) {
  init_board_tables();
  for (std::uint64_t key : {1, 2, 3}) repetition_stack.push_back(key);
  load_fen(KIWIPETE);
  ASSERT_EQ(repetition_stack.size(), 1u);
  EXPECT_EQ(repetition_stack[0], zobrist_key);
  repetition_stack.push_back(5);
  init_board_startpos();
  ASSERT_EQ(repetition_stack.size(), 1u);
  EXPECT_EQ(repetition_stack[0], zobrist_key);
}

TEST(Position, FenFields) {
  init_board_tables();
  load_fen("r3k2r/8/8/8/8/8/8/R3K2R w qkQK - 0 1");
  EXPECT_EQ(castle, 15);
  load_fen("r3k2r/8/8/8/8/8/8/R3K2R w Kk - 0 1");
  EXPECT_EQ(castle, 5);
  load_fen("4k3/8/8/8/8/8/8/4K3 W - e3 0 1");
  EXPECT_EQ(castle, 0);
  EXPECT_EQ(side, BLACK);
  EXPECT_EQ(ep_sq, 20);
  load_fen("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  EXPECT_EQ(side, WHITE);
  EXPECT_EQ(ep_sq, NO_SQUARE);
  load_fen("");
  EXPECT_EQ(side, BLACK);
  EXPECT_EQ(occupancies[2], 0u);
}

// An en-passant field that names no square gives no square.
TEST(Position, MalformedEnPassantFieldGivesNoSquare) {
  init_board_tables();
  for (const char* ep : {"e", "x3", "e9", "i0", "E3", "3e"}) {
    load_fen(std::string("4k3/8/8/8/8/8/8/4K3 w - ") + ep + " 0 1");
    EXPECT_EQ(ep_sq, NO_SQUARE) << ep;
    EXPECT_EQ(zobrist_key, compute_zobrist());
  }
  load_fen("4k3/8/8/8/8/8/8/4K3 w -");
  EXPECT_EQ(ep_sq, NO_SQUARE);
  load_fen("4k3/8/8/8/8/8/8/4K3 b - h3xyz 0 1");
  EXPECT_EQ(ep_sq, 23);
}

TEST(Position, UnknownPlacementCharacterSkipsOneSquare) {
  init_board_tables();
  load_fen("4k3/8/8/8/8/8/8/xK6 w - - 0 1");
  EXPECT_EQ(bitboards[K], square_bb(1));
  EXPECT_EQ(occupancies[WHITE], square_bb(1));
}

// Placement text past the h-file or below the first rank is dropped, not wrapped.
TEST(Position, PlacementPastTheBoardIsIgnored) {
  init_board_tables();
  load_fen("rnbqkbnrRRRR/pppppppp9999999999/8/8/8/8/PPPPPPPP/RNBQKBNR/QQQQ/KKKK////q w KQkq - 0 1");
  EXPECT_EQ(bitboards[R], 0x81u);
  EXPECT_EQ(bitboards[Q], 0x8u);
  EXPECT_EQ(bitboards[K], 0x10u);
  EXPECT_EQ(bitboards[q], 0x800000000000000u);
  EXPECT_EQ(occupancies[2], 0xffff00000000ffffu);
  std::string long_rank(100000, '9');
  load_fen(long_rank + "k/K w - - 0 1");
  EXPECT_EQ(bitboards[k], 0u);
  EXPECT_EQ(bitboards[K], square_bb(48));
}

TEST(Position, BoardDisplay) {
  init_board_tables();
  init_board_startpos();
  testing::internal::CaptureStdout();
  print_board();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "r n b q k b n r \n"
            "p p p p p p p p \n"
            ". . . . . . . . \n"
            ". . . . . . . . \n"
            ". . . . . . . . \n"
            ". . . . . . . . \n"
            "P P P P P P P P \n"
            "R N B Q K B N R \n"
            "side=w castle=15 ep=- key=8d3149f56d01bcb7\n");
  load_fen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
  testing::internal::CaptureStdout();
  print_board();
  std::string shown = testing::internal::GetCapturedStdout();
  EXPECT_NE(shown.find(". . . . P . . . \n"), std::string::npos);
  EXPECT_NE(shown.find("side=b castle=15 ep=e3 key=a71fb59d3721a832\n"), std::string::npos);
  // Rights of a Chess960 set-up show as an X-FEN field, an inner rook by its file.
  load_fen("r3k1rr/8/8/8/8/8/8/1R2K1R1 b GBa - 0 1");
  testing::internal::CaptureStdout();
  print_board();
  shown = testing::internal::GetCapturedStdout();
  EXPECT_NE(shown.find("side=b castle=KQq ep=- key="), std::string::npos) << shown;
}

TEST(Position, DisplayedKeyHasNoLeadingZeros) {
  init_board_tables();
  init_board_startpos();
  zobrist_key = 0xabcULL;
  testing::internal::CaptureStdout();
  print_board();
  std::string shown = testing::internal::GetCapturedStdout();
  EXPECT_NE(shown.find(" key=abc\n"), std::string::npos);
  init_board_startpos();
}

TEST(Position, DeadPositionsAreThoseWithoutAnyMatingMaterial) {
  init_board_tables();
  for (const char* fen : {"8/8/3k4/8/8/3K4/8/8 w - - 0 1", "8/8/3k4/8/8/3K4/3N4/8 b - - 0 1",
                          "8/8/3kb3/8/8/3K4/8/8 w - - 0 1", "8/8/3kb3/8/8/3K4/4B3/8 w - - 0 1"}) {
    load_fen(fen);
    EXPECT_TRUE(is_dead_position()) << fen;
  }
  // Bishops on opposite colours, two minors on one side, or any pawn, rook or queen can still mate.
  for (const char* fen : {"8/8/3kb3/8/8/3K4/3B4/8 w - - 0 1", "8/8/3k4/8/8/3K4/3NN3/8 w - - 0 1",
                          "8/8/3k4/8/8/3K4/3BB3/8 w - - 0 1", "8/8/3kn3/8/8/3K4/3N4/8 w - - 0 1",
                          "8/8/3k4/8/8/3K4/3P4/8 w - - 0 1", "8/8/3k4/8/8/3K4/3R4/8 w - - 0 1",
                          "8/8/3kq3/8/8/3K4/8/8 w - - 0 1"}) {
    load_fen(fen);
    EXPECT_FALSE(is_dead_position()) << fen;
  }
}

TEST(Position, HalfMoveClockFromTheFifthFieldThenKeptByMakeMove) {
  init_board_tables();
  for (const auto& [tail, clock] : {std::pair{" 99 120", 99}, {"", 0}, {" x 1", 0}, {" -5 1", 0},
                                     {" 99999999999999999999 1", HALFMOVE_CLOCK_CAP}}) {
    halfmove_clock = 7;
    load_fen(std::string("4k3/8/8/8/8/8/4P3/R3K2n w Q -") + tail);
    EXPECT_EQ(halfmove_clock, clock) << tail;
  }

  // A quiet piece move counts one; a pawn move or a capture starts again; the key ignores the count.
  load_fen("4k3/8/8/8/8/n7/4P3/R3K3 w Q - 40 1");
  const std::uint64_t key = zobrist_key;
  const char* const moves[] = {"e1d1", "e8d8", "e2e4", "d8c8", "a1a3", "c8b7"};
  const int after[] = {41, 42, 0, 1, 0, 1};
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(make_move(parse_uci_move(moves[i]))) << moves[i];
    EXPECT_EQ(halfmove_clock, after[i]) << moves[i];
    EXPECT_EQ(zobrist_key, compute_zobrist()) << moves[i];
  }
  load_fen("4k3/8/8/8/8/n7/4P3/R3K3 w Q - 0 1");
  EXPECT_EQ(zobrist_key, key);
}

}  // namespace
