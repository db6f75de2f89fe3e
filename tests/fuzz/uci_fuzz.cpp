// libFuzzer target: feeds arbitrary text to the UCI dispatcher, one line per
// "\n", from a fresh start position and default settings each time.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <sstream>
#include <string>

#include "base/output.h"
#include "base/text.h"
#include "board/attacks.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "frontend/options.h"
#include "frontend/search_thread.h"
#include "frontend/uci.h"
#include "frontend/uci_options.h"
#include "search/startup.h"
#include "search/threads.h"
#include "search/tt.h"
#include "style/search_mode.h"
#include "style/tactical.h"

namespace {

constexpr int FUZZ_HASH_MB = 1;

// A setoption line that would make an input slow: a table past a few megabytes or
// more than a few search threads (a value that does not read as a small number may
// be clamped to the top of the range). Those limits are tried by the process tests.
bool costly_option(const std::string& line) {
  std::istringstream words(line);
  std::string word, name, value;
  words >> word;
  if (word != "setoption") return false;
  words >> word;
  while (words >> word && word != "value") name += name.empty() ? word : " " + word;
  words >> value;
  const UciOption* option = find_uci_option(name);
  if (!option) return false;
  std::int64_t number = 0;
  const bool read = read_whole_integer(value, number);
  if (option->name == "Hash") return !read || number > 2;
  if (option->name == "Threads") return !read || number > 4;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  init_tables();
  // The answers ("uci", "d") and the diagnostics of refused options are not what is
  // being tested; keep the fuzzer's log readable.
  const int null_fd = open("/dev/null", O_WRONLY);
  if (null_fd >= 0) dup2(null_fd, STDOUT_FILENO);
  error_lines_enabled = false;
  // "ucinewgame" and "Clear Hash" empty the whole table: keep it small so that runs stay short.
  tt_resize(FUZZ_HASH_MB);
  hash_megabytes = FUZZ_HASH_MB;
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
  if (hash_megabytes != FUZZ_HASH_MB) {
    hash_megabytes = FUZZ_HASH_MB;
    tt_resize(FUZZ_HASH_MB);
  }

  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  std::string line;
  while (std::getline(input, line)) {
    if (costly_option(line)) continue;
    if (!uci_command(line)) break;
    // A search runs for as long as it is told to; stopped at once, it still completes
    // its first iterations (a few thousand nodes), so every input stays short.
    wait_search_done();
    if (repetition_stack.empty() || repetition_stack.back() != zobrist_key) __builtin_trap();
  }
  return 0;
}
