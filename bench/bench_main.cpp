// Entry point of the benchmark program; each benchmark file builds the tables it needs.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
