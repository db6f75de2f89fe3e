# Front door: `make run`, `make test`, `make bench`. CMake does the work underneath.
BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all build run test test-slow bench asan tsan fuzz clean

# Testing frameworks build with `make EXE=PATH`: the engine alone (no tests, so
# no GoogleTest needed), in its own build directory, copied to PATH.
ifdef EXE
all:
	@cmake -S . -B build-exe -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-exe -j $(JOBS) --target brisvane >&2
	cp build-exe/brisvane $(EXE)
else
all: build
endif

build:
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS) >&2

run: build
	@./$(BUILD_DIR)/brisvane

test: build
	ctest --test-dir $(BUILD_DIR) -LE slow -j $(JOBS) --output-on-failure

test-slow: build
	ctest --test-dir $(BUILD_DIR) -L slow -j $(JOBS) --output-on-failure

bench: build
	./$(BUILD_DIR)/brisvane_bench
	./$(BUILD_DIR)/brisvane bench

# Unit tests again under AddressSanitizer + UndefinedBehaviorSanitizer.
asan:
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRISVANE_SANITIZE=address,undefined >/dev/null
	cmake --build build-asan -j $(JOBS)
	ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --test-dir build-asan -LE slow -j $(JOBS) --output-on-failure

# The search thread and the process tests (frontend) under ThreadSanitizer.
tsan:
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRISVANE_SANITIZE=thread >/dev/null
	cmake --build build-tsan -j $(JOBS) --target brisvane frontend_tests
	TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan -L frontend -LE slow -j $(JOBS) --output-on-failure

# The libFuzzer targets (clang), FUZZ_SECONDS each, with the whole core instrumented.
# New corpus entries go to build-fuzz; the committed seeds stay untouched.
FUZZ_SECONDS ?= 30
FUZZ_TARGETS = uci_fuzz fen_fuzz
fuzz:
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
	  -DBRISVANE_FUZZ=ON -DBRISVANE_SANITIZE=address,undefined -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
	cmake --build build-fuzz -j $(JOBS) --target $(FUZZ_TARGETS)
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$t build-fuzz/artifacts && \
	  echo "fuzzing $$t for $(FUZZ_SECONDS) s" && \
	  ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ./build-fuzz/$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
	    -artifact_prefix=build-fuzz/artifacts/$$t- build-fuzz/corpus/$$t tests/fuzz/seeds/$$t \
	    2>build-fuzz/$$t.log || { tail -n 60 build-fuzz/$$t.log; exit 1; }; \
	  grep -E "^(stat::number_of_executed_units|Done)" build-fuzz/$$t.log; \
	done

clean:
	rm -rf $(BUILD_DIR) build-asan build-tsan build-fuzz build-exe
