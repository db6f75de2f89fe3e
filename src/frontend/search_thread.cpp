#include "frontend/search_thread.h"

std::thread search_thread;
std::mutex search_mutex;

// Placeholder until the search thread is written: there is never a thread to join.
void wait_search_done() {}
