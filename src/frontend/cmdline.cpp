#include "frontend/cmdline.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "base/output.h"
#include "base/text.h"
#include "board/notation.h"
#include "board/perft.h"
#include "board/position.h"
#include "frontend/book_command.h"
#include "frontend/options.h"
#include "frontend/search_thread.h"
#include "frontend/speed.h"
#include "frontend/uci.h"
#include "frontend/uci_options.h"
#include "games/gauntlet.h"
#include "search/search.h"
#include "search/search_state.h"
#include "search/threads.h"
#include "style/search_mode.h"
#include "style/style_strength.h"
#include "style/tactical.h"

namespace {

constexpr const char* KIWIPETE_FEN = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

// A style name after --mode and friends, matched without regard to case. A name
// it does not know means Balanced, as it always has, but no longer silently.
SearchMode mode_argument(const std::string& name) {
  SearchMode mode = Balanced;
  if (!read_search_mode(name, mode)) send_error_line("unknown style " + quoted(name) + ": Balanced");
  return mode;
}

// A number on the command line, read as the C library's conversion reads it: blanks
// before it skipped, then its leading digits (0 without any).
std::int64_t leading_number(const std::string& text) {
  const std::size_t start = std::min(text.find_first_not_of(" \t\n\v\f\r"), text.size());
  return read_leading_integer(std::string_view(text).substr(start)).value;
}

int number_argument(const std::string& text, int low, int high) {
  return static_cast<int>(std::clamp<std::int64_t>(leading_number(text), low, high));
}

// The threshold, clamped to the range the UCI option advertises.
int threshold_argument(const std::string& text) {
  return number_argument(text, TACTIC_THRESHOLD_MIN, TACTIC_THRESHOLD_MAX);
}

// The thread count, clamped to the Threads option's range.
int threads_argument(const std::string& text) { return number_argument(text, 1, MAX_SEARCH_THREADS); }

// Usage lines are wrapped to fit a narrow terminal.
constexpr std::size_t USAGE_WIDTH = 100;

void print_usage() {
  for (const char* line : {
           "usage: brisvane [options] [command [count]]",
           "commands (without one, the engine speaks UCI on standard input and output):",
           "  perft [N]      count the move tree of the start position to depth N (default 5)",
           "  kiwipete [N]   the same for the kiwipete test position (default 4)",
           "  bench          search the start position to depth 8; the last line gives nodes and speed",
           "  speed [D] [STYLE]   the speed suite: each position to its own depth (or at most D), nodes and\n"
           "                 time; with a style, every position in it at its published strength",
           "  styles [OPTS]  the style gauntlet: every style against Balanced (styles --help lists OPTS)",
           "  styles --list  a line per style for scripts: published strength, gate columns, costed, book",
           "  book build IN.pgn OUT.bin [--max-ply N] [--min-count N]   an opening book from the games of a PGN",
           "  book probe BOOK.bin [FEN]   the moves a book holds for a position (default: the start)",
           "options:",
           "  --style NAME     both sides play the style at its published strength (the Style option)",
           "  --strength N     both sides' style strength (0-400) in UCI mode; after --style it refines it",
           "  --mode NAME, --white-mode NAME, --black-mode NAME   style of both sides, of White, of Black",
           "  --threshold CP   how far below the best move a tactical pick may score (0-300, default 40)",
           "  --no-tactics     never replace the best move by a tactical pick",
           "  --threads N      search with N threads (1-256, default 1), also in speed and bench",
           "  --chess960       Chess960: castling written as king takes rook (e1h1), 960 games in styles",
           "  -h, --help       this text      --version   the engine's name and version",
       })
    send_line(line);
  // The style names, wrapped under their heading.
  const std::string heading = "styles (any case):";
  std::string line = heading;
  for (const StyleEntry& style : STYLES) {
    if (line.size() + 1 + std::strlen(style.name) > USAGE_WIDTH) {
      send_line(line);
      line = std::string(heading.size(), ' ');
    }
    line += ' ';
    line += style.name;
  }
  send_line(line);
}

// Runs the bench search and reports its total node count and speed, as testing
// frameworks read it.
void run_bench() {
  SearchLimits limits;
  limits.depth = 8;
  const auto start = std::chrono::steady_clock::now();
  const Move best = search_best(limits).best;
  const auto elapsed = std::chrono::steady_clock::now() - start;
  send_line("bestmove " + move_to_str(best));
  const long long us = std::max<long long>(1, std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count());
  const std::int64_t nodes = search_nodes_total();
  send_line(std::to_string(nodes) + " nodes " + std::to_string(nodes * 1000000 / us) + " nps");
}

// If word is prefix followed by a value in the same word, stores the value.
bool take_joined(const std::string& word, std::string_view prefix, std::string& value) {
  if (word.size() < prefix.size() || word.compare(0, prefix.size(), prefix) != 0) return false;
  value = word.substr(prefix.size());
  return true;
}

// The count after a command word. A count past the 32-bit range keeps only its low
// 32 bits, as the C conversion has always given it: a small or negative depth, never
// a count that cannot finish.
int count_or(const std::vector<std::string>& command_words, int fallback) {
  return command_words.size() > 1 ? static_cast<int>(leading_number(command_words[1])) : fallback;
}

// The words a UCI session reads before its loop: --strength sets both sides' style
// strength, after any --style. Other words beginning with "--" (a mistyped option, or one
// missing its value) are named on standard error rather than lost without a word; the loop
// runs all the same.
void apply_uci_mode_words(const std::vector<std::string>& words) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::string value;
    if (take_joined(words[i], "--strength=", value)) {
      white_style_strength = black_style_strength = number_argument(value, STYLE_STRENGTH_MIN, STYLE_STRENGTH_MAX);
    } else if (words[i] == "--strength" && i + 1 < words.size()) {
      white_style_strength = black_style_strength =
          number_argument(words[++i], STYLE_STRENGTH_MIN, STYLE_STRENGTH_MAX);
    } else if (words[i].rfind("--", 0) == 0) {
      send_error_line("command line: " + quoted(words[i]) + " not understood; ignored");
    }
  }
}

}  // namespace

