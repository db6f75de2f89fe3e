// The match summary's Elo and interval, against values worked out by hand.

#include "match/elo.h"

#include <gtest/gtest.h>

#include <cmath>

#include "match/match.h"

namespace {

TEST(MatchElo, ScoreIntervalAndInfiniteEnds) {
  // 3 wins, 1 loss: score 0.75, the logistic model's 190.85.
  EXPECT_NEAR(estimate_elo({3, 0, 1}).elo, 190.85, 0.01);
  EXPECT_NEAR(estimate_elo({1, 0, 3}).elo, -190.85, 0.01);

  // 6 wins, 2 draws, 2 losses: score 0.7, per-game variance 0.16.
  const EloEstimate uneven = estimate_elo({6, 2, 2});
  EXPECT_NEAR(uneven.elo, 147.19, 0.01);
  EXPECT_NEAR(uneven.low, -33.40, 0.01);
  EXPECT_NEAR(uneven.high, 504.03, 0.01);

  // An even score has a symmetric interval.
  const EloEstimate even = estimate_elo({10, 0, 10});
  EXPECT_NEAR(even.elo, 0.0, 1e-9);
  EXPECT_NEAR(even.low, -163.32, 0.01);
  EXPECT_NEAR(even.high, 163.32, 0.01);

  // A margin that reaches past 0 or 1 gives an open end.
  const EloEstimate nearly_all = estimate_elo({3, 0, 1});
  EXPECT_TRUE(std::isfinite(nearly_all.low));
  EXPECT_EQ(elo_text(nearly_all.high), "inf");

  EXPECT_EQ(elo_text(estimate_elo({5, 0, 0}).elo), "inf");
  EXPECT_EQ(elo_text(estimate_elo({0, 0, 5}).low), "-inf");
  EXPECT_EQ(elo_text(-33.399), "-33.4");
}

TEST(MatchElo, SummaryAndCsvLine) {
  const MatchScore score{6, 2, 2};
  EXPECT_EQ(results_line("Lvl1400", "SF1400", score), "Lvl1400,SF1400,10,6,2,2,147.2,-33.4,504.0");
  const std::string summary = summary_text("Lvl1400", "SF1400", score);
  EXPECT_NE(summary.find("10 games, +6 =2 -2, score 70.0%"), std::string::npos) << summary;
  EXPECT_NE(summary.find("147.2 (95% interval -33.4 to 504.0)"), std::string::npos) << summary;
}

}  // namespace
