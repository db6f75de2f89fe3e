#pragma once
// The time manager: every rule that decides how long a search runs. The clock
// budget of a "go", the budget check inside the tree, the choice between
// iterations, the ponderhit, and the tactical selection's share of the time.

#include <chrono>
#include <cstdint>
#include <optional>

#include "board/types.h"
#include "search/limits.h"

using TimePoint = std::chrono::steady_clock::time_point;

// Whole milliseconds from one moment to a later one, truncated.
long long elapsed_ms(TimePoint from, TimePoint to);

// ---- The clock budget of a "go" with wtime/btime ----

// The smallest time budget a clocked search gets: below it the search would not
// complete its first iterations.
constexpr int MIN_CLOCK_BUDGET_MS = 10;
// A clock without "movestogo" is spread over this many moves, and never over more.
constexpr int DEFAULT_MOVES_TO_GO = 30;

// The side to move's share of its clock: what is left after the move overhead,
// divided by the moves to go, plus half the increment; never more than half of
// what is left, never less than MIN_CLOCK_BUDGET_MS. With the clock at or below
// zero the increment alone pays for the move: never more than half of it after
// the overhead. A negative increment counts as none.
int clock_budget_ms(int clock_ms, int increment_ms, int moves_to_go, int overhead_ms);

// The time words of a "go" line as the UCI handler read them. A word that is not
// on the line is empty; a value that is not a number reads as 0.
struct GoTime {
  std::optional<int> movetime;
  std::optional<int> wtime, btime;
  int winc = 0, binc = 0;
  int movestogo = 0;
};

// The time budget of a "go" line for the side to move; 0 means none. A movetime
// wins over the clocks and is taken as given, except that one of 0 or less leaves
// no time: the smallest budget, the search moves at once. Else a clock word of
// either side gives the side to move's share of its own clock (a missing one reads
// as 0). A line without either that must still end on its own (it asked for a
// limit that could not be used) also moves at once, rather than search until "stop".
int go_budget_ms(const GoTime& time, int side_to_move, int overhead_ms, bool must_end);
// Whether the line names a time of its own: a movetime or a clock.
bool go_time_given(const GoTime& time);

// ---- The running search's budget ----
// One instance per searching thread. Helper threads keep the initial values (no
// budget), so that the main search thread alone decides when to stop.

PER_THREAD extern int search_movetime_ms;          // time budget; 0 or less means none
PER_THREAD extern std::int64_t search_node_limit;  // node budget over all threads; 0 or less means none
// When the budget began counting: the start of the search, or the "ponderhit" of a ponder search.
PER_THREAD extern TimePoint search_start;
// True while a ponder search has not yet seen its "ponderhit": its budget waits.
PER_THREAD extern bool search_budget_waits;

// Search thread: sets the budgets of a search that starts at now.
void start_search_budget(const SearchLimits& limits, TimePoint now);

// ---- The budget check inside the tree ----

// The clock is read once every TIME_CHECK_NODES nodes: often enough to end within
// a millisecond or so of the budget, rarely enough to cost nothing.
constexpr std::int64_t TIME_CHECK_NODES = 4096;
// A node budget is checked four times as often: the playing levels' small budgets
// would otherwise all round up to the same few multiples of the clock interval.
constexpr std::int64_t NODE_CHECK_NODES = 1024;
static_assert((TIME_CHECK_NODES & (TIME_CHECK_NODES - 1)) == 0 && (NODE_CHECK_NODES & (NODE_CHECK_NODES - 1)) == 0,
              "the intervals are checked with a mask");

// The out-of-line part of the budget check, for searches that have a budget.
bool time_budget_spent();
// The budget check (time and nodes). Searches without a budget (bench, analysis)
// settle it here without a call.
inline bool time_expired() { return (search_movetime_ms > 0 || search_node_limit > 0) && time_budget_spent(); }

// ---- Between iterations ----

// Whether another iteration may start after one completed at now: not once more
// than half the budget is gone, as the next iteration takes about as long as all
// the ones before it together and would not finish.
bool next_iteration_fits(TimePoint now);

// ---- Ponder ----

// Main thread, when "ponderhit" arrives for a waiting ponder search: notes the
// moment, from which the search's budget then counts. Called before the search
// is told that pondering is over.
void note_ponderhit();
// Search thread: whether the budget is counting; the first call after a ponderhit
// moves search_start to the ponderhit, so the budget counts from the move played.
bool budget_running();

// ---- The tactical selection after the search ----

// The selection starts only while no more than this share of the budget is
// gone: its candidate searches must not eat the time the game clock still needs.
constexpr int TACTICAL_SHARE_PERCENT = 70;
// Scoring the candidates stops after this many whole milliseconds, budget or not:
// a search without one must not keep its answer waiting.
constexpr int TACTICAL_SCORING_CAP_MS = 250;
// Without a clock (the node-limited games of the style gauntlet; a UCI search without
// one is analysis and has no selection) the cap counts nodes instead, so that those
// games are the same on any machine and under any load.
constexpr std::int64_t TACTICAL_SCORING_CAP_NODES = 2'000'000;

// Whether the selection may start at now, with a budget of movetime_ms (0 or less
// means none) counted from budget_start.
bool tactical_selection_may_start(int movetime_ms, TimePoint budget_start, TimePoint now);
// Whether the candidate scoring that began at scoring_start must stop at now.
bool tactical_scoring_time_up(TimePoint scoring_start, TimePoint now);
// The same for a search with a clock or without, after scoring_nodes nodes.
bool tactical_scoring_cap_reached(bool clocked, TimePoint scoring_start, TimePoint now, std::int64_t scoring_nodes);
// A node budget bounds the search alone: once spent it would end every candidate
// search at its first node, so the selection runs on its time cap instead. Dropping
// it ends the node budget's expiry; a time budget that is left has to run out again.
void drop_node_budget();
// A node budget of max_nodes more from now, for one bounded search after the main one
// (the tactical selection's check of a pick); drop_node_budget ends it.
void cap_nodes_from_now(std::int64_t max_nodes);
