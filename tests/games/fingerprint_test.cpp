// The fingerprint counts on short crafted games whose figures are known by hand,
// and their summary with intervals.

#include "games/fingerprint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "board/notation.h"
#include "board/position.h"
#include "games/fingerprint_summary.h"
#include "search/startup.h"

namespace {

struct Ply {
  const char* uci;
  int score = 0;
  bool pick = false;
  int depth = 0;
  bool book = false;
};

// The game as PlayedMove records, each move read in the position it is played in.
std::vector<PlayedMove> game(const std::string& fen, const std::vector<Ply>& plies) {
  init_tables();
  load_fen(fen);
  std::vector<PlayedMove> played;
  for (const Ply& ply : plies) {
    PlayedMove move;
    move.move = parse_uci_move(ply.uci);
    EXPECT_FALSE(is_empty_move(move.move)) << ply.uci;
    move.score = ply.score;
    move.tactical_pick = ply.pick;
    move.depth = ply.depth;
    move.book = ply.book;
    make_move(move.move);
    played.push_back(move);
  }
  return played;
}

TEST(Fingerprint, ChecksCapturesPressureAndPicks) {
  const std::string fen = "4k3/8/8/3p4/8/8/8/3QK3 w - - 0 1";
  // Qxd5 hits d7 in the king's zone; after Ke7, Qe5+ hits e6: a queen alone weighs 5 each time.
  const auto plies = game(fen, {{"d1d5", 0, true}, {"e8e7", 0, true}, {"d5e5"}});
  const GameStats white = measure_game(fen, plies, WHITE, 1.0);
  EXPECT_EQ(white.score, 1.0);
  EXPECT_EQ(white.plies, 3);
  EXPECT_EQ(white.moves, 2);
  EXPECT_EQ(white.captures, 1);
  EXPECT_EQ(white.checks, 1);
  EXPECT_EQ(white.pressure, 10);
  EXPECT_EQ(white.tactical_picks, 1);
  EXPECT_EQ(white.baits, 0);
  EXPECT_TRUE(white.major_ending);
  EXPECT_FALSE(white.pawn_ending);
  EXPECT_FALSE(white.minor_ending);

  // The same game seen from Black: one quiet king move, its own pick, no pressure.
  const GameStats black = measure_game(fen, plies, BLACK, 0.0);
  EXPECT_EQ(black.moves, 1);
  EXPECT_EQ(black.captures, 0);
  EXPECT_EQ(black.checks, 0);
  EXPECT_EQ(black.pressure, 0);
  EXPECT_EQ(black.tactical_picks, 1);
}

TEST(Fingerprint, BaitAndSacrifice) {
  // Re3 offers the rook to the d4 pawn; White stays two or more pawns down from the
  // capture on, with its score at -30, so the fourth such ply counts one sacrifice.
  const std::string fen = "4k3/pp6/8/8/3p4/7R/8/4K3 w - - 0 1";
  const std::vector<Ply> line = {{"h3e3", 0}, {"d4e3"}, {"e1e2", -30}, {"a7a6"}, {"e2e3", -30}, {"b7b6"}};
  const GameStats white = measure_game(fen, game(fen, line), WHITE, 0.5);
  EXPECT_EQ(white.baits, 1);
  EXPECT_EQ(white.sacrifices, 1);
  EXPECT_TRUE(white.pawn_ending);
  EXPECT_TRUE(white.major_ending);

  // A search that sees the deficit as lost makes it no sacrifice.
  const std::vector<Ply> lost = {{"h3e3", 0}, {"d4e3"}, {"e1e2", -60}, {"a7a6"}, {"e2e3", -60}, {"b7b6"}};
  EXPECT_EQ(measure_game(fen, game(fen, lost), WHITE, 0.5).sacrifices, 0);
  // Three plies down is too short a spell.
  const std::vector<Ply> short_spell = {{"h3e3", 0}, {"d4e3"}, {"e1e2", -30}, {"a7a6"}};
  EXPECT_EQ(measure_game(fen, game(fen, short_spell), WHITE, 0.5).sacrifices, 0);
}

TEST(Fingerprint, ExchangesAreNotBait) {
  // Bxc6 takes a knight and may be taken back by a pawn: an even trade, not bait.
  const std::string trade = "4k3/1p6/2n5/8/4B3/8/8/4K3 w - - 0 1";
  EXPECT_EQ(measure_game(trade, game(trade, {{"e4c6"}}), WHITE, 0.5).baits, 0);
  // A quiet move into the pawn's reach is bait; one out of it is not.
  const std::string quiet = "4k3/1p6/8/8/8/8/8/4KB2 w - - 0 1";
  EXPECT_EQ(measure_game(quiet, game(quiet, {{"f1a6"}}), WHITE, 0.5).baits, 1);
  EXPECT_EQ(measure_game(quiet, game(quiet, {{"f1c4"}}), WHITE, 0.5).baits, 0);
}

TEST(Fingerprint, WingPawnsAndPassers) {
  // g4 goes to the wing of the king on g8; a7 is a passer reaching the seventh; once
  // the king stands on e8 there is no wing, so g5 does not count.
  const std::string fen = "6k1/8/P7/8/8/8/6P1/4K3 w - - 0 1";
  const auto plies = game(fen, {{"g2g4"}, {"g8f8"}, {"a6a7"}, {"f8e8"}, {"g4g5"}, {"e8d7"}, {"a7a8q"}});
  const GameStats white = measure_game(fen, plies, WHITE, 1.0);
  EXPECT_EQ(white.wing_pawn_moves, 1);
  EXPECT_EQ(white.passers_advanced, 1);
  EXPECT_TRUE(white.pawn_ending);
  EXPECT_TRUE(white.major_ending);

  // A pawn on the sixth that an enemy pawn still faces is not a passer.
  const std::string blocked = "6k1/1p6/8/P7/8/8/8/4K3 w - - 0 1";
  EXPECT_EQ(measure_game(blocked, game(blocked, {{"a5a6"}}), WHITE, 0.5).passers_advanced, 0);
}

TEST(Fingerprint, MinorPieceEnding) {
  const std::string fen = "4k3/8/3n4/8/8/8/3PR3/4K3 w - - 0 1";
  const GameStats white = measure_game(fen, game(fen, {{"e2e6"}, {"e8d7"}, {"e6d6"}, {"d7d6"}}), WHITE, 0.5);
  EXPECT_FALSE(white.minor_ending);
  EXPECT_TRUE(white.pawn_ending);
  const std::string minors = "4k3/8/3n4/8/8/8/3PB3/4K3 w - - 0 1";
  EXPECT_TRUE(measure_game(minors, {}, WHITE, 0.5).minor_ending);
}

TEST(Fingerprint, DepthAndStandingAhead) {
  // White's searches completed depths 9 and 7; Black's 12 does not count for White.
  // Scores of +150 on three of White's moves in a row make it stand ahead; the spell
  // is broken by a lower score in the second game.
  const std::string fen = "4k3/8/8/8/8/8/8/R3K3 w - - 0 1";
  const std::vector<Ply> line = {{"a1a2", 150, false, 9}, {"e8d8", -150, false, 12}, {"a2a3", 400, false, 7},
                                 {"d8e8", 0},            {"a3a4", 150, false, 0}};
  const GameStats ahead = measure_game(fen, game(fen, line), WHITE, 0.5);
  EXPECT_EQ(ahead.depth_sum, 16);
  EXPECT_EQ(ahead.moves, 3);
  EXPECT_TRUE(ahead.stood_ahead);
  EXPECT_EQ(measure_game(fen, game(fen, line), BLACK, 0.5).depth_sum, 12);
  std::vector<Ply> broken = line;
  broken[2].score = 149;
  EXPECT_FALSE(measure_game(fen, game(fen, broken), WHITE, 0.5).stood_ahead);
}

TEST(Fingerprint, BookMovesCountInTheGameButNotPerMove) {
  // Qxd5 from the book, then the searched Qe5+: the capture, its pressure and its depth
  // are the book's; the check, its pressure and depth 7 are the style's.
  const std::string queen = "4k3/8/8/3p4/8/8/8/3QK3 w - - 0 1";
  const auto plies = game(queen, {{"d1d5", 0, false, 0, true}, {"e8e7", 0, false, 5}, {"d5e5", 20, false, 7}});
  const GameStats white = measure_game(queen, plies, WHITE, 1.0);
  EXPECT_EQ(white.plies, 3);
  EXPECT_EQ(white.book_moves, 1);
  EXPECT_EQ(white.moves, 1);
  EXPECT_EQ(white.captures, 0);
  EXPECT_EQ(white.checks, 1);
  EXPECT_EQ(white.pressure, 5);
  EXPECT_EQ(white.depth_sum, 7);
  EXPECT_TRUE(white.major_ending);
  // Black's searched move is its own; White's book move is not Black's.
  const GameStats black = measure_game(queen, plies, BLACK, 0.0);
  EXPECT_EQ(black.book_moves, 0);
  EXPECT_EQ(black.moves, 1);
  EXPECT_EQ(black.depth_sum, 5);

  // The bait and sacrifice line of above played from the book: no bait of the style's,
  // and no search of its own to see the deficit as sound.
  const std::string rook = "4k3/pp6/8/8/3p4/7R/8/4K3 w - - 0 1";
  const std::vector<Ply> line = {{"h3e3", 0, false, 0, true}, {"d4e3"}, {"e1e2", 0, false, 0, true},
                                 {"a7a6"},                    {"e2e3", 0, false, 0, true}, {"b7b6"}};
  const GameStats booked = measure_game(rook, game(rook, line), WHITE, 0.5);
  EXPECT_EQ(booked.book_moves, 3);
  EXPECT_EQ(booked.moves, 0);
  EXPECT_EQ(booked.baits, 0);
  EXPECT_EQ(booked.sacrifices, 0);

  // What the game reached counts whoever chose the move: g4 onto the king's wing, a7.
  const std::string pawns = "6k1/8/P7/8/8/8/6P1/4K3 w - - 0 1";
  const GameStats pushed = measure_game(
      pawns, game(pawns, {{"g2g4", 0, false, 0, true}, {"g8f8"}, {"a6a7", 0, false, 0, true}}), WHITE, 0.5);
  EXPECT_EQ(pushed.wing_pawn_moves, 1);
  EXPECT_EQ(pushed.passers_advanced, 1);
  EXPECT_EQ(pushed.moves, 0);
}

TEST(FingerprintSummary, DepthAndTheAggressionShares) {
  // Three wins (one short with a sacrifice, one long with one, one long without),
  // two draws (one after standing ahead), a loss that stood ahead and counts nowhere.
  GameStats short_sac, long_sac, long_plain, draw_ahead, draw, loss_ahead;
  for (GameStats* g : {&short_sac, &long_sac, &long_plain}) g->score = 1;
  for (GameStats* g : {&draw_ahead, &draw}) g->score = 0.5;
  short_sac.plies = SHORT_WIN_PLIES;
  long_sac.plies = long_plain.plies = SHORT_WIN_PLIES + 1;
  short_sac.sacrifices = 1;
  long_sac.sacrifices = 2;
  draw_ahead.stood_ahead = loss_ahead.stood_ahead = true;
  for (GameStats* g : {&short_sac, &long_sac, &long_plain, &draw_ahead, &draw, &loss_ahead}) {
    g->moves = 10;
    g->depth_sum = 80;
  }
  long_plain.depth_sum = 110;
  const Fingerprint print = summarise({short_sac, long_sac, long_plain, draw_ahead, draw, loss_ahead});
  EXPECT_NEAR(print.figures[SearchDepth].value, 8.5, 1e-9);
  EXPECT_GT(print.figures[SearchDepth].high, 8.5);
  EXPECT_NEAR(print.figures[SacrificeWins].value, 200.0 / 3, 1e-9);
  EXPECT_NEAR(print.figures[ShortWins].value, 100.0 / 3, 1e-9);
  EXPECT_DOUBLE_EQ(print.figures[DrawsAhead].value, 50);
  EXPECT_LE(print.figures[SacrificeWins].high, 100);
  // No win, no share of wins: nothing to report, rather than a share of 0%.
  const Fingerprint drawn = summarise({draw, draw_ahead});
  EXPECT_TRUE(std::isnan(drawn.figures[ShortWins].value));
  EXPECT_DOUBLE_EQ(drawn.figures[DrawsAhead].value, 50);
}

TEST(FingerprintSummary, RatiosWithIntervals) {
  GameStats win, loss;
  win.score = 1;
  win.plies = 10;
  win.moves = 5;
  win.checks = 1;
  loss.score = 0;
  loss.plies = 20;
  loss.moves = 10;
  loss.checks = 3;
  loss.pawn_ending = true;
  const Fingerprint print = summarise({win, loss});
  EXPECT_EQ(print.games, 2);
  // Per-game scores 100 and 0: 50 +-98, cut to the possible 0..100.
  const Estimate& score = print.figures[ScorePercent];
  EXPECT_DOUBLE_EQ(score.value, 50);
  EXPECT_DOUBLE_EQ(score.low, 0);
  EXPECT_DOUBLE_EQ(score.high, 100);
  EXPECT_NEAR(print.figures[EloDifference].value, 0, 1e-9);
  // A win and three draws: 62.5, standard deviation 25, standard error 12.5, half-width 1.96 x 12.5.
  GameStats draw;
  draw.score = 0.5;
  const Estimate four = summarise({win, draw, draw, draw}).figures[ScorePercent];
  EXPECT_DOUBLE_EQ(four.value, 62.5);
  EXPECT_NEAR(four.high - four.value, 24.5, 0.01);
  EXPECT_NEAR(four.value - four.low, 24.5, 0.01);
  EXPECT_DOUBLE_EQ(print.figures[GamePlies].value, 15);
  // Four checks in fifteen moves; residuals -33.3 and +33.3 over a mean of 7.5 moves.
  const Estimate& checks = print.figures[ChecksPer100];
  EXPECT_NEAR(checks.value, 26.667, 0.001);
  EXPECT_NEAR(checks.high - checks.value, 1.959964 * 33.333 / 7.5, 0.01);
  // One game in two: 50% +-98, cut to the possible 0..100.
  EXPECT_DOUBLE_EQ(print.figures[PawnEndings].value, 50);
  EXPECT_DOUBLE_EQ(print.figures[PawnEndings].low, 0);
  EXPECT_DOUBLE_EQ(print.figures[PawnEndings].high, 100);

  EXPECT_NEAR(elo_from_score(0.75), 190.85, 0.01);
  EXPECT_NEAR(elo_from_score(0.25), -190.85, 0.01);
  EXPECT_NEAR(elo_from_score(1.0), 1199.8, 0.1);
  // One game has no spread to measure.
  const Fingerprint single = summarise({win});
  EXPECT_DOUBLE_EQ(single.figures[ScorePercent].low, 100);
}

}  // namespace
