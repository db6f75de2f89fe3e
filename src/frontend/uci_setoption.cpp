#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "frontend/options.h"
#include "frontend/search_thread.h"
#include "frontend/uci_commands.h"
#include "search/threads.h"
#include "style/search_mode.h"
#include "style/tactical.h"

namespace {

// Joins the remaining words of the line with single blanks, stopping before
// the word stop_at (which is consumed) when it is given.
std::string join_words(std::istream& words, const char* stop_at) {
  std::string joined, word;
  while (words >> word) {
    if (stop_at && word == stop_at) break;
    if (!joined.empty()) joined += ' ';
    joined += word;
  }
  return joined;
}

void set_threshold(const std::string& value) {
  // A value without leading digits, or one outside int, keeps the old
  // threshold; trailing junk after the digits is ignored.
  try {
    tactic_threshold_cp = std::stoi(value);
  } catch (const std::invalid_argument&) {
  } catch (const std::out_of_range&) {
  }
}

// Out-of-range and malformed values are clamped into the advertised range.
void set_threads(const std::string& value) {
  const long long asked = std::strtoll(value.c_str(), nullptr, 10);
  search_threads = static_cast<int>(std::clamp<long long>(asked, 1, MAX_SEARCH_THREADS));
}

}  // namespace

void handle_setoption(std::istream& words) {
  wait_search_done();
  std::string ignored;
  next_word(words, ignored);  // normally "name"; not checked
  const std::string name = join_words(words, "value");
  const std::string value = join_words(words, nullptr);

  if (name == "WhiteSearchMode") {
    white_search_mode = parse_search_mode(value);
  } else if (name == "BlackSearchMode") {
    black_search_mode = parse_search_mode(value);
  } else if (name == "SearchMode") {
    apply_search_mode_both(value);
  } else if (name == "TacticalMoveSelection") {
    tactical_move_selection = value == "true" || value == "1";
  } else if (name == "TacticThreshold") {
    set_threshold(value);
  } else if (name == "Threads") {
    set_threads(value);
  }
  // Hash and unknown names: the table has a fixed size, nothing to change.
}
