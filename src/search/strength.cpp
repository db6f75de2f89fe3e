#include "search/strength.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

#include "board/position.h"
#include "search/search_state.h"

namespace {

struct LevelPoint {
  int elo;
  StrengthLevel level;
};

// Fitted to timed games (see docs/strength.md); the levels between are interpolated.
constexpr std::array<LevelPoint, 5> LEVEL_POINTS = {{
    {1000, {2'000, 200}},
    {1200, {5'000, 100}},
    {1400, {20'000, 35}},
    {1600, {100'000, 15}},
    {1700, {400'000, 8}},
}};
static_assert(LEVEL_POINTS.front().elo == STRENGTH_MIN_ELO && LEVEL_POINTS.back().elo == STRENGTH_MAX_ELO);

std::mt19937_64 strength_random;

}  // namespace

StrengthLevel strength_level(int elo) {
  elo = std::clamp(elo, STRENGTH_MIN_ELO, STRENGTH_MAX_ELO);
  std::size_t i = 1;
  while (i + 1 < LEVEL_POINTS.size() && LEVEL_POINTS[i].elo < elo) ++i;
  const LevelPoint& low = LEVEL_POINTS[i - 1];
  const LevelPoint& high = LEVEL_POINTS[i];
  const double t = static_cast<double>(elo - low.elo) / (high.elo - low.elo);
  const double nodes = low.level.nodes * std::pow(static_cast<double>(high.level.nodes) / low.level.nodes, t);
  const double margin = low.level.margin_cp + t * (high.level.margin_cp - low.level.margin_cp);
  return {static_cast<std::int64_t>(std::llround(nodes)), static_cast<int>(std::lround(margin))};
}

StrengthLevel playing_level(int elo, bool opponent_has_lone_king) {
  const StrengthLevel level = strength_level(elo);
  if (!opponent_has_lone_king) return level;
  return {std::max(level.nodes, LONE_KING_NODES), 0};
}

void limit_to_level(SearchLimits& limits, int elo, int mover) {
  const bool lone_king = popcount(occupancies[mover ^ 1]) == 1;
  const StrengthLevel level = playing_level(elo, lone_king);
  limits.nodes = limits.nodes > 0 ? std::min<std::int64_t>(limits.nodes, level.nodes) : level.nodes;
  limits.choice_lines = level.margin_cp > 0 ? STRENGTH_LINES : 1;
  // Nor does the selection of sharper moves wander with the king hunt.
  limits.best_move_only = lone_king;
  limits.choice_margin_cp = level.margin_cp;
}

int choose_line(std::span<const int> scores, int margin_cp, std::uint64_t draw) {
  if (scores.size() <= 1 || margin_cp <= 0 || scores[0] >= MATE_THRESHOLD) return 0;
  // Weight (margin + 1 - shortfall)^2: the best line weighs most, one at the edge
  // of the margin least, and none beyond it anything.
  auto weight = [&](std::size_t i) -> std::uint64_t {
    const long long shortfall = static_cast<long long>(scores[0]) - scores[i];
    if (shortfall < 0 || shortfall > margin_cp) return 0;
    const auto w = static_cast<std::uint64_t>(margin_cp + 1 - shortfall);
    return w * w;
  };
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < scores.size(); ++i) total += weight(i);
  std::uint64_t pick = draw % total;
  for (std::size_t i = 0; i < scores.size(); ++i) {
    if (pick < weight(i)) return static_cast<int>(i);
    pick -= weight(i);
  }
  return 0;
}

int strength_book_plies(int elo) {
  const int clamped = std::clamp(elo, STRENGTH_MIN_ELO, STRENGTH_MAX_ELO);
  return STRENGTH_BOOK_PLIES_MIN + (clamped - STRENGTH_MIN_ELO) * (STRENGTH_BOOK_PLIES_MAX - STRENGTH_BOOK_PLIES_MIN) /
                                       (STRENGTH_MAX_ELO - STRENGTH_MIN_ELO);
}

void seed_strength_random(std::uint64_t seed) {
  if (seed == 0) seed = (static_cast<std::uint64_t>(std::random_device{}()) << 32) ^ std::random_device{}();
  strength_random.seed(seed);
}

std::uint64_t next_strength_random() { return strength_random(); }
