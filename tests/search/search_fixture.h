#pragma once
// Shared set-up of the search tests: the start-up tables, built once, and a clean
// search state for every test.

#include <gtest/gtest.h>

#include <cstring>
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
#include "search/tt.h"
#include "style/search_mode.h"
#include "style/tactical.h"

inline void init_tables_once() {
  static bool done = false;
  if (done) return;
  init_leapers();
  init_magics();
  init_zobrist();
  init_passed_pawn_masks();
  done = true;
}

class SearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    init_tables_once();
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
