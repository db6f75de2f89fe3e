// Limited levels play whole endings: every level still mates a lone king with king
// and queen or king and rook inside the fifty-move rule, in more than one style.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "base/output.h"
#include "board/position.h"
#include "frontend/go.h"
#include "frontend/options.h"
#include "games/adjudication.h"
#include "search/search.h"
#include "search/startup.h"
#include "search/strength.h"
#include "search/tt.h"
#include "style/search_mode.h"
#include "style/tactical.h"

namespace {

// Plays from fen with the level on the side to move, against a full-strength defender
// on a small node budget. Returns the plies to mate, or -1 when the game ends another way.
int plies_to_mate(const std::string& fen, int elo, SearchMode attacker_mode) {
  load_fen(fen);
  tt_clear();
  const int attacker = side;
  (attacker == WHITE ? white_search_mode : black_search_mode) = attacker_mode;
  strength_elo = elo;
  GameProgress progress;
  progress.keys.push_back(zobrist_key);
  progress.max_plies = 200;
  for (;;) {
    const GameEnd end = adjudicate(progress);
    if (end == GameEnd::Checkmate) return side != attacker ? progress.plies : -1;
    if (end != GameEnd::None) return -1;
    GoLimits go;
    limit_strength = side == attacker;
    if (limit_strength) {
      go.time.wtime = go.time.btime = 10000;
      go.time.winc = go.time.binc = 100;
    } else {
      go.nodes = 20000;
    }
    const Move m = search_best(derive_search_args(go, side)).best;
    if (!make_move(m)) return -1;
    repetition_stack.push_back(zobrist_key);
    record_move(m, progress);
  }
}

class StrengthPlay : public ::testing::Test {
 protected:
  void SetUp() override {
    init_tables();
    seed_strength_random(77);
    set_line_sink(drop_line);
  }
  void TearDown() override {
    set_line_sink(nullptr);
    limit_strength = false;
    strength_elo = STRENGTH_DEFAULT_ELO;
    white_search_mode = black_search_mode = Balanced;
    tactical_move_selection = true;
    seed_strength_random(0);
  }
};

TEST_F(StrengthPlay, EveryLevelMatesWithQueenOrRookAgainstALoneKing) {
  const int levels[] = {STRENGTH_MIN_ELO, (STRENGTH_MIN_ELO + STRENGTH_MAX_ELO) / 2, STRENGTH_MAX_ELO};
  for (const int elo : levels) {
    for (const char* fen : {"8/8/8/4k3/8/8/8/R3K3 w - - 0 1", "8/8/8/4k3/8/8/8/3QK3 w - - 0 1",
                            "K6r/8/8/8/8/8/8/7k b - - 0 1"}) {
      for (const SearchMode mode : {Balanced, KingAttack}) {
        const int plies = plies_to_mate(fen, elo, mode);
        EXPECT_GT(plies, 0) << "level " << elo << " " << mode_name(mode) << " from " << fen;
      }
    }
  }
}

}  // namespace
