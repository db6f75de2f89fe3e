#pragma once
// Marks on the shallow nodes the threads of a parallel search are in. A thread that
// reaches a node another thread is already searching reduces its late quiet moves
// one ply more, so the two spread over the tree instead of searching it twice.
// Without helpers nothing is marked and the search is the one-thread search.

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "board/types.h"

// Nodes closer to the root than this are marked; deeper ones are too many and too small.
constexpr int BREADCRUMB_PLIES = 8;
constexpr std::size_t BREADCRUMB_COUNT = 1024;

struct Breadcrumb {
  std::atomic<int> owner{0};  // the mark of the thread searching the node, 0: none
  std::atomic<std::uint64_t> key{0};
};
extern Breadcrumb breadcrumbs[BREADCRUMB_COUNT];

// The calling thread's mark while helpers run, else 0. Written by each thread for itself.
PER_THREAD extern int breadcrumb_mark;

// Marks a node for as long as it is searched, when no other thread holds its slot.
class BreadcrumbHold {
 public:
  BreadcrumbHold(std::uint64_t key, int ply) {
    if (breadcrumb_mark == 0 || ply >= BREADCRUMB_PLIES) return;
    Breadcrumb& crumb = breadcrumbs[key & (BREADCRUMB_COUNT - 1)];
    int owner = crumb.owner.load(std::memory_order_relaxed);
    if (owner == 0) {
      if (crumb.owner.compare_exchange_strong(owner, breadcrumb_mark, std::memory_order_relaxed)) {
        crumb.key.store(key, std::memory_order_relaxed);
        held_ = &crumb;
      }
    } else if (owner != breadcrumb_mark && crumb.key.load(std::memory_order_relaxed) == key) {
      shared_ = true;
    }
  }
  ~BreadcrumbHold() {
    if (held_ != nullptr) held_->owner.store(0, std::memory_order_relaxed);
  }
  BreadcrumbHold(const BreadcrumbHold&) = delete;
  BreadcrumbHold& operator=(const BreadcrumbHold&) = delete;

  // Whether another thread was searching the node when this one arrived.
  bool shared() const { return shared_; }

 private:
  Breadcrumb* held_ = nullptr;
  bool shared_ = false;
};
