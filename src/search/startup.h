#pragma once
// Builds every start-up table (attacks, keys, passed-pawn spans) in their order.
// Safe to call more than once: only the first call does the work, so tests,
// benchmarks and fuzzers share main's sequence instead of repeating it.
void init_tables();
