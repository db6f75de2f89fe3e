#include <gtest/gtest.h>

#include "board/notation.h"
#include "board/position.h"
#include "games/pgn.h"
#include "search/startup.h"

namespace {

std::string uci_moves(const PgnGame& game) {
  std::string text;
  for (const Move& m : game.moves) text += (text.empty() ? "" : " ") + move_to_str(m);
  return text;
}

TEST(PgnReader, TagsMovesAndWhatIsSkipped) {
  init_tables();
  const std::vector<PgnReadGame> games = read_pgn_games(
      "% an escaped line\n"
      "[Event \"Club \\\"open\\\"\"]\n[White \"Ann\"]\n[Black \"Bo\"]\n[Round \"3\"]\n[Result \"0-1\"]\n[ECO \"C60\"]\n\n"
      "1. e4 {best by test} e5 2.Nf3 Nc6 ; a rest-of-line comment\n"
      "3. Bb5 (3. Bc4 Bc5 (3... Nf6)) 3... a6! $2 4. Ba4 Nf6 5. O-O 0-1\n"
      "[FEN \"4k3/P7/8/8/8/8/8/4K3 w - - 0 60\"]\n\n60. a8=Q+ Kd7 *\n"
      "e4 } c5 ]");
  ASSERT_EQ(games.size(), 3u);
  const PgnGame& first = games[0].game;
  EXPECT_EQ(games[0].error, "");
  EXPECT_EQ(first.event, "Club \"open\"");
  EXPECT_EQ(first.white, "Ann");
  EXPECT_EQ(first.round, "3");
  EXPECT_EQ(first.result, "0-1");
  ASSERT_EQ(first.extra_tags.size(), 1u);
  EXPECT_EQ(first.extra_tags[0].second, "C60");
  EXPECT_EQ(uci_moves(first), "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6 e1g1");
  EXPECT_EQ(uci_moves(games[1].game), "a7a8q e8d7");
  EXPECT_EQ(games[1].game.fen, "4k3/P7/8/8/8/8/8/4K3 w - - 0 60");
  // A game without tags or result still counts.
  EXPECT_EQ(uci_moves(games[2].game), "e2e4 c7c5");
}

TEST(PgnReader, AFaultEndsOnlyItsGame) {
  init_tables();
  const std::vector<PgnReadGame> games = read_pgn_games(
      "[White \"A\"]\n[Black \"B\"]\n\n1. d4 d5 2. Nf3 Nf3 3. e4 1-0\n\n"
      "[White \"C\"]\n[Black \"D\"]\n[FEN \"8/8/8/8/8/8/8/8 w - - 0 1\"]\n\n1. Kd2 *\n\n"
      "[White \"E\"]\n\n1. c4 e5 *\n");
  ASSERT_EQ(games.size(), 3u);
  EXPECT_EQ(uci_moves(games[0].game), "d2d4 d7d5 g1f3");
  EXPECT_EQ(games[0].error, "game 1 (A - B, round ?): Black's move 'Nf3' at ply 4 is not legal");
  EXPECT_NE(games[1].error.find("game 2 (C - D"), std::string::npos) << games[1].error;
  EXPECT_NE(games[1].error.find("no playable position"), std::string::npos) << games[1].error;
  EXPECT_EQ(games[2].error, "");
  EXPECT_EQ(uci_moves(games[2].game), "c2c4 e7e5");
}

// What the writer writes, the reader reads back.
TEST(PgnReader, ReadsWhatTheWriterWrites) {
  init_tables();
  PgnGame game;
  game.fen = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
  game.white = "W";
  game.result = "1/2-1/2";
  load_fen(game.fen);
  for (const char* text : {"e1c1", "e8g8", "d1d8", "f8d8"}) {
    const Move m = parse_uci_move(text);
    ASSERT_FALSE(is_empty_move(m)) << text;
    game.moves.push_back(m);
    make_move(m);
  }
  game.extra_tags = start_position_tags(game.fen);
  const std::vector<PgnReadGame> read = read_pgn_games(pgn_text(game) + pgn_text(game));
  ASSERT_EQ(read.size(), 2u);
  for (const PgnReadGame& one : read) {
    EXPECT_EQ(one.error, "");
    EXPECT_EQ(uci_moves(one.game), "e1c1 e8g8 d1d8 f8d8");
    EXPECT_EQ(one.game.result, "1/2-1/2");
  }
}

}  // namespace
