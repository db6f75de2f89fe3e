# Front door: `make run`, `make test`, `make bench`. CMake does the work underneath.
BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all build run test test-load test-slow bench asan tsan fuzz clean styles styles-chart styles-curve styles-check calibrate

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

# PGO=1: a profile-guided build. The engine is built instrumented, trained on the shallow
# speed suite, the bench search and a perft count (code the training never runs is
# compiled for size), then everything is built again with that profile. It searches the
# same trees as the plain build, only faster.
PGO ?= 0

build:
ifeq ($(PGO),1)
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DBRISVANE_PGO=generate $(CMAKE_FLAGS) >/dev/null
	@find $(BUILD_DIR) -name '*.gcda' -delete
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target brisvane >&2
	@$(BUILD_DIR)/brisvane speed 9 >/dev/null
	@$(BUILD_DIR)/brisvane bench >/dev/null
	@$(BUILD_DIR)/brisvane perft 5 >/dev/null
	@cmake -S . -B $(BUILD_DIR) -DBRISVANE_PGO=use >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS) >&2
else
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DBRISVANE_PGO= $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS) >&2
endif

run: build
	@./$(BUILD_DIR)/brisvane

test: build
	ctest --test-dir $(BUILD_DIR) -LE slow -j $(JOBS) --output-on-failure

# The process and thread tests again with the cores oversubscribed: six at a time next
# to a busy loop on every core, LOAD_REPEAT times over. An order that thread timing
# decides, or a reply expected within a tight time, fails here.
LOAD_REPEAT ?= 2
test-load: build
	tools/under_load.sh ctest --test-dir $(BUILD_DIR) -L process -LE slow -j6 --repeat until-fail:$(LOAD_REPEAT) \
	  --output-on-failure

test-slow: build
	ctest --test-dir $(BUILD_DIR) -L slow -j $(JOBS) --output-on-failure

# The speed suite (time to fixed depths), the Google Benchmark timings, then the bench signature.
bench: build
	./$(BUILD_DIR)/brisvane speed
	./$(BUILD_DIR)/brisvane_bench
	./$(BUILD_DIR)/brisvane bench

# The style gauntlet behind docs/styles.md: every style against Balanced
# (table, CSV and PGN in STYLES_DIR), then the chart. STYLES_ARGS passes options, e.g. --quick.
STYLES_DIR ?= docs/styles
STYLES_ARGS ?=
styles: build
	./$(BUILD_DIR)/brisvane styles --out $(STYLES_DIR) $(STYLES_ARGS)
	@$(MAKE) --no-print-directory styles-chart STYLES_DIR=$(STYLES_DIR)

# The style gate: every style against the engine's strongest play (NoTactics: Balanced with
# the tactical selection off) and beside Balanced at its default. Each style's own column
# must lie beyond both rows' 95% intervals in the promised direction, and each steering style
# must score -50 Elo or better against NoTactics; fails naming each style, test and figure
# that failed. Whole games (no ply cap; the score rules for resigning and drawing end lost
# and dead games early), 120 games a row at 100000 nodes a move from 60 positions of the
# set the published strengths were chosen on.
STYLES_CHECK_DIR ?= $(BUILD_DIR)/styles-check
# Each style plays at its published strength, Balanced at its own too ("Balanced@N") beside
# Balanced at 100; the rows are every style, as the program's own list names them.
STYLES_CHECK_ARGS = --gate --baseline NoTactics --games 120 --nodes 100000 --openings tests/data/openings-choose-2.epd
styles-check: build
	./$(BUILD_DIR)/brisvane styles $(STYLES_CHECK_ARGS) --jobs $(JOBS) --out $(STYLES_CHECK_DIR) --styles \
	  $$(./$(BUILD_DIR)/brisvane styles --list | awk -F, 'NR > 1 { name = $$1 == "Balanced" ? ($$2 == 100 ? "" : \
	  "Balanced@" $$2) : $$1; if (name != "") { printf "%s%s", sep, name; sep = "," } }')

