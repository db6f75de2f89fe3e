// The budget check that timed searches rely on.

#include <gtest/gtest.h>

#include <chrono>

#include "search/search_state.h"

namespace {

using namespace std::chrono_literals;

TEST(TimeCheck, ClockIsReadOnlyOnMultiplesOf4096Nodes) {
  search_movetime_ms = 5;
  search_start = std::chrono::steady_clock::now() - 20ms;
  nodes_searched = 4097;
  EXPECT_FALSE(time_expired());
  nodes_searched = 0;
  search_movetime_ms = 0;
  EXPECT_FALSE(time_expired());  // no budget, no expiry
  search_movetime_ms = 1000;
  nodes_searched = 8192;
  EXPECT_FALSE(time_expired());  // within the budget
}

TEST(TimeCheck, AnExpirySeenOnceHoldsForTheRestOfThatSearch) {
  search_movetime_ms = 5;
  search_start = std::chrono::steady_clock::now() - 20ms;
  nodes_searched = 8192;
  ASSERT_TRUE(time_expired());
  // A re-search after an aborted child moves the count off the multiple; it must
  // still see the expiry instead of running on.
  nodes_searched = 8193;
  EXPECT_TRUE(time_expired());
  nodes_searched = 12000;
  EXPECT_TRUE(time_expired());
  // The next search starts afresh.
  search_start = std::chrono::steady_clock::now();
  search_movetime_ms = 10000;
  nodes_searched = 8193;
  EXPECT_FALSE(time_expired());
  nodes_searched = 8192;
  EXPECT_FALSE(time_expired());
  search_movetime_ms = 0;
}

TEST(TimeCheck, NodeBudgetIsSeenOnTheNextMultipleAndHolds) {
  search_movetime_ms = 0;
  search_node_limit = 5000;
  search_start = std::chrono::steady_clock::now();
  nodes_searched = 4096;
  EXPECT_FALSE(time_expired());
  nodes_searched = 5001;
  EXPECT_FALSE(time_expired());  // between multiples the count is not looked at
  nodes_searched = 8192;
  ASSERT_TRUE(time_expired());
  nodes_searched = 8193;
  EXPECT_TRUE(time_expired());
  search_start = std::chrono::steady_clock::now() + 1ms;  // a new search
  EXPECT_FALSE(time_expired());
  search_node_limit = 0;
}

TEST(TimeCheck, PonderBudgetWaitsForThePonderhitAndCountsFromIt) {
  // A budget long spent if counted from the go, but the ponder move comes only now.
  search_movetime_ms = 10000;
  search_start = std::chrono::steady_clock::now() - 20000ms;
  search_budget_waits = true;
  pondering.store(true);
  nodes_searched = 8192;
  EXPECT_FALSE(time_expired());
  const auto before_hit = std::chrono::steady_clock::now();
  signal_ponderhit();
  EXPECT_FALSE(time_expired());
  EXPECT_GE(search_start, before_hit);
  search_movetime_ms = 0;
}

}  // namespace
