// The time manager's rules, each as a table of inputs and answers where it has
// several: the clock budget, the budget check in the tree, the choice between
// iterations, the ponderhit, and the tactical selection's share of the time.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

#include "search/search_state.h"
#include "search/timeman.h"

namespace {

using namespace std::chrono_literals;

struct BudgetCase {
  int clock, increment, moves_to_go, overhead;
  int budget;
};

TEST(ClockBudget, TableOfClocksAndBudgets) {
  constexpr BudgetCase CASES[] = {
      // A thirtieth of the clock plus half the increment.
      {60000, 1000, 0, 0, 2500},
      {30000, 0, 0, 0, 1000},
      {60000, 0, 0, 0, 2000},
      // Never below the floor: a nearly empty, missing or negative clock.
      {299, 0, 0, 0, 10},
      {300, 0, 0, 0, 10},
      {0, 0, 0, 0, 10},
      {-500, 0, 0, 0, 10},
      {12, 1000, 0, 0, 10},
      // Never more than half the positive clock, however large the increment.
      {1000, 5000, 0, 0, 500},
      {100, 100000, 0, 0, 50},
      // Extreme values neither overflow nor go below the floor.
      {INT_MAX, INT_MAX, 0, 0, INT_MAX / 2},
      {INT_MIN, INT_MIN, 0, 0, 10},
      // The moves to go divide the clock, but never by more than thirty.
      {10000, 1000, 5, 0, 2500},
      {9000, 0, 3, 0, 3000},
      {10000, 0, 1, 0, 5000},  // still half the clock at most
      {9000, 0, 40, 0, 300},
      {9000, 0, 0, 0, 300},
      {9000, 0, -4, 0, 300},
      {9000, 0, INT_MAX, 0, 300},
      // The move overhead comes off the clock first, and out of the half-clock cap.
      {60000, 1000, 0, 10, 2499},
      {4000, 0, 0, 1000, 100},
      {1200, 5000, 0, 1000, 100},
      {900, 5000, 0, 1000, 10},  // nothing left
      {1000, 0, 0, 5000, 10},
      // A clock at zero: half the increment, after the overhead; a negative increment is none.
      {0, 1000, 0, 0, 500},
      {0, 1000, 0, 10, 495},
      {0, 1000, 0, 800, 100},
      {0, 1000, 0, 2000, 10},
      {60000, -1000, 0, 0, 2000},
  };
  for (const BudgetCase& c : CASES)
    EXPECT_EQ(clock_budget_ms(c.clock, c.increment, c.moves_to_go, c.overhead), c.budget)
        << c.clock << " " << c.increment << " " << c.moves_to_go << " " << c.overhead;
}

TEST(ClockBudget, NeverAboveHalfThePositiveClockNorBelowTheFloor) {
  for (int clock = 1; clock <= 100000; clock += 37) {
    for (int inc : {0, 10, 1000, 60000}) {
      const int budget = clock_budget_ms(clock, inc, 0, 0);
      EXPECT_GE(budget, MIN_CLOCK_BUDGET_MS);
      EXPECT_LE(budget, std::max(MIN_CLOCK_BUDGET_MS, clock / 2)) << clock << " " << inc;
    }
  }
}

// Starts the budgets of a search that began some time ago, as search_best does.
void start_budget(int movetime_ms, std::int64_t nodes, std::chrono::milliseconds ago) {
  SearchLimits limits;
  limits.movetime_ms = movetime_ms;
  limits.nodes = nodes;
  start_search_budget(limits, std::chrono::steady_clock::now() - ago);
}

TEST(TimeCheck, ClockIsReadOnlyOnMultiplesOf4096Nodes) {
  start_budget(5, 0, 20ms);
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
  start_budget(5, 0, 20ms);
  nodes_searched = 8192;
  ASSERT_TRUE(time_expired());
  // A re-search after an aborted child moves the count off the multiple; it must
  // still see the expiry instead of running on.
  nodes_searched = 8193;
  EXPECT_TRUE(time_expired());
  nodes_searched = 12000;
  EXPECT_TRUE(time_expired());
  // Dropping a node budget the search does not have changes nothing.
  drop_node_budget();
  EXPECT_TRUE(time_expired());
  // The next search starts afresh.
  start_budget(10000, 0, 0ms);
  nodes_searched = 8193;
  EXPECT_FALSE(time_expired());
  nodes_searched = 8192;
  EXPECT_FALSE(time_expired());
  search_movetime_ms = 0;
}

TEST(TimeCheck, NodeBudgetIsSeenOnTheNextMultipleAndHolds) {
  start_budget(0, 5000, 0ms);
  nodes_searched = 4096;
  EXPECT_FALSE(time_expired());
  nodes_searched = 5001;
  EXPECT_FALSE(time_expired());  // between multiples the count is not looked at
  nodes_searched = 8192;
  ASSERT_TRUE(time_expired());
  nodes_searched = 8193;
  EXPECT_TRUE(time_expired());
  start_budget(0, 5000, 0ms);  // a new search
  EXPECT_FALSE(time_expired());
  // Dropped for the tactical selection, a spent node budget ends nothing more; a time
  // budget beside it still counts, and must run out on its own.
  nodes_searched = 8192;
  ASSERT_TRUE(time_expired());
  drop_node_budget();
  EXPECT_FALSE(time_expired());
  start_budget(5, 5000, 0ms);
  ASSERT_TRUE(time_expired());
  drop_node_budget();
  EXPECT_FALSE(time_expired());
  std::this_thread::sleep_for(10ms);
  EXPECT_TRUE(time_expired());
  search_movetime_ms = 0;
}

TEST(TimeCheck, PonderBudgetWaitsForThePonderhitAndCountsFromIt) {
  // A budget long spent if counted from the go, but the ponder move comes only now.
  start_budget(10000, 0, 20000ms);
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

struct IterationCase {
  int budget;
  int elapsed_ms;
  bool fits;
};

TEST(NextIteration, StartsOnlyWhileNoMoreThanHalfTheBudgetIsGone) {
  constexpr IterationCase CASES[] = {
      {0, 1000000, true},  // no budget: only the depth ends the search
      {-5, 1000000, true},
      {1000, 0, true},
      {1000, 500, true},
      {1000, 501, false},
      {1000, 600, false},  // an iteration done at 600 ms of 1000 is the last
      {1, 0, true},
      {1, 1, false},
  };
  search_budget_waits = false;
  search_start = std::chrono::steady_clock::now();
  for (const IterationCase& c : CASES) {
    search_movetime_ms = c.budget;
    EXPECT_EQ(next_iteration_fits(search_start + std::chrono::milliseconds(c.elapsed_ms)), c.fits)
        << c.budget << " " << c.elapsed_ms;
  }
  // A ponder search's budget has not begun: every iteration fits until the ponderhit.
  search_movetime_ms = 1000;
  search_budget_waits = true;
  pondering.store(true);
  EXPECT_TRUE(next_iteration_fits(search_start + 5000ms));
  pondering.store(false);
  search_budget_waits = false;
  search_movetime_ms = 0;
}

struct ShareCase {
  int budget;
  int elapsed_ms;
  bool may_start;
};

TEST(TacticalTime, SelectionStartsWithinItsShareOfTheBudget) {
  constexpr ShareCase CASES[] = {
      {0, 1000000, true},  // no budget: the scoring cap alone bounds it
      {-1, 1000000, true},
      {1000, 0, true},
      {1000, 700, true},
      {1000, 701, false},
      {999, 699, true},
      {999, 700, false},
      {10, 7, true},
      {10, 8, false},
  };
  const auto start = std::chrono::steady_clock::now();
  for (const ShareCase& c : CASES)
    EXPECT_EQ(tactical_selection_may_start(c.budget, start, start + std::chrono::milliseconds(c.elapsed_ms)),
              c.may_start)
        << c.budget << " " << c.elapsed_ms;
  // The scoring's own cap, counted in whole milliseconds.
  EXPECT_FALSE(tactical_scoring_time_up(start, start + 250ms + 999us));
  EXPECT_TRUE(tactical_scoring_time_up(start, start + 251ms));
  // Without a clock it counts nodes instead, however long they take.
  EXPECT_TRUE(tactical_scoring_cap_reached(true, start, start + 251ms, 0));
  EXPECT_FALSE(tactical_scoring_cap_reached(false, start, start + 10s, TACTICAL_SCORING_CAP_NODES - 1));
  EXPECT_TRUE(tactical_scoring_cap_reached(false, start, start, TACTICAL_SCORING_CAP_NODES));
}

}  // namespace
