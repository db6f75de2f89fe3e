#include "search/timeman.h"

#include <algorithm>
#include <atomic>
#include <climits>

#include "search/search_state.h"
#include "search/threads.h"

PER_THREAD int search_movetime_ms = 0;
PER_THREAD std::int64_t search_node_limit = 0;
PER_THREAD TimePoint search_start;
PER_THREAD bool search_budget_waits = false;

namespace {

using Clock = std::chrono::steady_clock;

// The moment of the last "ponderhit", written before pondering is lowered.
std::atomic<Clock::rep> ponderhit_ticks{0};

// Whether the running budget has been seen to run out: cleared when a budget starts
// and when the node budget is dropped. Written and read only by the thread that runs
// the search.
PER_THREAD bool budget_seen_spent = false;

}  // namespace

long long elapsed_ms(TimePoint from, TimePoint to) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
}

int clock_budget_ms(int clock_ms, int increment_ms, int moves_to_go, int overhead_ms) {
  // The overhead is the time the move spends outside the search (the pipes, the
  // GUI); it is never the search's to spend.
  const std::int64_t left = std::int64_t{clock_ms} - overhead_ms;
  const int increment = std::max(increment_ms, 0);
  const int divisor = moves_to_go > 0 && moves_to_go < DEFAULT_MOVES_TO_GO ? moves_to_go : DEFAULT_MOVES_TO_GO;
  std::int64_t budget = left / divisor + increment / 2;
  // A large increment must not spend more than half of what is left on the
  // clock: the increment arrives only after the move is made. A clock with
  // nothing left (a game without base time) has only the increment to spend, and
  // the overhead comes out of that too.
  const std::int64_t spendable = clock_ms > 0 ? left : std::int64_t{increment} - overhead_ms;
  budget = std::min(budget, std::max<std::int64_t>(spendable, 0) / 2);
  return static_cast<int>(std::clamp<std::int64_t>(budget, MIN_CLOCK_BUDGET_MS, INT32_MAX));
}

int go_budget_ms(const GoTime& time, int side_to_move, int overhead_ms, bool must_end) {
  // A fixed time is not a clock: the overhead is the GUI's to allow for.
  if (time.movetime) return *time.movetime > 0 ? *time.movetime : MIN_CLOCK_BUDGET_MS;
  if (go_time_given(time)) {
    const bool white = side_to_move == WHITE;
    const std::optional<int>& clock = white ? time.wtime : time.btime;
    return clock_budget_ms(clock.value_or(0), white ? time.winc : time.binc, time.movestogo, overhead_ms);
  }
  return must_end ? MIN_CLOCK_BUDGET_MS : 0;
}

bool go_time_given(const GoTime& time) { return time.movetime || time.wtime || time.btime; }

void start_search_budget(const SearchLimits& limits, TimePoint now) {
  search_movetime_ms = limits.movetime_ms;
  search_node_limit = limits.nodes;
  search_start = now;
  search_budget_waits = limits.ponder;
  budget_seen_spent = false;
}

bool time_budget_spent() {
  if (search_movetime_ms <= 0 && search_node_limit <= 0) return false;
  if (!search_interruptible) return false;
  // Once seen, an expiry holds for the rest of that search. Without this a
  // re-search started after an aborted child moves the node count off the
  // checked multiple, the callers above no longer see the expiry, and the
  // iteration runs on and is reported as complete long after the budget.
  if (budget_seen_spent) return true;
  const std::int64_t interval = search_node_limit > 0 ? NODE_CHECK_NODES : TIME_CHECK_NODES;
  if ((nodes_searched & (interval - 1)) != 0) return false;
  if (!budget_running()) return false;
  bool spent = search_node_limit > 0 && search_nodes_total() >= search_node_limit;
  if (!spent && search_movetime_ms > 0) spent = elapsed_ms(search_start, Clock::now()) >= search_movetime_ms;
  if (!spent) return false;
  budget_seen_spent = true;
  return true;
}

bool next_iteration_fits(TimePoint now) {
  return !(search_movetime_ms > 0 && budget_running() && 2 * elapsed_ms(search_start, now) > search_movetime_ms);
}

void note_ponderhit() { ponderhit_ticks.store(Clock::now().time_since_epoch().count()); }

bool budget_running() {
  if (!search_budget_waits) return true;
  if (pondering.load()) return false;
  search_start = TimePoint(Clock::duration(ponderhit_ticks.load()));
  search_budget_waits = false;
  return true;
}

bool tactical_selection_may_start(int movetime_ms, TimePoint budget_start, TimePoint now) {
  return movetime_ms <= 0 ||
         elapsed_ms(budget_start, now) <= std::int64_t{movetime_ms} * TACTICAL_SHARE_PERCENT / 100;
}

bool tactical_scoring_time_up(TimePoint scoring_start, TimePoint now) {
  return elapsed_ms(scoring_start, now) > TACTICAL_SCORING_CAP_MS;
}

bool tactical_scoring_cap_reached(bool clocked, TimePoint scoring_start, TimePoint now, std::int64_t scoring_nodes) {
  return clocked ? tactical_scoring_time_up(scoring_start, now) : scoring_nodes >= TACTICAL_SCORING_CAP_NODES;
}

void cap_nodes_from_now(std::int64_t max_nodes) {
  search_node_limit = search_nodes_total() + max_nodes;
  budget_seen_spent = false;
}

void drop_node_budget() {
  if (search_node_limit <= 0) return;
  // What is left is the time budget, which has to run out on its own.
  search_node_limit = 0;
  budget_seen_spent = false;
}
