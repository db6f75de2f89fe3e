#include "book/book_choice.h"

#include <algorithm>

#include "book/book_key.h"
#include "book/book_move.h"

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

BookPick pick_book_move(std::span<const BookEntry> book, int variety_percent, std::uint64_t draw) {
  BookPick pick;
  std::vector<Move> moves;
  std::vector<std::uint16_t> weights;
  for (const BookEntry& entry : book_entries_of(book, book_key())) {
    const Move m = decode_book_move(entry.move);
    if (is_empty_move(m)) {
      pick.illegal.push_back(entry.move);
      continue;
    }
    moves.push_back(m);
    weights.push_back(entry.weight);
  }
  pick.candidates = static_cast<int>(moves.size());
  const int chosen = choose_book_move(weights, 100 - variety_percent, draw);
  if (chosen >= 0) {
    pick.move = moves[static_cast<std::size_t>(chosen)];
    pick.weight = weights[static_cast<std::size_t>(chosen)];
  }
  return pick;
}
