#pragma once
// The background search thread. Only the main thread starts and joins it.

#include <mutex>
#include <thread>

#include "search/limits.h"

// Holds the current or last search thread until it is joined. Written only by the main thread.
extern std::thread search_thread;
// Held by the search thread while it writes its "bestmove" line.
extern std::mutex search_mutex;

// Raises stop_search and joins a running search thread, if any.
void wait_search_done();

// At the end of input: a "go perft" count is let finish, as scripts that pipe their
// commands expect; a search is stopped as by wait_search_done.
void finish_at_end_of_input();

// Starts the search thread with the limits of search_best, on a copy of the calling
// thread's position. The caller has joined any earlier thread and cleared stop_search.
void start_search_thread(const SearchLimits& limits);

// Starts the search thread on "go perft": the move tree of a copy of the calling
// thread's position counted to depth, under the same stop as a search.
void start_perft_thread(int depth);
