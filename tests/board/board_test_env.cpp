#include "board_test_env.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "board/attacks.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "search/startup.h"

void init_board_tables() {
  static bool done = false;
  if (done) return;
  init_tables();
  init_board_startpos();
  done = true;
}

namespace {
struct BoardTables : testing::Environment {
  void SetUp() override { init_board_tables(); }
};
[[maybe_unused]] testing::Environment* const board_env = testing::AddGlobalTestEnvironment(new BoardTables);
}  // namespace

std::vector<EpdCase> read_perft_suite(const char* file) {
  std::ifstream in(std::string(BRISVANE_TEST_DATA "/") + file);
  std::vector<EpdCase> cases;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    std::istringstream fields(line);
    EpdCase c;
    std::getline(fields, c.fen, ';');
    std::string entry;
    while (std::getline(fields, entry, ';')) {
      std::istringstream words(entry);
      std::string depth;
      std::uint64_t count = 0;
      words >> depth >> count;
      c.counts.push_back(count);
    }
    cases.push_back(c);
  }
  return cases;
}

std::vector<std::string> move_texts(const MoveList& list) {
  std::vector<std::string> texts;
  for (const Move& m : list.moves) texts.push_back(move_to_str(m));
  return texts;
}

bool psq_sums_match_board() {
  int mg = 0, eg = 0;
  compute_psq_sums(mg, eg);
  return psq_mg == mg && psq_eg == eg;
}

bool same_position(const SavedPosition& a, const SavedPosition& b) {
  for (int i = 0; i < 12; ++i)
    if (a.bitboards[i] != b.bitboards[i]) return false;
  for (int i = 0; i < 3; ++i)
    if (a.occupancies[i] != b.occupancies[i]) return false;
  return a.zobrist_key == b.zobrist_key && a.side == b.side && a.castle == b.castle && a.ep_sq == b.ep_sq &&
         a.halfmove_clock == b.halfmove_clock && a.psq_mg == b.psq_mg && a.psq_eg == b.psq_eg;
}
