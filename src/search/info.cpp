// The printed form of search results.

#include <cstdlib>
#include <string>

#include "search/search.h"
#include "search/search_state.h"

int mate_in_moves(int score) {
  int moves = (MATE_VALUE + 1 - std::abs(score)) / 2;
  return score > 0 ? moves : -moves;
}

void print_info_score(std::string& line, int score) {
  if (std::abs(score) < MATE_THRESHOLD) {
    line += " score cp ";
    line += std::to_string(score);
  } else {
    line += " score mate ";
    line += std::to_string(mate_in_moves(score));
  }
}
