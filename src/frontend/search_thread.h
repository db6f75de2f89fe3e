#pragma once
// The background search thread. Only the main thread starts and joins it.

#include <mutex>
#include <thread>

extern std::thread search_thread;
extern std::mutex search_mutex;

// Raises stop_search and joins a running search thread, if any.
void wait_search_done();
