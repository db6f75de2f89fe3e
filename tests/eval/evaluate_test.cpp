#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "eval/evaluate.h"
#include "eval/king_safety.h"
#include "style/style_strength.h"
#include "style/trade_drive.h"
#include "eval_fixture.h"

namespace {

constexpr SearchMode ALL_MODES[] = {Balanced,    Deep,       Wide,          KingAttack,       PassedPawn,
                                    PawnStorm,   Provocation, PawnEnding,   MajorPieceEnding, MinorPieceEnding};

// The ending modes measure from d4 and truncate the pawn-mass average, so they
// are not colour-symmetric and are checked by their examples instead.
constexpr SearchMode SYMMETRIC_MODES[] = {Balanced,  Deep,      Wide,       KingAttack,
                                          PassedPawn, PawnStorm, Provocation};

// Turns the board upside down and swaps the colours and the side to move.
void flip_colours() {
  Bitboard old[12];
  std::memcpy(old, bitboards, sizeof old);
  for (int piece = 0; piece < 12; ++piece) bitboards[(piece + 6) % 12] = __builtin_bswap64(old[piece]);
  side ^= 1;
  update_occupancies();
  refresh_psq_sums();
}

std::vector<std::string> suite_fens() {
  std::vector<std::string> fens;
  std::ifstream in(std::string(BRISVANE_TEST_DATA) + "/perft.epd");
  for (std::string line; std::getline(in, line);) {
    auto cut = line.find(';');
    if (cut != std::string::npos) line.resize(cut);
    if (line.find('/') != std::string::npos) fens.push_back(line);
  }
  return fens;
}

}  // namespace

TEST_F(EvalTest, StartPositionIsLevelInEveryMode) {
  for (SearchMode mode : ALL_MODES) {
    set_modes(mode, mode);
    load(START_FEN);
    EXPECT_EQ(evaluate(), 0) << mode_name(mode);
    load("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1");
    EXPECT_EQ(evaluate(), 0) << mode_name(mode);
  }
}

TEST_F(EvalTest, GamePhaseCountsPiecesAndClamps) {
  load(START_FEN);
  EXPECT_EQ(game_phase(), 24);
  load("4k3/8/8/8/4K3/8/8/8 w - - 0 1");
  EXPECT_EQ(game_phase(), 0);
  load("1n2k3/8/8/8/8/8/4P3/4K3 w - - 0 1");
  EXPECT_EQ(game_phase(), 1);
  load("rqqqk3/8/8/8/8/8/8/RQQQK3 w - - 0 1");
  EXPECT_EQ(game_phase(), 24);
}

TEST_F(EvalTest, LoneKingsReadTheEndgameTable) {
  load("8/8/8/4k3/4K3/8/8/8 w - - 0 1");
  EXPECT_EQ(evaluate(), 0);
  // White's corner king is worse than Black's central one.
  load("8/8/8/4k3/8/8/8/K7 w - - 0 1");
  EXPECT_EQ(evaluate(), -90);
  load("8/8/8/4k3/8/8/8/K7 b - - 0 1");
  EXPECT_EQ(evaluate(), 90);
}

TEST_F(EvalTest, BlendTruncatesTowardZero) {
  EXPECT_EQ(taper(-25, -25, 12), -25);
  EXPECT_EQ(taper(-1, 0, 12), 0);
  EXPECT_EQ(taper(1, 0, 12), 0);
  EXPECT_EQ(taper(100, 40, 24), 100);
  EXPECT_EQ(taper(100, 40, 0), 40);
  // mg -200, eg -175, phase 1: -4225 / 24 is -176 toward zero (flooring would give -177).
  load("1n2k3/8/8/8/8/8/4P3/4K3 w - - 0 1");
  EXPECT_EQ(evaluate(), -176);
  load("1n2k3/8/8/8/8/8/4P3/4K3 b - - 0 1");
  EXPECT_EQ(evaluate(), 176);
}

TEST_F(EvalTest, MirroredPawnsCancel) {
  load("4k3/4p3/8/8/8/8/4P3/4K3 w - - 0 1");
  EXPECT_EQ(evaluate(), 0);
}

