// Chess960: castling fields in both notations, castling from any set-up, and the
// move text of both modes. The counts themselves are in the perft960 suite.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "board/castling.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "board/perft.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "board_test_env.h"

namespace {

// Sets the move text mode for one test and puts the default back.
struct Chess960Text {
  explicit Chess960Text(bool on) { chess960 = on; }
  ~Chess960Text() { chess960 = false; }
};

std::string field_now() { return castling_field(bitboards, castle); }

// Loads the FEN and returns what standard error received meanwhile.
std::string load_fen_errors(const std::string& fen) {
  testing::internal::CaptureStderr();
  load_fen(fen);
  return testing::internal::GetCapturedStderr();
}

bool has_castling(const MoveList& list) {
  for (const Move& m : list.moves)
    if (m.castling) return true;
  return false;
}

TEST(Chess960Fen, ShredderAndXFenGiveTheSamePositionAndRoundTrip) {
  init_board_tables();
  // {Shredder-FEN field, X-FEN field}, on one board each: outermost rooks, an inner
  // rook named by its file, rooks on both sides of a king in the corner's neighbour.
  const struct {
    const char* board;
    const char* shredder;
    const char* xfen;
  } CASES[] = {
      {"bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w", "HFhf", "KQkq"},
      {"1r2k1r1/8/8/8/8/8/8/RR2K3 w", "Bg", "Bk"},
      {"rk5r/8/8/8/8/8/8/RK5R b", "HAha", "KQkq"},
      {"r3k1rr/8/8/8/8/8/8/R3KR1R w", "FAga", "FQgq"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w", "HAha", "KQkq"},
  };
  for (const auto& c : CASES) {
    const std::string board = c.board;
    load_fen(board + " " + c.shredder + " - 0 1");
    const std::uint64_t key = zobrist_key;
    const int rights = castle;
    const CastlingSetup setup = castling;
    EXPECT_EQ(field_now(), c.xfen) << board;
    for (const std::string& field : {std::string(c.xfen), field_now()}) {
      load_fen(board + " " + field + " - 0 1");
      EXPECT_EQ(zobrist_key, key) << board << " " << field;
      EXPECT_EQ(castle, rights) << board << " " << field;
      for (int i = 0; i < 4; ++i) EXPECT_EQ(castling.rook_square[i], setup.rook_square[i]) << board << " " << i;
      EXPECT_EQ(field_now(), c.xfen);
    }
  }
  // The standard start position by either name is the one the engine starts from.
  init_board_startpos();
  const std::uint64_t start_key = zobrist_key;
  load_fen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w HAha - 0 1");
  EXPECT_EQ(zobrist_key, start_key);
  EXPECT_TRUE(castling_is_standard(castle));
  EXPECT_EQ(field_now(), "KQkq");
}

TEST(Chess960Fen, BadFieldsKeepTheRightsThatMakeSenseAndNameTheRest) {
  init_board_tables();
  const struct {
    const char* fen;
    int rights;
    const char* dropped;  // as named on standard error, empty for none
  } CASES[] = {
      {"4k3/8/8/8/8/8/8/4K2R w KQ - 0 1", 1, "Q"},                  // no rook on the queen side
      {"r3k2r/8/8/8/8/8/4K3/R6R w KQkq - 0 1", 12, "K Q"},          // king off its first rank
      {"4k3/8/8/8/8/8/8/4KRR1 w GF - 0 1", 1, "F"},                 // a second rook for one wing
      {"4k3/8/8/8/8/8/8/R3K2R w EBK - 0 1", 1, "E B"},               // the king's file; an empty square
      {"r3k2r/8/8/8/8/8/8/R3K2R w KKHq-x - 0 1", 9, ""},            // repeats and other characters
      {"8/8/8/8/8/8/8/8 w KQkq - 0 1", 0, "K Q k q"},              // no kings at all
  };
  for (const auto& c : CASES) {
    const std::string errors = load_fen_errors(c.fen);
    EXPECT_EQ(castle, c.rights) << c.fen;
    if (*c.dropped) {
      EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
      EXPECT_NE(errors.find(std::string("rights ") + c.dropped + " dropped"), std::string::npos) << errors;
    } else {
      EXPECT_EQ(errors, "") << c.fen;
    }
    // Never a castling move without its king and rook.
    MoveList list;
    generate_moves(list);
    for (const Move& m : list.moves) {
      if (!m.castling) continue;
      EXPECT_TRUE(castle & (1 << castle_index_of(m.piece, m.to))) << c.fen;
      EXPECT_TRUE(bitboards[m.piece] & square_bb(m.from)) << c.fen;
      EXPECT_TRUE(bitboards[m.piece == K ? R : r] & square_bb(castling_rook_square(m.piece, m.to))) << c.fen;
    }
  }
}

// Plays the castling of the position and checks the squares of king and rook after it.
void expect_castling(const char* fen, const char* text960, int king_to, int rook_to, bool legal = true) {
  Chess960Text mode(true);
  load_fen(fen);
  const Move m = parse_uci_move(text960);
  ASSERT_EQ(m.castling, 1) << fen;
  EXPECT_EQ(move_to_str(m), text960);
  const std::uint64_t predicted = key_after_move(m);
  EXPECT_EQ(make_move(m), legal) << fen;
  EXPECT_EQ(zobrist_key, compute_zobrist()) << fen;
  EXPECT_EQ(zobrist_key, predicted) << fen;
  EXPECT_TRUE(psq_sums_match_board()) << fen;
  EXPECT_EQ(bitboards[K], square_bb(king_to)) << fen;
  EXPECT_EQ(bitboards[R] & rank_span(0, 7), square_bb(rook_to)) << fen;
  EXPECT_EQ(castle & 3, 0) << fen;
}

TEST(Chess960Castling, EdgeCasesByName) {
  init_board_tables();
  // The king stays on g1; only the rook moves.
  expect_castling("4k3/8/8/8/8/8/8/6KR w H - 0 1", "g1h1", 6, 5);
  // The rook starts on the king's destination.
  expect_castling("4k3/8/8/8/8/8/8/1K4R1 w G - 0 1", "b1g1", 6, 5);
  // King and rook trade squares.
  expect_castling("4k3/8/8/8/8/8/8/2RK4 w C - 0 1", "d1c1", 2, 3);
  // The rook blocked the a1 rook's line to c1: after castling the king stands in check.
  expect_castling("4k3/8/8/8/8/8/8/rRK5 w B - 0 1", "c1b1", 2, 3, false);
  load_fen("4k3/8/8/8/8/8/8/rRK5 w B - 0 1");
  EXPECT_EQ(perft(1), 5u);  // four king steps and the rook taking on a1, no castling
  // A square the king passes is attacked: no castling; one only the rook passes is: castling.
  MoveList list;
  load_fen("4k3/8/8/8/8/8/3r4/1K4R1 w G - 0 1");
  generate_moves(list);
  EXPECT_FALSE(has_castling(list));
  load_fen("2r1k3/8/8/8/8/8/8/R4K2 w A - 0 1");
  generate_moves(list);
  EXPECT_FALSE(has_castling(list));
  load_fen("1r2k3/8/8/8/8/8/8/R4K2 w A - 0 1");
  generate_moves(list);
  EXPECT_TRUE(has_castling(list));
  // A piece on a square only the rook passes forbids it too.
  load_fen("4k3/8/8/8/8/8/8/RN3K2 w A - 0 1");
  generate_moves(list);
  EXPECT_FALSE(has_castling(list));
}

TEST(Chess960Castling, RightsAreLostAsInStandardChess) {
  init_board_tables();
  Chess960Text mode(true);
  const char* fen = "1r2k1r1/8/8/8/8/8/8/RR2K3 w Bk - 0 1";
  const struct {
    const char* moves;
    int rights;
  } CASES[] = {
      {"b1b2", 4},       // White's castling rook moves
      {"a1a2", 6},       // the outer rook, which has no right, moves: nothing lost
      {"e1d1", 4},       // the king moves
      {"b1b8", 4},       // Black's b8 rook has no right to lose; k castles with g8
      {"a1a2 g8g2", 2},  // Black's castling rook leaves g8
      {"a1a2 g8g2 b1b8 e8e7", 0},
  };
  for (const auto& c : CASES) {
    load_fen(fen);
    std::istringstream words(c.moves);
    std::string text;
    while (words >> text) {
      const Move m = parse_uci_move(text);
      ASSERT_FALSE(is_empty_move(m)) << text;
      ASSERT_TRUE(make_move(m)) << text;
    }
    EXPECT_EQ(castle, c.rights) << c.moves;
  }
  // A rook captured on its square takes its right with it.
  load_fen("1r2k1r1/8/8/8/8/8/8/RR2K3 b Bk - 0 1");
  ASSERT_TRUE(make_move(parse_uci_move("b8b1")));
  EXPECT_EQ(castle, 4);
}

TEST(Chess960Notation, MoveTextInBothModes) {
  init_board_tables();
  const char* corners = "rk5r/8/8/8/8/8/8/RK5R w HAha - 0 1";
  {
    Chess960Text mode(true);
    load_fen(corners);
    EXPECT_EQ(parse_uci_move("b1h1").to, 6);
    EXPECT_EQ(parse_uci_move("b1a1").to, 2);
    EXPECT_EQ(parse_uci_move("b1a1").castling, 1);
    EXPECT_EQ(parse_uci_move("b1c1").castling, 0);  // the king's step to c1
    EXPECT_TRUE(is_empty_move(parse_uci_move("b1g1")));  // the standard form is not a move here
    load_fen(KIWIPETE);
    EXPECT_EQ(parse_uci_move("e1h1").castling, 1);
    EXPECT_EQ(move_to_str(parse_uci_move("e1a1")), "e1a1");
    EXPECT_TRUE(is_empty_move(parse_uci_move("e1g1")));
  }
  load_fen(corners);
  EXPECT_EQ(parse_uci_move("b1g1").castling, 1);
  EXPECT_TRUE(is_empty_move(parse_uci_move("b1h1")));
  // Both the king's step and the queen-side castling read b1c1: the step comes first.
  EXPECT_EQ(parse_uci_move("b1c1").castling, 0);
  load_fen(KIWIPETE);
  EXPECT_EQ(move_to_str(parse_uci_move("e1g1")), "e1g1");
  EXPECT_TRUE(is_empty_move(parse_uci_move("e1h1")));
}

// With UCI_Chess960 every move of every suite position reads back as itself, castling
// apart from a king's step between the same two squares.
TEST(Chess960Notation, EveryMoveOfTheSuiteReadsBackAsItself) {
  init_board_tables();
  Chess960Text mode(true);
  std::size_t castlings = 0;
  for (const EpdCase& c : read_perft_suite("perft960.epd")) {
    load_fen(c.fen);
    MoveList list;
    generate_moves(list);
    for (const Move& m : list.moves) {
      const Move read = parse_uci_move(move_to_str(m));
      EXPECT_TRUE(same_move(read, m) && read.castling == m.castling) << c.fen << " " << move_to_str(m);
      castlings += m.castling;
    }
  }
  EXPECT_GT(castlings, 20u);
}

}  // namespace
