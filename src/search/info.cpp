// The printed form of search results.

#include "search/info.h"

#include <cstdlib>
#include <string>

#include "base/output.h"
#include "board/notation.h"
#include "search/search_state.h"
#include "search/threads.h"

int mate_in_moves(int score) {
  int moves = (MATE_VALUE + 1 - std::abs(score)) / 2;
  return score > 0 ? moves : -moves;
}

bool is_mate_score(int score) { return std::abs(score) >= MATE_THRESHOLD; }

void print_info_score(std::string& line, int score) {
  if (!is_mate_score(score)) {
    line += " score cp ";
    line += std::to_string(score);
  } else {
    line += " score mate ";
    line += std::to_string(mate_in_moves(score));
  }
}

void send_info_line(int depth, int line_number, int score, long long ms, const std::vector<Move>& pv) {
  std::string line = "info depth " + std::to_string(depth);
  if (line_number > 0) line += " multipv " + std::to_string(line_number);
  print_info_score(line, score);
  const std::int64_t nodes = search_nodes_total();
  line += " nodes " + std::to_string(nodes);
  line += " time " + std::to_string(ms);
  if (ms >= 1) line += " nps " + std::to_string(nodes * 1000 / ms);
  line += " pv";
  for (const Move& m : pv) {
    line += ' ';
    line += move_to_str(m);
  }
  send_line(line);
}