TEST_F(EvalTest, EachModeAddsItsOwnTerm) {
  // Queen h8 against a bare king, phase 4: mg 950, eg 840. The major ending adds
  // 55 - (-25) to eg, the minor ending -35 - 0; the other modes have nothing to add.
  const char* fen = "7Q/8/8/8/8/8/4k3/K7 w - - 0 1";
  const std::pair<SearchMode, int> expected[] = {
      {Balanced, 858}, {KingAttack, 858}, {PassedPawn, 858},       {PawnStorm, 858},
      {PawnEnding, 858}, {MajorPieceEnding, 925}, {MinorPieceEnding, 829}};
  for (auto [mode, value] : expected) {
    set_modes(mode, mode);
    load(fen);
    EXPECT_EQ(evaluate(), value) << mode_name(mode);
  }
  // King and pawn against king at phase 0: eg 180 plus the pawn-ending score 214.
  set_modes(PawnEnding, PawnEnding);
  load("8/8/P7/8/8/8/8/4K2k w - - 0 1");
  EXPECT_EQ(evaluate(), 394);
  load("8/8/P7/8/8/8/8/4K2k b - - 0 1");
  EXPECT_EQ(evaluate(), -394);
}

TEST_F(EvalTest, StrengthWeighsOnlyTheStyle) {
  auto value = [](SearchMode mode, int strength, const char* fen) {
    set_modes(mode, mode);
    white_style_strength = black_style_strength = strength;
    load(fen);
    return evaluate();
  };
  const char* pressed = "4k3/8/8/5N2/8/8/4Q3/K7 w - - 0 1";
  const int plain = value(Balanced, 100, pressed), attack = value(KingAttack, 100, pressed);
  ASSERT_GT(attack, plain);
  for (int strength : {0, 250, 400}) EXPECT_EQ(value(Balanced, strength, pressed), plain) << strength;
  EXPECT_EQ(value(KingAttack, 0, pressed), plain);
  EXPECT_NEAR(value(KingAttack, 50, pressed) - plain, (attack - plain) / 2, 1);
  // Above 100 the pressure term grows and the checks that could come next count too,
  // 24 cp each per 100 beyond the default, with middlegame weight (phase 5 here).
  load(pressed);
  const int threats = check_threats(WHITE) - check_threats(BLACK);
  ASSERT_GT(threats, 0);
  EXPECT_NEAR(value(KingAttack, 300, pressed) - plain, 3 * (attack - plain) + taper(2 * 24 * threats, 0, 5), 2);
  // PawnStorm's term counts at its default and is gone above it.
  const char* storm = "r5k1/5ppp/8/6PP/8/8/1PP5/1K1R4 w - - 0 1";
  EXPECT_GT(value(PawnStorm, 100, storm), value(Balanced, 100, storm));
  for (int strength : {101, 300}) EXPECT_EQ(value(PawnStorm, strength, storm), value(Balanced, 100, storm)) << strength;

  // The ending styles' terms do not grow above 100: PawnEnding's stays at its default,
  // MajorPieceEnding's (which charges for the side's own minor pieces) and
  // MinorPieceEnding's are dropped. Black steers and is lost in both positions, so it
  // wants no trades.
  steering_side = BLACK;
  const char* ending = "8/8/P7/8/8/8/8/4K2k w - - 0 1";
  EXPECT_EQ(value(PawnEnding, 100, ending), 180 + 214);
  EXPECT_EQ(value(PawnEnding, 50, ending), 180 + 214 / 2);
  EXPECT_EQ(value(PawnEnding, 400, ending), 180 + 214);
  const char* minors = "r3k3/8/8/8/8/8/4P3/R3K1NN b - - 0 1";
  EXPECT_NE(value(MajorPieceEnding, 100, minors), value(Balanced, 100, minors));
  EXPECT_NE(value(MinorPieceEnding, 100, minors), value(Balanced, 100, minors));
  for (int strength : {150, 400}) {
    EXPECT_EQ(value(MajorPieceEnding, strength, minors), value(Balanced, 100, minors)) << strength;
    EXPECT_EQ(value(MinorPieceEnding, strength, minors), value(Balanced, 100, minors)) << strength;
  }
  white_style_strength = black_style_strength = STYLE_STRENGTH_DEFAULT;
  steering_side = WHITE;
}

