#pragma once
// Whether a style can be named from its fingerprint: each row's games cut into blocks,
// each block named by the nearest style's mean over the columns the gate holds styles to.

#include <string>
#include <vector>

#include "games/fingerprint.h"
#include "style/search_mode.h"

// Games to a block: about what a short match shows of a style.
constexpr int RECOGNITION_BLOCK_GAMES = 20;
// The longest block a report takes: more games than a run plays a row.
constexpr int RECOGNITION_BLOCK_MAX = 10000;

// A row of a run: its name, its style (rows of one style, Balanced at two strengths, are
// one class) and its games in game order. The gauntlet leaves NoTactics, its yardstick, out.
struct RecognitionRow {
  std::string name;
  SearchMode style;
  std::vector<GameStats> games;
};

struct RowNaming {
  std::string name;
  SearchMode style;
  int blocks = 0;
  int named_right = 0;
  std::string most_common_wrong;  // the style its blocks were most often taken for; empty when never wrong
};

struct Recognition {
  int block_games = RECOGNITION_BLOCK_GAMES;
  int features = 0;  // the gate's columns that vary over the run's games
  std::vector<RowNaming> rows;
};

// Each distinct gate column of the style table is a feature, one value per game (the
// game's terms of that fingerprint figure), divided by its spread over all games (a
// column that never varies is left out). Each row's games, in order, are cut into
// blocks of block_games (a short tail is no block); a block's mean is named
// by the nearest (Euclidean) class mean over all its games, its own class's without the
// block itself. A class with no game left is no candidate; ties go to the earlier style.
Recognition recognise(const std::vector<RecognitionRow>& rows, int block_games = RECOGNITION_BLOCK_GAMES);

// "Recognition: N of M blocks of B games named right (P% [low, high])" with a 95%
// interval, then a line with each style's count; one line when no row has a block.
std::string recognition_text(const Recognition& recognition);

// One line per row: row,style,blocks,named_right,most_common_wrong.
std::string recognition_csv(const Recognition& recognition);
