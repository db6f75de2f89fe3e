#include <gtest/gtest.h>

#include "board/notation.h"
#include "board/san.h"
#include "board/position.h"
#include "board_test_env.h"

namespace {

TEST(Notation, Squares) {
  EXPECT_EQ(sq_to_str(0), "a1");
  EXPECT_EQ(sq_to_str(20), "e3");
  EXPECT_EQ(sq_to_str(63), "h8");
  EXPECT_EQ(parse_square("h8"), 63);
  EXPECT_EQ(parse_square("i0"), 0);  // not validated
  EXPECT_EQ(parse_square("e"), NO_SQUARE);
  EXPECT_EQ(parse_square(""), NO_SQUARE);
}

TEST(Notation, MoveText) {
  EXPECT_EQ(move_to_str(empty_move()), "0000");
  EXPECT_EQ(move_to_str(Move{52, 60, P, 0, N, 0, 0, 0}), "e7e8n");
  EXPECT_EQ(move_to_str(Move{9, 0, p, 1, q, 0, 0, 0}), "b2a1q");
  // A zero-filled record is a white pawn "promoting" to a pawn, not the empty move.
  EXPECT_EQ(move_to_str(Move{0, 0, 0, 0, 0, 0, 0, 0}), "a1a1p");
}

TEST(Notation, ParseMovesOfTheStartPosition) {
  init_board_tables();
  init_board_startpos();
  Move m = parse_uci_move("e2e4");
  EXPECT_EQ(m.from, 12);
  EXPECT_EQ(m.to, 28);
  EXPECT_EQ(m.double_push, 1);
  EXPECT_TRUE(is_empty_move(parse_uci_move("e1g1")));
  EXPECT_TRUE(is_empty_move(parse_uci_move("e2e4q")));
}

TEST(Notation, ShortTextsParseToTheEmptyMove) {
  init_board_tables();
  init_board_startpos();
  for (const char* text : {"", "e", "e2", "e2e"}) EXPECT_TRUE(is_empty_move(parse_uci_move(text))) << text;
  // "i0" reads as a1, like any unvalidated name; a1a3 is no move of the start position.
  EXPECT_TRUE(is_empty_move(parse_uci_move("i0a3")));
}

TEST(Notation, PromotionLetters) {
  init_board_tables();
  load_fen("8/4P3/8/8/8/8/8/k6K w - - 0 1");
  EXPECT_TRUE(is_empty_move(parse_uci_move("e7e8")));
  EXPECT_EQ(parse_uci_move("e7e8q").promoted, Q);
  EXPECT_EQ(parse_uci_move("e7e8n").promoted, N);
  EXPECT_EQ(parse_uci_move("e7e8b").promoted, B);
  EXPECT_EQ(parse_uci_move("e7e8r").promoted, R);
  EXPECT_EQ(parse_uci_move("e7e8x").promoted, Q);
  EXPECT_EQ(parse_uci_move("e7e8Q").promoted, Q);
  EXPECT_EQ(parse_uci_move("e7e8nq").promoted, N);
  load_fen("8/8/8/8/8/8/3p4/k6K b - - 0 1");
  EXPECT_EQ(parse_uci_move("d2d1n").promoted, n);
  EXPECT_EQ(parse_uci_move("d2d1z").promoted, q);
}

TEST(Notation, ParseCastling) {
  init_board_tables();
  load_fen(KIWIPETE);
  EXPECT_EQ(parse_uci_move("e1g1").castling, 1);
  EXPECT_EQ(parse_uci_move("e1c1").castling, 1);
  EXPECT_EQ(parse_uci_move("e1c1").to, 2);
}

// The SAN of a move given as UCI text in a position given as FEN; reading the SAN
// back must give the same move.
std::string san(const std::string& fen, const std::string& uci) {
  init_board_tables();
  load_fen(fen);
  const Move m = parse_uci_move(uci);
  EXPECT_FALSE(is_empty_move(m)) << uci;
  const std::uint64_t key = zobrist_key;
  const std::string text = move_to_san(m);
  EXPECT_EQ(zobrist_key, key) << "position changed";
  EXPECT_EQ(move_to_str(san_to_move(text)), uci) << text << " read back";
  return text;
}

TEST(Notation, SanDisambiguation) {
  // Two knights reach d2: the file tells them apart.
  const char* knights = "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1";
  EXPECT_EQ(san(knights, "b1d2"), "Nbd2");
  EXPECT_EQ(san(knights, "f3d2"), "Nfd2");
  EXPECT_EQ(san(knights, "f3e5"), "Ne5");
  // Two rooks on one file: the rank; a capture keeps its x after the rank.
  const char* rooks = "4k3/8/8/R7/8/p7/8/R3K3 w - - 0 1";
  EXPECT_EQ(san(rooks, "a1a3"), "R1xa3");
  EXPECT_EQ(san(rooks, "a5a3"), "R5xa3");
  // Queens sharing the file with one rival and the rank with another: both.
  const char* queens = "8/7k/8/8/8/Q7/8/Q1Q4K w - - 0 1";
  EXPECT_EQ(san(queens, "a1b2"), "Qa1b2");
  EXPECT_EQ(san(queens, "a3b2"), "Q3b2");
  EXPECT_EQ(san(queens, "c1b2"), "Qcb2");
  // A pinned knight cannot move, so the other needs no disambiguation.
  EXPECT_EQ(san("4k3/8/8/8/1b6/2N5/8/4K1N1 w - - 0 1", "g1e2"), "Ne2");
}

TEST(Notation, SanPawnsCastlingAndChecks) {
  EXPECT_EQ(san("4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5"), "exd5");
  EXPECT_EQ(san("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6"), "exd6");
  EXPECT_EQ(san("7k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8q"), "e8=Q+");
  EXPECT_EQ(san("3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8n"), "exd8=N");
  EXPECT_EQ(san("8/8/8/8/8/8/1p5k/4K3 b - - 0 1", "b2b1r"), "b1=R+");
  EXPECT_EQ(san(KIWIPETE, "e1g1"), "O-O");
  EXPECT_EQ(san(KIWIPETE, "e1c1"), "O-O-O");
  // The rook lands on f1 facing the king on f8.
  EXPECT_EQ(san("5k2/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1"), "O-O+");
  EXPECT_EQ(san("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1a8"), "Ra8#");
  EXPECT_EQ(san("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1a7"), "Ra7");
  EXPECT_EQ(san("rnbqkbnr/ppppp2p/5p2/6p1/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 3", "d1h5"), "Qh5#");
}

// What people write besides the export form, and what names no single legal move.
TEST(Notation, SanReadingLooseAndBadForms) {
  init_board_tables();
  const auto read = [](const std::string& fen, const std::string& text) {
    load_fen(fen);
    return move_to_str(san_to_move(text));
  };
  EXPECT_EQ(read("7k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e8Q"), "e7e8q");
  EXPECT_EQ(read("7k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e8=N!?"), "e7e8n");
  EXPECT_EQ(read(KIWIPETE, "0-0-0"), "e1c1");
  EXPECT_EQ(read(KIWIPETE, "O-O+!"), "e1g1");
  EXPECT_EQ(read("4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "Nd2"), "0000");  // two knights reach d2
  EXPECT_EQ(read("4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "Nbd2"), "b1d2");
  EXPECT_EQ(read("7k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e8"), "0000");  // a promotion needs its piece
  EXPECT_EQ(read("7k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e8=K"), "0000");
  for (const char* bad : {"", "x", "Ke9", "Zf3", "e4e5e6", "O-O-O-O", "Nf3", "Bxe5"})
    EXPECT_EQ(read("4k3/8/8/8/8/8/8/4K3 w - - 0 1", bad), "0000") << bad;
  EXPECT_EQ(read("4k3/8/8/8/8/8/8/4K3 w - - 0 1", "Kd2"), "e1d2");
}

}  // namespace
