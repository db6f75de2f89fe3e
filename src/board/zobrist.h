#pragma once
// Zobrist keys (drawn once at start-up from a seeded MT19937-64) and repetition.

#include <cstdint>

extern std::uint64_t zob_piece[12][64];
extern std::uint64_t zob_ep[64];
extern std::uint64_t zob_castle[16];
extern std::uint64_t zob_side;

void init_zobrist();
std::uint64_t compute_zobrist();
// True when the current key occurs earlier on repetition_stack.
bool is_repetition();
