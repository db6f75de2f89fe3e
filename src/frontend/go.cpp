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

// Reads the number after a limit word. Only its leading sign and digits count:
// whatever follows them in the same word is read as the next word. Without digits
// the value is 0; past the 32-bit range it is the nearest end. Either failure
// returns false.
bool read_limit_value(std::istream& words, int& value) {
  std::string word;
  words >> word;
  const LeadingInteger read = read_leading_integer(word);
  if (read.length > 0 && read.length < word.size()) {
    words.clear();
    words.seekg(-static_cast<std::streamoff>(word.size() - read.length), std::ios::cur);
  }
  value = static_cast<int>(std::clamp<std::int64_t>(read.value, INT32_MIN, INT32_MAX));
  return read.length > 0 && read.value == value;
}

bool is_go_word(const std::string& word) {
  static constexpr std::array<std::string_view, 13> GO_WORDS = {
      "searchmoves", "ponder", "wtime", "btime",    "winc",     "binc",    "movestogo",
      "depth",       "nodes",  "mate",  "movetime", "infinite", "perft"};
  return std::find(GO_WORDS.begin(), GO_WORDS.end(), word) != GO_WORDS.end();
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
    int* target = nullptr;
    if (word == "depth") target = &limits.depth;
    else if (word == "movetime") target = &limits.movetime;
    else if (word == "wtime") target = &limits.wtime;
    else if (word == "btime") target = &limits.btime;
    else if (word == "winc") target = &limits.winc;
    else if (word == "binc") target = &limits.binc;
    else if (word == "nodes") target = &limits.nodes;
    else if (word == "mate") target = &limits.mate;
    else if (word == "movestogo") target = &limits.movestogo;
    else if (word == "infinite") limits.infinite = true;
    else if (word == "ponder") limits.ponder = true;
    else if (word == "perft") {
      limits.perft = true;
      target = &limits.perft_depth;
    }
    if (target != nullptr && !read_limit_value(words, *target)) break;
    more = static_cast<bool>(words >> word);
  }
  return limits;
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
  } else if (limits.movetime != 0) {
    args.depth = limits.depth;
    args.movetime_ms = limits.movetime;
  } else if (limits.wtime != 0 || limits.btime != 0) {
    args.depth = limits.depth;
    const bool white = side_to_move == WHITE;
    args.movetime_ms = clock_budget_ms(white ? limits.wtime : limits.btime, white ? limits.winc : limits.binc,
                                       limits.movestogo, move_overhead_ms);
  } else {
    args.depth = limits.depth;
    args.analysis = true;
  }
  return args;
}

void handle_go(std::istream& words) {
  wait_search_done();
  const GoLimits limits = parse_go_limits(words);
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
