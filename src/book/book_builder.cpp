#include "book/book_builder.h"

#include <algorithm>
#include <limits>

#include "book/book_key.h"
#include "book/book_move.h"

void add_book_move(BookBuilder& builder, const Move& m, std::uint64_t weight) {
  BookTally& tally = builder[{book_key(), encode_book_move(m)}];
  tally.weight += weight;
  ++tally.count;
}

std::vector<BookEntry> finish_book(const BookBuilder& builder, int min_count) {
  constexpr std::uint64_t WEIGHT_MAX = std::numeric_limits<std::uint16_t>::max();
  // A book compares weights only within a position, so each position is scaled on its
  // own: a heavy first move does not round the light ones of deep positions to 1.
  std::map<std::uint64_t, std::uint64_t> heaviest;
  for (const auto& [where, tally] : builder)
    if (tally.count >= min_count) heaviest[where.first] = std::max(heaviest[where.first], tally.weight);
  std::vector<BookEntry> entries;
  for (const auto& [where, tally] : builder) {
    if (tally.count < min_count) continue;
    std::uint64_t weight = tally.weight;
    const std::uint64_t top = heaviest[where.first];
    if (top > WEIGHT_MAX) weight = weight == 0 ? 0 : std::max<std::uint64_t>(1, weight * WEIGHT_MAX / top);
    entries.push_back({where.first, where.second, static_cast<std::uint16_t>(weight), 0});
  }
  std::stable_sort(entries.begin(), entries.end(), [](const BookEntry& a, const BookEntry& b) {
    return a.key != b.key ? a.key < b.key : a.weight > b.weight;
  });
  return entries;
}
