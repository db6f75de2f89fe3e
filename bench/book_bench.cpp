// The cost of a book probe: the key of the position, the binary search, and the
// moves decoded and drawn from, in the largest built-in book.

#include <benchmark/benchmark.h>

#include "board/position.h"
#include "book/book_choice.h"
#include "book/builtin_books.h"
#include "search/startup.h"

namespace {

void BM_BookProbe(benchmark::State& state) {
  init_tables();
  init_board_startpos();
  const std::span<const BookEntry> book = builtin_book(Balanced);
  std::uint64_t draw = 0;
  for (auto _ : state) benchmark::DoNotOptimize(pick_book_move(book, BOOK_VARIETY_DEFAULT, ++draw).move);
}
BENCHMARK(BM_BookProbe);

}  // namespace
