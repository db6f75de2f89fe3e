// Playing levels: the level table, the choice among close root moves, and the
// limited search that uses both.

#include "search/strength.h"

#include <random>
#include <string>
#include <vector>

#include "search/search.h"
#include "search_fixture.h"

namespace {

TEST(StrengthLevels, ClampedMonotoneAndFullTechniqueAgainstALoneKing) {
  const StrengthLevel lowest = strength_level(STRENGTH_MIN_ELO), highest = strength_level(STRENGTH_MAX_ELO);
  EXPECT_EQ(strength_level(-5000).nodes, lowest.nodes);
  EXPECT_EQ(strength_level(-5000).margin_cp, lowest.margin_cp);
  EXPECT_EQ(strength_level(100000).nodes, highest.nodes);
  EXPECT_EQ(strength_level(100000).margin_cp, highest.margin_cp);
  EXPECT_GT(highest.nodes, 4 * lowest.nodes);
  StrengthLevel previous = lowest;
  for (int elo = STRENGTH_MIN_ELO + 10; elo <= STRENGTH_MAX_ELO; elo += 10) {
    const StrengthLevel level = strength_level(elo);
    EXPECT_GE(level.nodes, previous.nodes) << elo;
    EXPECT_LE(level.margin_cp, previous.margin_cp) << elo;
    EXPECT_GE(level.margin_cp, 0) << elo;
    previous = level;
  }
  const StrengthLevel mating = playing_level(STRENGTH_MIN_ELO, true);
  EXPECT_EQ(mating.margin_cp, 0);
  EXPECT_GE(mating.nodes, LONE_KING_NODES);
  EXPECT_EQ(playing_level(STRENGTH_MIN_ELO, false).margin_cp, lowest.margin_cp);
}

TEST(StrengthChoice, OnlyLinesWithinTheMarginAndTheBetterOnesMoreOften) {
  // Shortfalls 0, 20, 59, 61 and 420 with a margin of 60: the last two are never played.
  const std::vector<int> scores = {120, 100, 61, 59, -300};
  std::mt19937_64 random(11);
  int counts[5] = {};
  for (int i = 0; i < 20000; ++i) ++counts[choose_line(scores, 60, random())];
  EXPECT_EQ(counts[3], 0);
  EXPECT_EQ(counts[4], 0);
  EXPECT_GT(counts[0], counts[1]);
  EXPECT_GT(counts[1], counts[2]);
  EXPECT_GT(counts[2], 0);

  for (std::uint64_t draw : {0ull, 1ull, 12345ull, ~0ull}) {
    EXPECT_EQ(choose_line(scores, 0, draw), 0);                                         // no margin
    EXPECT_EQ(choose_line(std::vector<int>{MATE_VALUE - 5, MATE_VALUE - 7}, 50, draw), 0);  // a mate stays
    EXPECT_EQ(choose_line(std::vector<int>{35}, 50, draw), 0);
  }
  // Equal scores are equally likely.
  int first = 0;
  for (int i = 0; i < 2000; ++i) first += choose_line(std::vector<int>{10, 10}, 30, random()) == 0;
  EXPECT_GT(first, 800);
  EXPECT_LT(first, 1200);
}

class LimitedSearch : public SearchTest {
 protected:
  void TearDown() override {
    seed_strength_random(0);
    SearchTest::TearDown();
  }
};

// The moves and node counts of one limited search in each of a few positions, each
// from a cleared table.
struct LimitedRun {
  std::vector<std::string> moves;
  std::vector<std::int64_t> nodes;
};

LimitedRun run_level(int elo) {
  static const char* const FENS[] = {
      "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3",
      "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
      "2r3k1/pp3ppp/4p3/3p4/3P4/2P2N2/PP3PPP/4R1K1 b - - 0 20",
      "rnbqkb1r/pp2pppp/3p1n2/8/3NP3/8/PPP2PPP/RNBQKB1R w KQkq - 1 5",
  };
  const StrengthLevel level = strength_level(elo);
  LimitedRun run;
  for (const char* fen : FENS) {
    load_fen(fen);
    tt_clear();
    SearchLimits limits;
    limits.nodes = level.nodes;
    limits.choice_lines = STRENGTH_LINES;
    limits.choice_margin_cp = level.margin_cp;
    ::testing::internal::CaptureStdout();
    const Move best = search_best(limits).best;
    const std::string out = ::testing::internal::GetCapturedStdout();
    // The last info line names the move played, chosen or not.
    const std::size_t last = out.rfind("info depth ");
    EXPECT_NE(out.find(" pv " + move_to_str(best), last), std::string::npos) << out;
    run.moves.push_back(move_to_str(best));
    run.nodes.push_back(nodes_searched);
  }
  return run;
}

TEST_F(LimitedSearch, RepeatsItselfWithAFixedSeedAndALowerLevelSearchesLess) {
  seed_strength_random(2024);
  const LimitedRun first = run_level(STRENGTH_MIN_ELO);
  seed_strength_random(2024);
  const LimitedRun again = run_level(STRENGTH_MIN_ELO);
  EXPECT_EQ(first.moves, again.moves);
  EXPECT_EQ(first.nodes, again.nodes);

  const LimitedRun strongest = run_level(STRENGTH_MAX_ELO);
  std::int64_t low = 0, high = 0;
  for (std::size_t i = 0; i < first.nodes.size(); ++i) {
    low += first.nodes[i];
    high += strongest.nodes[i];
  }
  EXPECT_LT(2 * low, high);
}

}  // namespace