std::vector<std::string> apply_command_line(const std::vector<std::string>& args) {
  std::vector<std::string> command_words;
  const std::size_t n = args.size();
  std::size_t i = 0;
  while (i < n) {
    const std::string& word = args[i];
    // A two-word option takes the next word whatever it looks like; as the last word it is a command word.
    const bool has_next = i + 1 < n;
    const std::string next = has_next ? args[i + 1] : std::string();
    std::string value;
    std::size_t used = 1;
    if (take_joined(word, "--mode=", value)) {
      white_search_mode = black_search_mode = mode_argument(value);
    } else if (word == "--mode" && has_next) {
      white_search_mode = black_search_mode = mode_argument(next);
      used = 2;
    } else if (take_joined(word, "--white-mode=", value)) {
      white_search_mode = mode_argument(value);
    } else if (word == "--white-mode" && has_next) {
      white_search_mode = mode_argument(next);
      used = 2;
    } else if (take_joined(word, "--black-mode=", value)) {
      black_search_mode = mode_argument(value);
    } else if (word == "--black-mode" && has_next) {
      black_search_mode = mode_argument(next);
      used = 2;
    } else if (take_joined(word, "--style=", value)) {
      choose_style(mode_argument(value));
    } else if (word == "--style" && has_next) {
      choose_style(mode_argument(next));
      used = 2;
    } else if (take_joined(word, "--threshold=", value)) {
      tactic_threshold_cp = threshold_argument(value);
    } else if (word == "--threshold" && has_next) {
      tactic_threshold_cp = threshold_argument(next);
      used = 2;
    } else if (take_joined(word, "--threads=", value)) {
      search_threads = threads_argument(value);
    } else if (word == "--threads" && has_next) {
      search_threads = threads_argument(next);
      used = 2;
    } else if (word == "--no-tactics") {
      tactical_move_selection = false;
    } else if (word == "--chess960") {
      chess960 = true;
    } else {
      bool is_mode_word = false;
      for (const StyleEntry& style : STYLES) {
        if (style.word && word == style.word) {
          white_search_mode = black_search_mode = style.mode;
          is_mode_word = true;
          break;
        }
      }
      if (!is_mode_word) command_words.push_back(word);
    }
    i += used;
  }
  return command_words;
}

int run_command(const std::vector<std::string>& command_words) {
  const std::string first = command_words.empty() ? std::string() : command_words[0];

  if (first == "perft") {
    const int depth = count_or(command_words, 5);
    send_line("perft(" + std::to_string(depth) + ") = " + std::to_string(perft(depth)));
    return 0;
  }
  if (first == "kiwipete") {
    load_fen(KIWIPETE_FEN);
    const int depth = count_or(command_words, 4);
    send_line("perft(" + std::to_string(depth) + ") on kiwipete = " + std::to_string(perft(depth)));
    return 0;
  }
  if (first == "bench") {
    // A fixed-depth search of the start position on this thread; nothing can stop it.
    run_bench();
    return 0;
  }
  if (first == "--help" || first == "-h") {
    print_usage();
    return 0;
  }
  if (first == "--version") {
    send_line(std::string("Brisvane ") + BRISVANE_VERSION);
    return 0;
  }

  if (first == "speed") {
    // The fixed suite, each position to its depth, or all capped at the given depth; a
    // style name after it searches every position in that style.
    std::vector<std::string> words = {first};
    SearchMode style = Balanced;
    bool styled = false;
    for (std::size_t i = 1; i < command_words.size(); ++i) {
      if (read_search_mode(command_words[i], style))
        styled = true;
      else
        words.push_back(command_words[i]);
    }
    run_speed_suite(count_or(words, 64), styled ? &style : nullptr);
    return 0;
  }

  if (first == "book") return run_book_command({command_words.begin() + 1, command_words.end()});
  if (first == "styles") return run_styles_command({command_words.begin() + 1, command_words.end()});

  // "uci", any other word, or none: the UCI loop, then join a search it may have left running.
  apply_uci_mode_words(command_words);
  uci_loop();
  finish_at_end_of_input();
  return 0;
}
