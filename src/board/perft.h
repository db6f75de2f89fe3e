#pragma once
#include <atomic>
#include <cstdint>

#include "board/move.h"

// Deeper requests are counted to this depth: the recursion stays within the stack.
constexpr int PERFT_MAX_DEPTH = 64;

// Leaf count of the legal move tree of the current position; negative depth counts as 0.
std::uint64_t perft(int depth);

// perft that gives up once stop is raised, returning false; nodes of depth 3 and more
// look at the flag, so the levels near the leaves count at full speed.
bool perft_until(int depth, const std::atomic<bool>& stop, std::uint64_t& count);
