// libFuzzer target: feeds arbitrary text to the UCI dispatcher, one line per
// "\n", from a fresh start position and default settings each time.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <sstream>
#include <string>

#include "board/attacks.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "frontend/options.h"
#include "frontend/search_thread.h"
#include "frontend/uci.h"
#include "frontend/uci_options.h"
#include "search/tt.h"
#include "style/search_mode.h"
#include "style/tactical.h"
#include "frontend/startup.h"

namespace {

// A setoption line that would give the table more than a few megabytes.
bool large_hash(const std::string& line) {
  std::istringstream words(line);
  std::string word, name, value;
  words >> word;
  if (word != "setoption") return false;
  words >> word;
  while (words >> word && word != "value") name += name.empty() ? word : " " + word;
  words >> value;
  const UciOption* option = find_uci_option(name);
  long long megabytes = 0;
  return option && option->name == "Hash" && read_integer(value, megabytes) && megabytes > 8;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  init_tables();
  // The answers ("uci", "d") and the diagnostics of refused options are not what is
  // being tested; keep the fuzzer's log readable.
  const int null_fd = open("/dev/null", O_WRONLY);
  if (null_fd >= 0) dup2(null_fd, STDOUT_FILENO);
  if (null_fd >= 0) dup2(null_fd, STDERR_FILENO);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  init_board_startpos();
  white_search_mode = Balanced;
  black_search_mode = Balanced;
  tactical_move_selection = true;
  tactic_threshold_cp = 40;
  move_overhead_ms = DEFAULT_MOVE_OVERHEAD_MS;
  multi_pv = 1;
  ponder_enabled = false;
  search_threads = 1;
  if (hash_megabytes != DEFAULT_HASH_MB) {
    hash_megabytes = DEFAULT_HASH_MB;
    tt_resize(DEFAULT_HASH_MB);
  }

  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  std::string line;
  while (std::getline(input, line)) {
    // Tables past a few megabytes take long to fill; their sizes are tried by the process tests.
    if (large_hash(line)) continue;
    if (!uci_command(line)) break;
    // A search runs for as long as it is told to; stopped at once, it still completes
    // its first iterations (a few thousand nodes), so every input stays short.
    wait_search_done();
    if (repetition_stack.empty() || repetition_stack.back() != zobrist_key) __builtin_trap();
  }
  return 0;
}
