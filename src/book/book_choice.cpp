#include "book/book_choice.h"

#include <algorithm>

int choose_book_move(std::span<const std::uint16_t> weights, int min_share_percent, std::uint64_t draw) {
  if (weights.empty()) return -1;
  const std::uint64_t heaviest = *std::max_element(weights.begin(), weights.end());
  if (heaviest == 0) return -1;
  // Compared in whole numbers: weight / heaviest < share / 100.
  const auto kept = [&](std::uint64_t weight) {
    return weight > 0 && weight * 100 >= heaviest * static_cast<std::uint64_t>(std::clamp(min_share_percent, 0, 100));
  };
  std::uint64_t total = 0;
  for (std::uint16_t weight : weights)
    if (kept(weight)) total += weight;
  std::uint64_t pick = draw % total;
  for (std::size_t i = 0; i < weights.size(); ++i) {
    if (!kept(weights[i])) continue;
    if (pick < weights[i]) return static_cast<int>(i);
    pick -= weights[i];
  }
  return -1;
}
