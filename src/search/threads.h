#pragma once
// The helpers of a parallel search. With Threads N, the main search thread starts
// N - 1 helpers on its own root; each searches that root with its own position,
// line, killers, history and node count, and iterative deepening of its own. They
// share only the transposition table, so each fills it for the others. Helpers
// print nothing; they publish each iteration they complete, and the main thread
// takes over those deeper than its own. A helper that completes the last depth of a
// depth-limited search ends the whole search, so the search takes as long as its
// fastest thread. The main thread stops them before the tactical selection.

#include <cstdint>
#include <vector>

#include "board/move.h"

// Most threads a search may use; the Threads option is clamped to this.
constexpr int MAX_SEARCH_THREADS = 256;

// Threads that search one position: the Threads option and --threads. Written by the
// main thread while no search runs; read when a search starts its helpers.
extern int search_threads;

// Starts search_threads - 1 helpers on the calling thread's position. Called by the
// main search thread once its root is known to have a legal move. A helper that
// completes final_depth ends the search; 0 means the helpers never end it.
void start_helper_threads(int final_depth);

// Ends the helpers and waits for them (a no-op without helpers). Afterwards a
// search can run on this thread alone, as the tactical selection does.
void stop_helper_threads();

// Nodes of the calling thread's search plus those of the helpers of the last
// parallel search it started. Called only by that thread.
std::int64_t search_nodes_total();

// An iteration a helper completed: its depth, score and line (root move first).
struct HelperLine {
  int depth;
  int score;
  std::vector<Move> pv;
};

// The iterations deeper than depth that helpers of the running search have
// completed, one per depth, shallowest first.
std::vector<HelperLine> helper_lines_beyond(int depth);

// Main search thread: the depth it is now searching, so helpers keep ahead of it.
// When it may be overtaken, its search at that depth ends as soon as a helper has
// completed the depth (see iteration_overtaken).
void announce_main_depth(int depth, bool may_be_overtaken);
