#pragma once
// The Elo difference a match result shows, with its 95% interval.

#include <string>

struct MatchScore {
  int wins = 0, draws = 0, losses = 0;
  int games() const { return wins + draws + losses; }
  double score() const;  // points per game, 0..1
};

struct EloEstimate {
  double elo = 0, low = 0, high = 0;  // +-infinity where the score is 0 or 1
};

// Logistic model (elo_from_score of the style summary) for a score strictly
// between 0 and 1. The per-game score has a trinomial distribution (1, 1/2, 0); its variance over the
// games gives a normal interval for the mean score, mapped to Elo through the model.
EloEstimate estimate_elo(const MatchScore& result);

// An Elo value with one decimal, or "inf" / "-inf".
std::string elo_text(double elo);
