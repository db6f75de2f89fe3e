// When a gauntlet game ends, on crafted positions.

#include "games/adjudication.h"

#include <gtest/gtest.h>

#include "board/position.h"
#include "search/startup.h"

namespace {

GameEnd ending(const std::string& fen, int halfmove_clock = 0, int plies = 0, int max_plies = 400) {
  init_tables();
  load_fen(fen);
  GameProgress progress;
  progress.keys = {zobrist_key};
  progress.halfmove_clock = halfmove_clock;
  progress.plies = plies;
  progress.max_plies = max_plies;
  return adjudicate(progress);
}

TEST(Adjudication, MateAndStalemate) {
  EXPECT_EQ(ending("R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1"), GameEnd::Checkmate);
  EXPECT_EQ(ending("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1"), GameEnd::Stalemate);
  // In check with a way out is no ending.
  EXPECT_EQ(ending("R5k1/5pp1/8/8/8/8/8/6K1 b - - 0 1"), GameEnd::None);
  // Mate given on the hundredth quiet ply still wins, and outranks the length cap.
  EXPECT_EQ(ending("R5k1/5ppp/8/8/8/8/8/6K1 b - - 100 80", 100, 400, 400), GameEnd::Checkmate);
  EXPECT_STREQ(game_result(GameEnd::Checkmate, BLACK), "1-0");
  EXPECT_STREQ(game_result(GameEnd::Checkmate, WHITE), "0-1");
  EXPECT_STREQ(game_result(GameEnd::Stalemate, WHITE), "1/2-1/2");
}

TEST(Adjudication, DeadPositions) {
  EXPECT_EQ(ending("8/8/4k3/8/8/3K4/8/8 w - - 0 1"), GameEnd::DeadPosition);
  EXPECT_EQ(ending("8/8/4k3/8/8/3K4/5N2/8 b - - 0 1"), GameEnd::DeadPosition);
  // Bishops on squares of one colour cannot mate; on opposite colours they can.
  EXPECT_EQ(ending("8/8/4k3/2b5/8/3K4/5B2/8 w - - 0 1"), GameEnd::DeadPosition);
  EXPECT_EQ(ending("8/8/4k3/3b4/8/3K4/5B2/8 w - - 0 1"), GameEnd::None);
  EXPECT_EQ(ending("8/8/4k3/8/8/3K4/5P2/8 w - - 0 1"), GameEnd::None);
}

TEST(Adjudication, RepetitionFiftyMovesAndLengthCap) {
  const std::string fen = "8/8/4k3/8/8/3K4/5R2/8 w - - 0 1";
  EXPECT_EQ(ending(fen, 99), GameEnd::None);
  EXPECT_EQ(ending(fen, 100), GameEnd::FiftyMoves);
  EXPECT_EQ(ending(fen, 0, 399, 400), GameEnd::None);
  EXPECT_EQ(ending(fen, 0, 400, 400), GameEnd::LengthCap);
  EXPECT_STREQ(game_result(GameEnd::LengthCap, WHITE), "1/2-1/2");

  // The third occurrence of the position, not the second, ends the game.
  GameProgress progress;
  load_fen(fen);
  const std::uint64_t here = zobrist_key;
  progress.keys = {here, 1, 2, 3, here};
  EXPECT_EQ(adjudicate(progress), GameEnd::None);
  progress.keys = {here, 1, here, 3, 4, here};
  EXPECT_EQ(adjudicate(progress), GameEnd::Repetition);
  EXPECT_STREQ(game_end_name(GameEnd::Repetition), "threefold repetition");
}

}  // namespace
