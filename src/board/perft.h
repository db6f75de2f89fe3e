#pragma once
#include <cstdint>

// Leaf count of the legal move tree of the current position; negative depth counts as 0.
std::uint64_t perft(int depth);
