#pragma once
// Shared set-up of the search tests: the start-up tables, built once, and a clean
// search state for every test.

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <vector>
#include <string>

#include "board/attacks.h"
#include "board/move.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "eval/passed_pawns.h"
#include "search/ordering.h"
#include "search/search_state.h"
#include "search/startup.h"
#include "search/threads.h"
#include "search/tt.h"
#include "style/search_mode.h"
#include "style/tactical.h"

class SearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    init_tables();
    white_search_mode = Balanced;
    black_search_mode = Balanced;
    tactical_move_selection = false;
    stop_search = false;
    search_movetime_ms = 0;
    tt_clear();
    std::memset(static_cast<void*>(killers), 0, sizeof killers);
    std::memset(history, 0, sizeof history);
    init_board_startpos();
  }
  void TearDown() override {
    search_threads = 1;
    white_search_mode = Balanced;
    black_search_mode = Balanced;
    tactical_move_selection = true;
    stop_search = false;
  }
};

// The generated move of the current position written as text; fails the test when absent.
inline Move find_move(const std::string& text) {
  Move m = parse_uci_move(text);
  EXPECT_FALSE(is_empty_move(m)) << "no move " << text;
  return m;
}

// Plays a move of the current position as the "position ... moves" command does.
inline void play(const std::string& text) {
  Move m = find_move(text);
  ASSERT_TRUE(make_move(m));
  repetition_stack.push_back(zobrist_key);
}

inline bool is_number(const std::string& word, bool allow_sign) {
  std::size_t start = allow_sign && !word.empty() && word[0] == '-' ? 1 : 0;
  if (word.size() <= start) return false;
  for (std::size_t i = start; i < word.size(); ++i)
    if (word[i] < '0' || word[i] > '9') return false;
  return true;
}

inline bool is_move_text(const std::string& word) {
  auto file = [](char c) { return c >= 'a' && c <= 'h'; };
  auto rank = [](char c) { return c >= '1' && c <= '8'; };
  if (word.size() != 4 && word.size() != 5) return false;
  if (!file(word[0]) || !rank(word[1]) || !file(word[2]) || !rank(word[3])) return false;
  return word.size() == 4 || std::string("qrbn").find(word[4]) != std::string::npos;
}

// Whether line is an iteration line of the given depth: "info depth D score (cp|mate) N
// nodes N time N [nps N] pv" and at least one move.
inline bool is_info_line(const std::string& line, int depth) {
  std::vector<std::string> w;
  std::istringstream in(line);
  for (std::string word; in >> word;) w.push_back(word);
  // Words are separated by single blanks, with none at either end.
  if (line.find("  ") != std::string::npos || line.empty() || line.front() == ' ' || line.back() == ' ') return false;
  if (w.size() < 12 || w[0] != "info" || w[1] != "depth" || w[2] != std::to_string(depth) || w[3] != "score")
    return false;
  if ((w[4] != "cp" && w[4] != "mate") || !is_number(w[5], true)) return false;
  if (w[6] != "nodes" || !is_number(w[7], false) || w[8] != "time" || !is_number(w[9], false)) return false;
  std::size_t i = 10;
  if (w[i] == "nps") {
    if (!is_number(w[i + 1], false)) return false;
    i += 2;
  }
  if (i >= w.size() || w[i] != "pv" || i + 1 >= w.size()) return false;
  for (++i; i < w.size(); ++i)
    if (!is_move_text(w[i])) return false;
  return true;
}
