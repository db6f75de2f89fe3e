#include <gtest/gtest.h>

#include <algorithm>

#include "board/attacks.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "board/position.h"
#include "board_test_env.h"

namespace {

using Texts = std::vector<std::string>;

Texts generated(const char* fen) {
  load_fen(fen);
  MoveList list;
  generate_moves(list);
  return move_texts(list);
}

TEST(MoveGen, StartPositionOrder) {
  init_board_tables();
  EXPECT_EQ(generated("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"),
            (Texts{"a2a3", "a2a4", "b2b3", "b2b4", "c2c3", "c2c4", "d2d3", "d2d4", "e2e3", "e2e4",
                   "f2f3", "f2f4", "g2g3", "g2g4", "h2h3", "h2h4", "b1a3", "b1c3", "g1f3", "g1h3"}));
}

TEST(MoveGen, KiwipeteOrder) {
  init_board_tables();
  EXPECT_EQ(generated(KIWIPETE),
            (Texts{"a2a3", "a2a4", "b2b3", "g2g3", "g2g4", "g2h3", "d5d6", "d5e6", "c3b1", "c3d1", "c3a4", "c3b5",
                   "e5d3", "e5c4", "e5g4", "e5c6", "e5g6", "e5d7", "e5f7", "d2c1", "d2e3", "d2f4", "d2g5", "d2h6",
                   "e2d1", "e2f1", "e2d3", "e2c4", "e2b5", "e2a6", "a1b1", "a1c1", "a1d1", "h1f1", "h1g1", "f3d3",
                   "f3e3", "f3g3", "f3h3", "f3f4", "f3g4", "f3f5", "f3h5", "f3f6", "e1d1", "e1f1", "e1g1", "e1c1"}));
  MoveList list;
  generate_moves(list);
  EXPECT_EQ(list.moves[6].capture, 0);  // d5d6
  EXPECT_EQ(list.moves[7].capture, 1);  // d5e6
  EXPECT_EQ(list.moves[46].castling, 1);
  EXPECT_EQ(list.moves[47].castling, 1);
}

TEST(MoveGen, PromotionsPushBeforeCapturesLowTargetFirst) {
  init_board_tables();
  EXPECT_EQ(generated("2n1n3/3P4/8/8/8/8/8/k6K w - - 0 1"),
            (Texts{"d7d8q", "d7d8r", "d7d8b", "d7d8n", "d7c8q", "d7c8r", "d7c8b", "d7c8n", "d7e8q", "d7e8r",
                   "d7e8b", "d7e8n", "h1g1", "h1g2", "h1h2"}));
  load_fen("k6K/8/8/8/8/8/3p4/2N1N3 b - - 0 1");
  MoveList list;
  generate_moves(list);
  ASSERT_GE(list.moves.size(), 12u);
  EXPECT_EQ(list.moves[0].promoted, q);
  EXPECT_EQ(list.moves[3].promoted, n);
  EXPECT_EQ(list.moves[4].to, 2);
  EXPECT_EQ(list.moves[4].capture, 1);
  EXPECT_EQ(list.moves[11].to, 4);
}

TEST(MoveGen, BlockedPawnPushes) {
  init_board_tables();
  Texts only_single = generated("4k3/8/8/8/4n3/8/4P3/4K3 w - - 0 1");
  EXPECT_EQ(only_single[0], "e2e3");
  EXPECT_NE(only_single[1], "e2e4");
  Texts none = generated("4k3/8/8/8/8/4n3/4P3/4K3 w - - 0 1");
  EXPECT_NE(none[0].substr(0, 2), "e2");
}

TEST(MoveGen, EnPassantAfterOrdinaryCaptures) {
  init_board_tables();
  Texts texts = generated("4k3/8/2n5/3Pp3/8/8/8/4K3 w - e6 0 1");
  EXPECT_EQ(Texts(texts.begin(), texts.begin() + 4), (Texts{"d5d6", "d5c6", "d5e6", "e1d1"}));
  load_fen("4k3/8/2n5/3Pp3/8/8/8/4K3 w - e6 0 1");
  MoveList list;
  generate_moves(list);
  EXPECT_EQ(list.moves[2].en_passant, 1);
  EXPECT_EQ(list.moves[2].capture, 1);
  // Two pawns beside the pushed pawn get one en-passant capture each.
  Texts both = generated("4k3/8/8/3PpP2/8/8/8/4K3 w - e6 0 1");
  EXPECT_EQ(std::count(both.begin(), both.end(), "d5e6"), 1);
  EXPECT_EQ(std::count(both.begin(), both.end(), "f5e6"), 1);
}

TEST(MoveGen, OccupiedEnPassantSquareGivesNoEnPassantCapture) {
  init_board_tables();
  // Only a FEN can name an occupied en-passant square (own or enemy piece on it). Every
  // move must still leave each square in at most one piece set.
  for (const char* fen : {"4k3/3ppp2/4p3/8/8/8/8/4K3 b - e6 0 1", "4k3/4p3/3P1P2/8/8/8/8/4K3 w - e7 0 1",
                          "4k3/8/4n3/3P4/8/8/8/4K3 w - e6 0 1"}) {
    load_fen(fen);
    MoveList list;
    generate_moves(list);
    for (const Move& m : list.moves) {
      EXPECT_EQ(m.en_passant, 0) << fen << " " << move_to_str(m);
      SavedPosition saved = save_position();
      make_move(m);
      Bitboard seen = 0;
      for (Bitboard set : bitboards) {
        EXPECT_EQ(seen & set, 0u) << fen << " " << move_to_str(m);
        seen |= set;
      }
      restore_position(saved);
    }
  }
  // The ordinary capture onto an enemy piece standing there is still listed.
  Texts texts = generated("4k3/8/4n3/3P4/8/8/8/4K3 w - e6 0 1");
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "d5e6"), 1);
}