TEST_F(EvalTest, EndingStylesWantTradesOnlyWhileNotWorse) {
  auto drive = [](SearchMode mode, int strength, const char* fen, int steerer_value) {
    set_modes(mode, mode);
    white_style_strength = black_style_strength = strength;
    steering_side = WHITE;
    load(fen);
    return trade_drive(steerer_value);
  };
  // MajorPieceEnding counts the larger army's 4 knight and bishop phase units, its row's
  // wish for all of them per 100 above the default, and half as much again for the last gone.
  const int wish = style_entry(MajorPieceEnding).trade_drive, whole = wish + wish / 2;
  ASSERT_GT(wish, 0);
  const char* no_minors = "1r2k3/8/8/8/8/8/4P3/1R2K3 b - - 0 1";
  EXPECT_EQ(drive(MajorPieceEnding, 200, no_minors, 0), whole);
  EXPECT_EQ(drive(MajorPieceEnding, 400, no_minors, 0), 3 * whole);
  // Only trades count: a knight given away leaves the larger army where it was.
  EXPECT_EQ(drive(MajorPieceEnding, 200, "1r2k3/8/8/8/8/8/4P3/NR2K3 b - - 0 1", 0), wish * 3 / 4);
  EXPECT_EQ(drive(MajorPieceEnding, 200, "nr2k3/8/8/8/8/8/4P3/1R2K3 b - - 0 1", 0), wish * 3 / 4);
  // With its own kind gone too there is nothing left to want; other styles want nothing.
  EXPECT_EQ(drive(MajorPieceEnding, 400, "4k3/8/8/8/8/8/4P3/4K3 b - - 0 1", 0), 0);
  EXPECT_EQ(drive(KingAttack, 400, no_minors, 0), 0);
  EXPECT_EQ(drive(MajorPieceEnding, 100, no_minors, 0), 0);
  // Whole while level or better, fading to nothing 50 cp below level.
  EXPECT_EQ(drive(MajorPieceEnding, 200, no_minors, 500), whole);
  EXPECT_EQ(drive(MajorPieceEnding, 200, no_minors, -25), whole / 2);
  EXPECT_EQ(drive(MajorPieceEnding, 200, no_minors, -50), 0);
  EXPECT_EQ(drive(MajorPieceEnding, 200, no_minors, -400), 0);

  // In the evaluation: king and pawn against king is 394 for White. PawnEnding's wish
  // (60 cp per 100 for all pieces gone, plus 30) is White's when White steers...
  auto value = [](int steerer, const char* fen) {
    set_modes(PawnEnding, PawnEnding);
    white_style_strength = black_style_strength = 400;
    load(fen);
    steering_side = steerer;
    return evaluate();
  };
  EXPECT_EQ(value(WHITE, "8/8/P7/8/8/8/8/4K2k w - - 0 1"), 394 + 3 * 90);
  EXPECT_EQ(value(WHITE, "8/8/P7/8/8/8/8/4K2k b - - 0 1"), -(394 + 3 * 90));
  // ...and not Black's, for whom this pawn ending is lost.
  EXPECT_EQ(value(BLACK, "8/8/P7/8/8/8/8/4K2k w - - 0 1"), 394);
  EXPECT_EQ(value(BLACK, "8/8/P7/8/8/8/8/4K2k b - - 0 1"), -394);
  white_style_strength = black_style_strength = STYLE_STRENGTH_DEFAULT;
  steering_side = WHITE;
}

TEST_F(EvalTest, KingAttackTermSaturates) {
  EXPECT_EQ(king_safety_bonus(0), 0);
  EXPECT_EQ(king_safety_bonus(11), 22);
  EXPECT_EQ(king_safety_bonus(32), 169);
  EXPECT_EQ(king_safety_bonus(61), 500);
  EXPECT_EQ(king_safety_bonus(63), 500);
  EXPECT_EQ(king_safety_bonus(70), 500);
}

TEST_F(EvalTest, ColourMirrorGivesTheSameValue) {
  auto fens = suite_fens();
  ASSERT_GT(fens.size(), 20u);
  for (SearchMode mode : SYMMETRIC_MODES) {
    set_modes(mode, mode);
    for (const auto& fen : fens) {
      load(fen);
      int original = evaluate();
      flip_colours();
      EXPECT_EQ(evaluate(), original) << mode_name(mode) << " " << fen;
    }
  }
}

TEST_F(EvalTest, ModeTermFollowsTheSideToMove) {
  // Queen and knight press on the Black king (weight 11); nothing presses on White's.
  const std::string board = "4k3/8/8/5N2/8/8/4Q3/K7 ";
  auto value = [&](SearchMode white, SearchMode black, const char* to_move) {
    set_modes(white, black);
    load(board + to_move + " - - 0 1");
    return evaluate();
  };
  int plain_white = value(Balanced, Balanced, "w");
  int attack_white = value(KingAttack, KingAttack, "w");
  ASSERT_GT(attack_white, plain_white);
  EXPECT_EQ(value(KingAttack, Balanced, "w"), attack_white);
  EXPECT_EQ(value(Balanced, KingAttack, "w"), plain_white);

  int plain_black = value(Balanced, Balanced, "b");
  int attack_black = value(KingAttack, KingAttack, "b");
  EXPECT_EQ(plain_black, -plain_white);
  EXPECT_EQ(attack_black, -attack_white);
  EXPECT_EQ(value(KingAttack, Balanced, "b"), plain_black);
  EXPECT_EQ(value(Balanced, KingAttack, "b"), attack_black);
}
