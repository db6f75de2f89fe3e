#pragma once
// Shared set-up for the evaluation tests: tables built once, modes reset after each test.

#include <gtest/gtest.h>

#include <string>

#include "board/attacks.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "eval/passed_pawns.h"
#include "search/startup.h"
#include "style/search_mode.h"

constexpr const char* START_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

class EvalTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    init_tables();
  }
  void TearDown() override { set_modes(Balanced, Balanced); }

  static void set_modes(SearchMode white, SearchMode black) {
    white_search_mode = white;
    black_search_mode = black;
  }
  static void load(const std::string& fen) { load_fen(fen); }
};