# The playing levels (UCI_LimitStrength, UCI_Elo) measured in timed games against Stockfish
# (Debian's stockfish package) and, below its lowest level, against the next level up: the
# tables behind docs/strength.md, with every game's PGN, in CALIBRATION_DIR.
CALIBRATION_DIR ?= docs/strength
calibrate: build
	@test -x /usr/games/stockfish || { echo "Stockfish is missing: install it with 'sudo apt-get install -y stockfish'" >&2; exit 1; }
	OUT=$(CALIBRATION_DIR) tools/calibrate.sh

# The chart alone, from the CSV of the last run.
styles-chart:
	@command -v gnuplot >/dev/null || { echo "gnuplot is missing, so no chart was drawn: install it with" \
	  "'sudo apt-get install -y gnuplot-nox', then run 'make styles-chart'" >&2; exit 1; }
	gnuplot -e "csv='$(STYLES_DIR)/fingerprint.csv'; svg='$(STYLES_DIR)/fingerprint.svg'" tools/styles_chart.gp

# The style strength curves from several runs of the style gauntlet (each folder holding the
# fingerprint.csv of `brisvane styles`; a later folder wins a style and strength that two
# share): the gathered table and its chart in CURVE_DIR; the table is written without gnuplot too.
# Both read the steering styles and their columns from the program's style table.
CURVE_DIR ?= docs/styles
CURVE_RUNS ?=
styles-curve: build
	@test -n "$(CURVE_RUNS)" || { echo "name the runs: make styles-curve CURVE_RUNS=\"DIR...\"" >&2; exit 2; }
	@mkdir -p $(CURVE_DIR)
	BRISVANE=$(BUILD_DIR)/brisvane tools/styles_curve.sh $(CURVE_DIR)/curve.csv $(CURVE_RUNS)
	@command -v gnuplot >/dev/null || { echo "gnuplot is missing, so no chart was drawn: install it with" \
	  "'sudo apt-get install -y gnuplot-nox', then run 'make styles-curve'" >&2; exit 1; }
	gnuplot -e "csv='$(CURVE_DIR)/curve.csv'; svg='$(CURVE_DIR)/curve.svg'; brisvane='$(BUILD_DIR)/brisvane'" \
	  tools/styles_curve.gp

# The sanitizer builds: the code under test optimised as RelWithDebInfo, with line tables
# only (-g1), which is all a report's stack trace needs and halves the compile time of full
# debug info; the test sources unoptimised, as the instrumented GoogleTest macros take
# twice as long to compile at -O1.
SANITIZER_BUILD = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
  -DBRISVANE_TEST_OPT=-O0

# Unit tests again under AddressSanitizer + UndefinedBehaviorSanitizer. Only what they run
# is built: the test executables and the engine (no tools, no slow tests).
asan:
	cmake -S . -B build-asan $(SANITIZER_BUILD) -DBRISVANE_SLOW_TESTS=OFF -DBRISVANE_SANITIZE=address,undefined >/dev/null
	cmake --build build-asan -j $(JOBS) --target unit_tests
	ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --test-dir build-asan -LE slow -j $(JOBS) --output-on-failure

# The search thread, the process tests (frontend) and the gauntlet workers (games) under ThreadSanitizer.
tsan:
	cmake -S . -B build-tsan $(SANITIZER_BUILD) -DBRISVANE_SANITIZE=thread >/dev/null
	cmake --build build-tsan -j $(JOBS) --target brisvane frontend_tests frontend_serial_tests games_tests
	TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan -L "frontend|games" -LE slow -j $(JOBS) --output-on-failure

# The libFuzzer targets (clang), FUZZ_SECONDS each, with the whole core instrumented.
# New corpus entries go to build-fuzz; the committed seeds stay untouched.
FUZZ_SECONDS ?= 30
FUZZ_TARGETS = uci_fuzz fen_fuzz book_fuzz pgn_fuzz
fuzz:
	CC=clang CXX=clang++ cmake -S . -B build-fuzz $(SANITIZER_BUILD) -DBUILD_TESTING=OFF \
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