TEST(MoveGen, CastlingRules) {
  init_board_tables();
  // b1 attacked does not stop queen-side castling; c1 attacked does.
  Texts texts = generated("1r2k3/8/8/8/8/8/8/R3K2R w KQ - 0 1");
  EXPECT_EQ(texts[texts.size() - 2], "e1g1");
  EXPECT_EQ(texts.back(), "e1c1");
  texts = generated("2r1k3/8/8/8/8/8/8/R3K2R w KQ - 0 1");
  EXPECT_EQ(texts.back(), "e1g1");
  // No castling out of check.
  texts = generated("4r1k1/8/8/8/8/8/8/R3K2R w KQ - 0 1");
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "e1g1") + std::count(texts.begin(), texts.end(), "e1c1"), 0);
  // Pieces between king and rook forbid it.
  texts = generated("4k3/8/8/8/8/8/8/RN2K1NR w KQ - 0 1");
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "e1g1") + std::count(texts.begin(), texts.end(), "e1c1"), 0);
}

TEST(MoveGen, PinnedPiecesAndKingStepsIntoCheckAreListed) {
  init_board_tables();
  Texts texts = generated("4k3/4r3/8/8/8/8/8/3K4 w - - 0 1");
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "d1e1"), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "d1e2"), 1);
  load_fen("4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1");
  MoveList list;
  generate_moves(list);
  EXPECT_EQ(list.moves[0].piece, B);  // bishop moves despite the pin
}

// The capture generator is the full list with every non-capture dropped, order kept,
// in every suite position and every position one move later (two kings, odd rights and
// en-passant squares from FEN included). So is the generator of captures and chosen
// quiet moves, with the quiet moves its targets keep.
TEST(MoveGen, CapturesAreTheFullListFilteredInOrder) {
  init_board_tables();
  auto compare = [](const std::string& where) {
    MoveList all, captures, filtered;
    generate_moves(all);
    generate_captures(captures);
    Texts expected, expected_filtered;
    for (const Move& m : all.moves)
      if (m.capture) expected.push_back(move_to_str(m));
    EXPECT_EQ(move_texts(captures), expected) << where;
    for (const Move& m : captures.moves) EXPECT_EQ(m.capture, 1) << where;

    // Quiet moves kept by a scattered set of targets per piece type and origins.
    QuietTargets keep;
    for (int type = P; type <= K; ++type) keep.by_type[type] = 0x8142241818244281ULL >> type;
    keep.any_from = 0x00000000FF000000ULL;
    generate_captures_and_quiets(filtered, keep);
    for (const Move& m : all.moves) {
      const bool kept = m.capture || m.castling || m.promoted != NO_PIECE ||
                        (keep.any_from & square_bb(m.from)) || (keep.by_type[m.piece % 6] & square_bb(m.to));
      if (kept) expected_filtered.push_back(move_to_str(m));
    }
    EXPECT_EQ(move_texts(filtered), expected_filtered) << where;
    return expected.size() + expected_filtered.size();
  };
  std::size_t seen = 0;
  std::vector<std::string> fens = {"4k3/8/8/8/8/8/8/K6K w - - 0 1", "4k3/8/4n3/3P4/8/8/8/4K3 w - e6 0 1",
                                   "4k3/8/8/3Pp3/8/8/8/4K3 w - e6 0 1"};
  for (const EpdCase& c : read_perft_suite()) fens.push_back(c.fen);
  for (const std::string& fen : fens) {
    load_fen(fen);
    seen += compare(fen);
    MoveList list;
    generate_moves(list);
    const SavedPosition saved = save_position();
    for (const Move& m : list.moves) {
      make_move(m);
      seen += compare(fen + " " + move_to_str(m));
      restore_position(saved);
    }
  }
  EXPECT_GT(seen, 1000u);
}

// Fourteen queens: more room reserved than a list keeps in place (the generator reserves
// for the most every piece could reach), and still every move listed once.
TEST(MoveGen, ManyQueensStillListEveryMove) {
  init_board_tables();
  load_fen("1Q5Q/Q4Q2/2Q2Q2/k3Q3/6QQ/Q2QQ3/3Q3K/4Q3 w - - 0 1");
  MoveList list;
  generate_moves(list);
  std::size_t expected = popcount(king_attacks[lsb(bitboards[K])] & ~occupancies[WHITE]);
  for (Bitboard queens = bitboards[Q]; queens;)
    expected += popcount(queen_attacks(pop_lsb(queens), occupancies[2]) & ~occupancies[WHITE]);
  ASSERT_EQ(popcount(bitboards[Q]), 14);
  EXPECT_EQ(list.moves.size(), expected);
  Texts texts = move_texts(list);
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(std::unique(texts.begin(), texts.end()), texts.end());
  MoveList captures;
  generate_captures(captures);
  const auto is_capture = [](const Move& m) { return m.capture == 1; };
  EXPECT_EQ(captures.moves.size(),
            static_cast<std::size_t>(std::count_if(list.moves.begin(), list.moves.end(), is_capture)));
  EXPECT_GT(captures.moves.size(), 0u);
}

}  // namespace
