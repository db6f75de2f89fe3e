#include "match/elo.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "games/fingerprint_summary.h"

namespace {
constexpr double INF = std::numeric_limits<double>::infinity();

double elo_or_infinite(double score) {
  if (score <= 0) return -INF;
  if (score >= 1) return INF;
  return elo_from_score(score);
}
}  // namespace

double MatchScore::score() const { return games() ? (wins + 0.5 * draws) / games() : 0.5; }

EloEstimate estimate_elo(const MatchScore& result) {
  const int n = result.games();
  if (n == 0) return {};
  const double s = result.score();
  const double variance = (result.wins * (1 - s) * (1 - s) + result.draws * (0.5 - s) * (0.5 - s) +
                           result.losses * s * s) / n;
  const double margin = Z_95 * std::sqrt(variance / n);
  return {elo_or_infinite(s), elo_or_infinite(s - margin), elo_or_infinite(s + margin)};
}

std::string elo_text(double elo) {
  if (std::isinf(elo)) return elo > 0 ? "inf" : "-inf";
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", elo);
  return text;
}
