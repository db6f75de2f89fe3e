#pragma once
// The helpers of a parallel search. With Threads N, the main search thread starts
// N - 1 helpers on its own root; each searches that root with its own position,
// line, killers, history and node count, and iterative deepening of its own. They
// share only the transposition table, so each fills it for the others. Helpers
// print nothing and never decide anything: the main thread stops them when its own
// search is over, before the tactical selection.

#include <cstdint>

// Most threads a search may use; the Threads option is clamped to this.
constexpr int MAX_SEARCH_THREADS = 256;

// Starts search_threads - 1 helpers on the calling thread's position. Called by the
// main search thread once its root is known to have a legal move.
void start_helper_threads();

// Ends the helpers and waits for them (a no-op without helpers). Afterwards a
// search can run on this thread alone, as the tactical selection does.
void stop_helper_threads();

// Nodes of the calling thread's search plus those of the helpers of the last
// parallel search it started. Called only by that thread.
std::int64_t search_nodes_total();
