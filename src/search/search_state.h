#pragma once
// Score scale and the shared state of a running search.

#include <atomic>
#include <chrono>
#include <cstdint>

constexpr int MATE_VALUE = 49000;
constexpr int MAX_PLY = 64;
constexpr int MATE_THRESHOLD = MATE_VALUE - MAX_PLY;  // |score| >= this is a mate score
constexpr int SCORE_INFINITY = 50000;

// Written by the thread that runs the search (set up by search_best).
extern std::int64_t nodes_searched;
extern int search_movetime_ms;  // budget; 0 or less means none
extern std::int64_t search_node_limit;  // node budget; 0 or less means none
extern std::chrono::steady_clock::time_point search_start;
// Cleared only by the code that starts a search; raised only by wait_search_done.
extern std::atomic<bool> stop_search;

// The out-of-line part of the budget check, for searches that have a budget.
bool time_budget_spent();
// The budget check (time and nodes): reads the clock and the node budget only every
// 4096 nodes. Searches without a budget (bench, analysis) settle it here without a call.
inline bool time_expired() { return (search_movetime_ms > 0 || search_node_limit > 0) && time_budget_spent(); }
