// Perft must not touch the heap: move lists keep their moves inline and the
// position is saved by value. Counted by replacing the global allocator.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "board/perft.h"
#include "board/position.h"
#include "board_test_env.h"

namespace {
std::atomic<long> heap_allocations{0};
}

void* operator new(std::size_t size) {
  heap_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

TEST(PerftAllocation, CountingAllocatesNothing) {
  init_board_tables();
  load_fen(KIWIPETE);
  const long before = heap_allocations.load();
  EXPECT_EQ(perft(3), 97862u);
  EXPECT_EQ(heap_allocations.load() - before, 0);
  // The counter itself works: a growing vector is seen.
  std::vector<int>* grown = new std::vector<int>(100);
  EXPECT_GT(heap_allocations.load() - before, 0);
  delete grown;
}

}  // namespace
