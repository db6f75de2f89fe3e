#include "games/fingerprint_summary.h"

#include <algorithm>
#include <cmath>

namespace {

// A score of exactly 0 or 1 has no finite Elo; these keep it at about +-1200.
constexpr double SCORE_CLAMP = 0.001;

}  // namespace

FigureTerms figure_terms(Figure figure, const GameStats& g) {
  const double moves = g.moves;
  const bool won = g.score == 1, drawn = g.score == 0.5;
  switch (figure) {
    case ScorePercent: return {100 * g.score, 1};
    case GamePlies: return {static_cast<double>(g.plies), 1};
    case SearchDepth: return {static_cast<double>(g.depth_sum), moves};
    case ChecksPer100: return {100.0 * g.checks, moves};
    case CapturesPer100: return {100.0 * g.captures, moves};
    case KingZonePressure: return {static_cast<double>(g.pressure), moves};
    case WingPawnMoves: return {static_cast<double>(g.wing_pawn_moves), 1};
    case PassersAdvanced: return {static_cast<double>(g.passers_advanced), 1};
    case BaitPer100: return {100.0 * g.baits, moves};
    case Sacrifices: return {static_cast<double>(g.sacrifices), 1};
    // Shares of its wins and of its draws: a game of the other kind counts in neither sum.
    case SacrificeWins: return {won && g.sacrifices > 0 ? 100.0 : 0.0, won ? 1.0 : 0.0};
    case ShortWins: return {won && g.plies <= SHORT_WIN_PLIES ? 100.0 : 0.0, won ? 1.0 : 0.0};
    case DrawsAhead: return {drawn && g.stood_ahead ? 100.0 : 0.0, drawn ? 1.0 : 0.0};
    case PawnEndings: return {g.pawn_ending ? 100.0 : 0.0, 1};
    case MajorEndings: return {g.major_ending ? 100.0 : 0.0, 1};
    case MinorEndings: return {g.minor_ending ? 100.0 : 0.0, 1};
    case TacticalPer100: return {100.0 * g.tactical_picks, moves};
    default: return {0, 0};
  }
}

namespace {

// Ratio of sums with the delta-method interval: the spread of each game's
// numerator around ratio x its denominator.
Estimate ratio_estimate(Figure figure, const std::vector<GameStats>& games) {
  double numerator = 0, denominator = 0;
  for (const GameStats& g : games) {
    const FigureTerms terms = figure_terms(figure, g);
    numerator += terms.numerator;
    denominator += terms.denominator;
  }
  // A share of wins in a row that never won has nothing to measure.
  if (denominator <= 0) return {NAN, NAN, NAN};
  const double ratio = numerator / denominator;
  const double n = static_cast<double>(games.size());
  if (games.size() < 2) return {ratio, ratio, ratio};
  double squares = 0;
  for (const GameStats& g : games) {
    const FigureTerms terms = figure_terms(figure, g);
    const double residual = terms.numerator - ratio * terms.denominator;
    squares += residual * residual;
  }
  const double mean_denominator = denominator / n;
  const double half_width = Z_95 * std::sqrt(squares / (n - 1) / n) / mean_denominator;
  return {ratio, ratio - half_width, ratio + half_width};
}

bool is_percentage(Figure figure) {
  return figure == ScorePercent || figure == PawnEndings || figure == MajorEndings || figure == MinorEndings ||
         figure == SacrificeWins || figure == ShortWins || figure == DrawsAhead;
}

}  // namespace

double elo_from_score(double score) {
  const double s = std::clamp(score, SCORE_CLAMP, 1 - SCORE_CLAMP);
  return -400 * std::log10(1 / s - 1);
}

Fingerprint summarise(const std::vector<GameStats>& games) {
  Fingerprint print;
  print.games = static_cast<int>(games.size());
  for (int f = 0; f < FIGURE_COUNT; ++f) {
    if (f == EloDifference) continue;
    // The normal interval knows nothing of the ends a figure cannot pass.
    Estimate& e = print.figures[f] = ratio_estimate(static_cast<Figure>(f), games);
    e.low = std::max(e.low, 0.0);
    if (is_percentage(static_cast<Figure>(f))) e.high = std::min(e.high, 100.0);
  }
  // Elo is a monotone function of the score, so the score's bounds map to its bounds.
  const Estimate& score = print.figures[ScorePercent];
  print.figures[EloDifference] = {elo_from_score(score.value / 100), elo_from_score(score.low / 100),
                                  elo_from_score(score.high / 100)};
  return print;
}
