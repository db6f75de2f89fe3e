#include "frontend/go.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "base/output.h"
#include "base/text.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "frontend/options.h"
#include "frontend/own_book.h"
#include "search/strength.h"
#include "frontend/search_thread.h"
#include "search/search_state.h"
#include "search/timeman.h"

namespace {

bool is_go_word(const std::string& word) {
  static constexpr std::array<std::string_view, 13> GO_WORDS = {
      "searchmoves", "ponder", "wtime", "btime",    "winc",     "binc",    "movestogo",
      "depth",       "nodes",  "mate",  "movetime", "infinite", "perft"};
  return std::find(GO_WORDS.begin(), GO_WORDS.end(), word) != GO_WORDS.end();
}

// Reads the number after a limit word; text receives the word it was read from.
// Only its leading sign and digits count: whatever follows them in the same word
// is read as the next word. A go word is left for the next read, not taken for a
// missing value. Without digits the value is 0 and the answer false; past the
// 32-bit range the value is the nearest end.
bool read_limit_value(std::istream& words, int& value, std::string& text) {
  value = 0;
  text.clear();
  const std::streampos before = words.tellg();
  if (!(words >> text) || is_go_word(text)) {
    words.clear();
    if (!text.empty()) words.seekg(before);
    text.clear();
    return false;
  }
  const LeadingInteger read = read_leading_integer(text);
  if (read.length > 0 && read.length < text.size()) {
    words.clear();
    words.seekg(-static_cast<std::streamoff>(text.size() - read.length), std::ios::cur);
    text.resize(read.length);
  }
  value = static_cast<int>(std::clamp<std::int64_t>(read.value, INT32_MIN, INT32_MAX));
  return read.length > 0;
}

// The limit words with a number, what their value must be, what becomes of one that
// is not, and where it is kept. A clock or an increment may be 0 (a game without base
// time); a count or a movetime of 0 asks for nothing. A time word keeps even a value
// it could not use, which the time manager takes as no time; a count keeps its default.
struct LimitWord {
  std::string_view word;
  bool zero_allowed;
  bool time_word;
  std::string_view otherwise;
  void (*store)(GoLimits& limits, int value);
};
constexpr std::array<LimitWord, 9> LIMIT_WORDS = {{
    {"depth", false, false, "ignored", [](GoLimits& l, int v) { l.depth = v; }},
    {"nodes", false, false, "ignored", [](GoLimits& l, int v) { l.nodes = v; }},
    {"mate", false, false, "ignored", [](GoLimits& l, int v) { l.mate = v; }},
    {"movestogo", false, false, "ignored", [](GoLimits& l, int v) { l.time.movestogo = v; }},
    {"movetime", false, true, "moving at once", [](GoLimits& l, int v) { l.time.movetime = v; }},
    {"wtime", true, true, "no time left", [](GoLimits& l, int v) { l.time.wtime = v; }},
    {"btime", true, true, "no time left", [](GoLimits& l, int v) { l.time.btime = v; }},
    {"winc", true, true, "no increment", [](GoLimits& l, int v) { l.time.winc = v; }},
    {"binc", true, true, "no increment", [](GoLimits& l, int v) { l.time.binc = v; }},
}};

void read_limit(std::istream& words, const LimitWord& limit, GoLimits& limits) {
  int value = 0;
  std::string text;
  const bool number = read_limit_value(words, value, text);
  const bool usable = number && (limit.zero_allowed ? value >= 0 : value > 0);
  if (!usable) {
    std::string fault = std::string(limit.word) + " needs " +
                        (limit.zero_allowed ? "a number, 0 or more" : "a number above 0");
    if (!text.empty()) fault += ", not " + quoted(text);
    limits.faults.push_back(fault + "; " + std::string(limit.otherwise));
  }
  if (usable || limit.time_word) limit.store(limits, value);
}

// The words that name legal moves of the current position, each once, in the given order.
std::vector<Move> legal_search_moves(const std::vector<std::string>& words) {
  std::vector<Move> moves;
  if (words.empty()) return moves;
  MoveList list;
  generate_moves(list);
  std::vector<std::pair<std::string, Move>> legal;
  for (const Move& m : list.moves) {
    const SavedPosition saved = save_position();
    if (make_move(m)) legal.emplace_back(move_to_str(m), m);
    restore_position(saved);
  }
  for (const std::string& word : words) {
    for (const auto& named : legal) {
      if (named.first != word) continue;
      const Move& m = named.second;
      const bool seen = std::any_of(moves.begin(), moves.end(), [&](const Move& x) { return same_move(x, m); });
      if (!seen) moves.push_back(m);
    }
  }
  return moves;
}

}  // namespace

GoLimits parse_go_limits(std::istream& words) {
  GoLimits limits;
  std::string word;
  bool more = static_cast<bool>(words >> word);
  while (more) {
    if (word == "searchmoves") {
      while ((more = static_cast<bool>(words >> word)) && !is_go_word(word)) limits.searchmoves.push_back(word);
      continue;
    }
    const auto limit = std::find_if(LIMIT_WORDS.begin(), LIMIT_WORDS.end(),
                                    [&](const LimitWord& l) { return l.word == word; });
    if (limit != LIMIT_WORDS.end()) {
      read_limit(words, *limit, limits);
    } else if (word == "infinite") {
      limits.infinite = true;
    } else if (word == "ponder") {
      limits.ponder = true;
    } else if (word == "perft") {
      limits.perft = true;
      std::string text;
      read_limit_value(words, limits.perft_depth, text);
    }
    more = static_cast<bool>(words >> word);
  }
  return limits;
}

bool go_must_end(const GoLimits& limits) {
  return !limits.faults.empty() && !limits.infinite && limits.depth == GoLimits{}.depth && limits.nodes == 0 &&
         !go_time_given(limits.time);
}

SearchLimits derive_search_args(const GoLimits& limits, int side_to_move) {
  SearchLimits args;
  args.nodes = limits.nodes;
  args.mate = limits.mate;
  args.ponder = limits.ponder;
  args.multipv = std::max(1, multi_pv);
  // A limited strength plays within its level's node budget and chooses among close
  // root moves; analysis (infinite) always sees the engine at full strength.
  if (limit_strength && !limits.infinite) limit_to_level(args, strength_elo, side_to_move);
  args.searchmoves = legal_search_moves(limits.searchmoves);
  if (limits.infinite) {
    args.infinite = args.analysis = true;
    return args;
  }
  args.depth = limits.depth;
  args.movetime_ms = go_budget_ms(limits.time, side_to_move, move_overhead_ms, go_must_end(limits));
  // A search without a time of its own is analysis: no tactical selection.
  args.analysis = !go_time_given(limits.time);
  return args;
}

void handle_go(std::istream& words) {
  wait_search_done();
  const GoLimits limits = parse_go_limits(words);
  // A GUI shows "info string" lines, not standard error.
  for (const std::string& fault : limits.faults) send_line("info string go: " + fault);
  if (go_must_end(limits))
    send_line("info string go: no limit left to end the search; moving at once");
  if (limits.perft) {
    stop_search.store(false);
    start_perft_thread(limits.perft_depth);
    return;
  }
  // A book move is played at once, on any clock.
  if (go_may_use_book(limits)) {
    const Move book_move = own_book_move();
    if (!is_empty_move(book_move)) {
      send_line("bestmove " + move_to_str(book_move));
      return;
    }
  }
  const SearchLimits args = derive_search_args(limits, side);
  stop_search.store(false);
  pondering.store(args.ponder);
  start_search_thread(args);
}
