#include <sstream>
#include <thread>
#include <vector>

#include "eval/evaluate.h"
#include "search/breadcrumbs.h"
#include "search/fixed_depth.h"
#include "search/negamax.h"
#include "search/quiescence.h"
#include "search/search.h"
#include "search/threads.h"
#include "style/style_strength.h"
#include "search_fixture.h"

namespace {

class DriverTest : public SearchTest {};

struct SearchRun {
  Move best;
  std::vector<std::string> lines;
};

SearchRun run_search(int depth, int movetime_ms = 0, bool analysis = true) {
  ::testing::internal::CaptureStdout();
  SearchRun run;
  SearchLimits limits;
  limits.depth = depth;
  limits.movetime_ms = movetime_ms;
  limits.analysis = analysis;
  run.best = search_best(limits).best;
  std::istringstream out(::testing::internal::GetCapturedStdout());
  for (std::string line; std::getline(out, line);) run.lines.push_back(line);
  return run;
}

SearchRun run_fen(const std::string& fen, int depth) {
  load_fen(fen);
  return run_search(depth);
}

const std::string& last_info(const SearchRun& run) { return run.lines.back(); }

std::string field_after(const std::string& line, const std::string& name) {
  std::istringstream in(line);
  for (std::string word; in >> word;)
    if (word == name) {
      std::string value;
      in >> value;
      if (name == "score") {
        std::string number;
        in >> number;
        value += " " + number;
      }
      return value;
    }
  return "";
}

std::int64_t nodes_of(const std::string& line) { return std::stoll(field_after(line, "nodes")); }

TEST_F(DriverTest, PrintedScores) {
  std::string line;
  print_info_score(line, 48935);
  EXPECT_EQ(line, " score cp 48935");
  for (auto [score, text] : std::vector<std::pair<int, std::string>>{{48936, " score mate 32"},
                                                                      {-48936, " score mate -32"},
                                                                      {48999, " score mate 1"},
                                                                      {-48998, " score mate -1"},
                                                                      {-35, " score cp -35"}}) {
    line.clear();
    print_info_score(line, score);
    EXPECT_EQ(line, text);
  }
}

TEST_F(DriverTest, HeaderAndInfoLinesAreWellFormed) {
  tactical_move_selection = true;
  tactic_threshold_cp = 40;
  SearchRun run = run_search(3);
  ASSERT_EQ(run.lines.size(), 4u);
  EXPECT_EQ(run.lines[0], "info string white_mode=Balanced black_mode=Balanced tactics=on threshold=40");
  for (std::size_t i = 1; i < run.lines.size(); ++i) {
    EXPECT_TRUE(is_info_line(run.lines[i], static_cast<int>(i))) << run.lines[i];
    // No rate is printed before a whole millisecond has passed.
    EXPECT_EQ(field_after(run.lines[i], "time") == "0", run.lines[i].find(" nps ") == std::string::npos);
  }
  EXPECT_EQ(field_after(last_info(run), "pv"), move_to_str(run.best));
  EXPECT_EQ(nodes_of(last_info(run)), nodes_searched);
}

TEST_F(DriverTest, MateInOneAndBeingMated) {
  SearchRun run = run_fen("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", 3);
  EXPECT_EQ(field_after(last_info(run), "score"), "mate 1");
  EXPECT_EQ(move_to_str(run.best), "a1a8");

  run = run_fen("7k/8/6K1/8/8/8/8/R7 b - - 0 1", 3);
  EXPECT_EQ(field_after(last_info(run), "score"), "mate -1");
  EXPECT_EQ(move_to_str(run.best), "h8g8");
}

TEST_F(DriverTest, LongerMatesGetTheirNumber) {
  EXPECT_EQ(field_after(last_info(run_fen("7k/8/8/8/8/8/R7/1R4K1 w - - 0 1", 5)), "score"), "mate 2");
  EXPECT_EQ(field_after(last_info(run_fen("4k3/8/8/8/8/8/R7/1R4K1 w - - 0 1", 5)), "score"), "mate 2");
  EXPECT_EQ(field_after(last_info(run_fen("3k4/8/8/8/8/8/R7/1R4K1 w - - 0 1", 7)), "score"), "mate 3");
  EXPECT_EQ(field_after(last_info(run_fen("r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1", 7)), "score"), "mate 3");
}

TEST_F(DriverTest, NoLegalMoveAtTheRoot) {
  SearchRun mated = run_fen("R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1", 5);
  ASSERT_EQ(mated.lines.size(), 2u);
  EXPECT_EQ(mated.lines[1], "info depth 0 score mate 0 nodes 0 time 0 pv");
  EXPECT_TRUE(is_empty_move(mated.best));

  SearchRun stalemate = run_fen("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", 5);
  ASSERT_EQ(stalemate.lines.size(), 2u);
  EXPECT_EQ(stalemate.lines[1], "info depth 0 score cp 0 nodes 0 time 0 pv");
  EXPECT_EQ(move_to_str(stalemate.best), "0000");
}

TEST_F(DriverTest, DepthBelowOnePlaysTheFirstLegalMoveAndAStopWaitsForTheFirstIteration) {
  // In check, the first generated move may be illegal; the answer must still be legal.
  load_fen("4k3/8/8/8/8/8/3q4/R3K3 w - - 0 1");
  Move first_legal = empty_move();
  MoveList list;
  generate_moves(list);
  for (const Move& m : list.moves) {
    SavedPosition saved = save_position();
    bool legal = make_move(m);
    restore_position(saved);
    if (legal) {
      first_legal = m;
      break;
    }
  }
  ASSERT_FALSE(is_empty_move(first_legal));

  SearchRun shallow = run_search(0);
  EXPECT_EQ(shallow.lines.size(), 1u);  // header only
  EXPECT_TRUE(same_move(shallow.best, first_legal));

  // A stop (or a spent budget) before the first iterations end waits for them: the
  // answer is the searched capture of the queen, not the first legal move.
  ASSERT_NE(move_to_str(first_legal), "e1d2");
  stop_search = true;
  SearchRun stopped = run_search(6);
  ASSERT_EQ(stopped.lines.size(), 3u);
  EXPECT_TRUE(is_info_line(stopped.lines[2], 2)) << stopped.lines[2];
  EXPECT_EQ(move_to_str(stopped.best), "e1d2");
  stop_search = false;
  SearchRun timed = run_search(6, 1, false);
  EXPECT_EQ(move_to_str(timed.best), "e1d2");
}

TEST_F(DriverTest, DeepIteratesTwoPliesAtATimeAfterFour) {
  white_search_mode = Deep;
  black_search_mode = Deep;
  SearchRun run = run_search(7);
  std::vector<std::string> depths;
  for (std::size_t i = 1; i < run.lines.size(); ++i) depths.push_back(field_after(run.lines[i], "depth"));
  EXPECT_EQ(depths, (std::vector<std::string>{"1", "2", "3", "4", "6"}));
}

TEST_F(DriverTest, SameSearchAfterClearingTheTableCountsTheSameNodes) {
  SearchRun first = run_search(6);
  SearchRun warm = run_search(6);
  tt_clear();
  SearchRun cleared = run_search(6);
  EXPECT_EQ(nodes_of(last_info(first)), nodes_of(last_info(cleared)));
  EXPECT_LT(nodes_of(last_info(warm)), nodes_of(last_info(first)));
  EXPECT_TRUE(same_move(first.best, cleared.best));
}

// The tree of a fixed-depth search, pinned per pair of styles: a speed change to the
// board, the evaluation or the search must leave every count and score exactly as it is.
struct PinnedTree {
  const char* fen;
  SearchMode white;
  SearchMode black;
  int depth;
  std::int64_t nodes;
  const char* score;
};

TEST_F(DriverTest, TreeSizesArePinnedPerStyle) {
  const PinnedTree pinned[] = {
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", Balanced, Balanced, 7, 21898, "cp 20"},
      {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", KingAttack, Deep, 6, 101112, "cp 29"},
      {"r1bq1rk1/pppp1ppp/2n2n2/2b1p3/2B1P3/2PP1N2/PP3PPP/RNBQ1RK1 b - - 0 6", Wide, Provocation, 6, 47637, "cp 50"},
      {"r2q1rk1/pp1nbppp/2p1pn2/3p4/2PP1B2/2N1PN2/PPQ2PPP/R3KB1R w KQ - 4 9", PawnStorm, PassedPawn, 7, 87295, "cp 355"},
      {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", Wide, KingAttack, 5, 58052, "cp -459"},
      {"n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1", KingAttack, Wide, 6, 30009, "cp 894"},
      {"8/5pk1/6p1/7p/5P1P/6PK/8/8 w - - 0 1", PawnEnding, Balanced, 12, 86592, "cp -8"},
      {"8/5k2/3b2p1/p4p2/P4P2/3N2P1/5K2/8 w - - 0 1", MinorPieceEnding, MajorPieceEnding, 10, 64314, "cp 0"},
      {"6k1/5pp1/7p/3P4/8/1Q5P/5PP1/2r3K1 w - - 0 1", PassedPawn, Deep, 8, 22827, "cp 645"},
      {"8/8/1k6/2b5/2pP4/8/5K2/8 b - d3 0 1", Deep, Wide, 9, 118626, "cp 588"},
  };
  white_style_strength = black_style_strength = STYLE_STRENGTH_DEFAULT;
  for (const PinnedTree& tree : pinned) {
    white_search_mode = tree.white;
    black_search_mode = tree.black;
    tt_clear();
    const SearchRun run = run_fen(tree.fen, tree.depth);
    EXPECT_EQ(nodes_searched, tree.nodes) << tree.fen << " " << mode_name(tree.white) << "/" << mode_name(tree.black);
    EXPECT_EQ(field_after(last_info(run), "score"), tree.score) << tree.fen;
  }
  // Balanced has no style terms: any strength leaves its tree alone.
  white_search_mode = black_search_mode = Balanced;
  white_style_strength = black_style_strength = STYLE_STRENGTH_MAX;
  tt_clear();
  run_fen(pinned[0].fen, pinned[0].depth);
  EXPECT_EQ(nodes_searched, pinned[0].nodes);
  white_style_strength = black_style_strength = STYLE_STRENGTH_DEFAULT;
}

TEST_F(DriverTest, SearchLeavesThePositionAlone) {
  load_fen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  const SavedPosition before = save_position();
  const std::size_t stack = repetition_stack.size();
  run_search(4);
  const SavedPosition after = save_position();
  EXPECT_EQ(std::memcmp(before.bitboards, after.bitboards, sizeof before.bitboards), 0);
  EXPECT_EQ(std::memcmp(before.occupancies, after.occupancies, sizeof before.occupancies), 0);
  EXPECT_EQ(before.zobrist_key, after.zobrist_key);
  EXPECT_EQ(before.side, after.side);
  EXPECT_EQ(before.castle, after.castle);
  EXPECT_EQ(before.ep_sq, after.ep_sq);
  EXPECT_EQ(repetition_stack.size(), stack);
}

// The tools' fixed-depth search: a mate found from the position and after the mating
// move (scored for the mover), no mate after another, and the position left as it was.
TEST_F(DriverTest, FixedDepthScoresFindTheMateAndLeaveThePositionAlone) {
  load_fen("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1");
  const std::uint64_t key = zobrist_key;
  const std::size_t stack = repetition_stack.size();
  const int score = fixed_depth_score(3);
  EXPECT_GE(score, MATE_THRESHOLD);
  EXPECT_GE(fixed_depth_score_after(find_move("a1a8"), 3), MATE_THRESHOLD);
  EXPECT_LT(fixed_depth_score_after(find_move("a1a2"), 3), MATE_THRESHOLD);
  EXPECT_EQ(zobrist_key, key);
  EXPECT_EQ(repetition_stack.size(), stack);
}

TEST_F(DriverTest, TimedSearchStopsAfterHalfTheBudget) {
  // Every iteration but the last ended within half the budget; the last may not.
  ::testing::internal::CaptureStdout();
  SearchLimits limits;
  limits.movetime_ms = 200;
  limits.analysis = true;
  const Move best = search_best(limits).best;
  std::istringstream out(::testing::internal::GetCapturedStdout());
  std::vector<long long> times;
  for (std::string line; std::getline(out, line);) {
    std::size_t at = line.find(" time ");
    if (line.rfind("info depth", 0) == 0 && at != std::string::npos) times.push_back(std::stoll(line.substr(at + 6)));
  }
  ASSERT_FALSE(times.empty());
  for (std::size_t i = 0; i + 1 < times.size(); ++i) EXPECT_LE(2 * times[i], 200);
  EXPECT_FALSE(is_empty_move(parse_uci_move(move_to_str(best))));
  EXPECT_EQ(search_movetime_ms, 200);
}

TEST_F(DriverTest, NodeBudgetEndsTheSearchWithinOneCheckInterval) {
  ::testing::internal::CaptureStdout();
  SearchLimits limits;
  limits.nodes = 30000;
  const Move best = search_best(limits).best;
  const std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_GE(nodes_searched, 30000);
  EXPECT_LT(nodes_searched, 30000 + 1024);
  EXPECT_NE(out.find("info depth 4 "), std::string::npos);
  EXPECT_FALSE(is_empty_move(parse_uci_move(move_to_str(best))));
  search_node_limit = 0;
}

TEST_F(DriverTest, NodeBudgetEndsTheSearchButNotTheTacticalSelection) {
  // The budget stops the search at the first checked multiple past it; the
  // selection's candidate searches then run on, as they do after a timed search.
  load_fen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  tactical_move_selection = true;
  ::testing::internal::CaptureStdout();
  SearchLimits limits;
  limits.nodes = 30000;
  const Move best = search_best(limits).best;
  ::testing::internal::GetCapturedStdout();
  EXPECT_GT(nodes_searched, 32768 + 100);
  EXPECT_FALSE(is_empty_move(parse_uci_move(move_to_str(best))));
  search_node_limit = 0;
}

// What search_best answers is what its last info line says: the move, the score in
// its printed form, the depth and the reply; after a tactical pick, the pick's own line
// at the depth the search completed.
TEST_F(DriverTest, ResultIsWhatTheLastInfoLineSays) {
  struct Case {
    const char* fen;
    int depth;
    std::int64_t nodes;  // with a node budget and no analysis, the tactical selection runs
    int score;           // the expected score; 0: any centipawn score
    bool pick;
  };
  const Case cases[] = {
      {"6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1", 4, 0, MATE_VALUE - 1, false},
      {"7k/8/6K1/8/8/8/8/R7 b - - 0 1", 3, 0, -MATE_VALUE + 2, false},
      {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 4, 0, 0, false},
      // The selection prefers the check Bb5+ to the search's Nc3 here.
      {"rn1qkbnr/ppp1pppp/8/3p4/3P2b1/4PN2/PPP2PPP/RNBQKB1R w KQkq - 0 4", 64, 3000, 0, true},
  };
  for (const Case& c : cases) {
    load_fen(c.fen);
    tt_clear();
    tactical_move_selection = c.pick;
    SearchLimits limits;
    limits.depth = c.depth;
    limits.nodes = c.nodes;
    limits.analysis = c.nodes == 0;
    ::testing::internal::CaptureStdout();
    const SearchResult result = search_best(limits);
    std::istringstream out(::testing::internal::GetCapturedStdout());
    search_node_limit = 0;
    std::string last, pick;
    for (std::string line; std::getline(out, line);) {
      if (line.starts_with("info depth ")) last = line;
      if (line.starts_with("info string tactical pick ")) pick = line;
    }
    const std::string score = result.is_mate() ? "mate " + std::to_string(result.mate_moves())
                                               : "cp " + std::to_string(result.score);
    EXPECT_EQ(field_after(last, "score"), score) << c.fen;
    EXPECT_EQ(result.is_mate(), c.score != 0) << c.fen;
    if (c.score != 0) {
      EXPECT_EQ(result.score, c.score) << c.fen;
    }
    std::istringstream pv(last.substr(last.find(" pv ") + 4));
    std::string first, second;
    pv >> first >> second;
    EXPECT_EQ(first, move_to_str(result.best)) << c.fen;
    EXPECT_EQ(second, is_empty_move(result.ponder) ? "" : move_to_str(result.ponder)) << c.fen;
    EXPECT_EQ(result.tactical_pick, c.pick) << c.fen;
    EXPECT_EQ(std::stoi(field_after(last, "depth")), result.depth) << c.fen;
    EXPECT_EQ(pick.empty(), !c.pick) << c.fen;
    if (c.pick) {
      EXPECT_TRUE(pick.starts_with("info string tactical pick " + move_to_str(result.best) + " (best was ")) << pick;
    }
  }
}

SearchRun run_limits(const SearchLimits& limits) {
  ::testing::internal::CaptureStdout();
  SearchRun run;
  run.best = search_best(limits).best;
  std::istringstream out(::testing::internal::GetCapturedStdout());
  for (std::string line; std::getline(out, line);)
    if (line.rfind("info depth ", 0) == 0) run.lines.push_back(line);
  return run;
}

TEST_F(DriverTest, SeveralLinesPerIterationBestFirstAndNoTacticalPick) {
  // Mate in one against every other move: line 1 is the mate, lines 2 and 3 ordinary scores.
  load_fen("6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1");
  SearchLimits limits;
  limits.depth = 3;
  limits.multipv = 3;
  const SearchRun run = run_limits(limits);
  ASSERT_EQ(run.lines.size(), 9u);
  for (std::size_t i = 0; i < run.lines.size(); ++i)
    EXPECT_EQ(run.lines[i].rfind("info depth " + std::to_string(i / 3 + 1) + " multipv " + std::to_string(i % 3 + 1) +
                                     " score ", 0), 0u) << run.lines[i];
  EXPECT_EQ(field_after(run.lines[6], "score") + " " + field_after(run.lines[6], "pv"), "mate 1 a1a8");
  const std::string second = field_after(run.lines[7], "pv"), third = field_after(run.lines[8], "pv");
  EXPECT_TRUE(second != "a1a8" && third != "a1a8" && second != third) << second << " " << third;
  EXPECT_EQ(move_to_str(run.best), "a1a8");
  limits.multipv = 5;  // more lines than moves: one per move
  load_fen("7k/8/8/8/8/8/8/K7 w - - 0 1");
  EXPECT_EQ(run_limits(limits).lines.size(), 9u);

  // The knight fork stays with two lines; one line lets the selection take the knight.
  tactical_move_selection = true;
  tactic_threshold_cp = 300;
  load_fen("r3k3/8/8/3N4/1n6/8/8/6K1 w - - 0 1");
  limits.movetime_ms = 60000;
  limits.multipv = 2;
  EXPECT_EQ(move_to_str(run_limits(limits).best), "d5c7");
  limits.multipv = 1;
  EXPECT_EQ(move_to_str(run_limits(limits).best), "d5b4");
  tactic_threshold_cp = 40;
}

TEST_F(DriverTest, HelperThreadsFindTheSameForcedMates) {
  for (const auto& [fen, depth] : std::vector<std::pair<std::string, int>>{
           {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", 4},
           {"3k4/8/8/8/8/8/R7/1R4K1 w - - 0 1", 8},
           {"r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1", 8}}) {
    search_threads = 1;
    tt_clear();
    const SearchRun alone = run_fen(fen, depth);
    const std::string mate = field_after(last_info(alone), "score");
    ASSERT_EQ(mate.rfind("mate ", 0), 0u) << fen;
    for (const int threads : {2, 4}) {
      search_threads = threads;
      tt_clear();
      const SearchRun parallel = run_fen(fen, depth);
      // Depths are reported in increasing order up to the last, whichever thread
      // completed them (one a helper went past may be left out), and the answer is
      // the last reported line's.
      int reported = 0;
      for (std::size_t i = 1; i < parallel.lines.size(); ++i) {
        const int d = std::stoi(field_after(parallel.lines[i], "depth"));
        EXPECT_TRUE(d > reported && is_info_line(parallel.lines[i], d)) << parallel.lines[i];
        reported = d;
      }
      EXPECT_EQ(reported, depth) << fen << ", " << threads << " threads";
      EXPECT_EQ(field_after(last_info(parallel), "pv"), move_to_str(parallel.best)) << fen;
      EXPECT_EQ(field_after(last_info(parallel), "score"), mate) << fen;
      // The move found in parallel leads to the same mate, seen by one thread.
      search_threads = 1;
      ASSERT_TRUE(make_move(parallel.best));
      repetition_stack.push_back(zobrist_key);
      const int moves_left = std::stoi(mate.substr(5)) - 1;
      const SearchRun reply = run_search(depth - 1);
      EXPECT_EQ(field_after(last_info(reply), "score"), "mate " + std::to_string(-moves_left)) << fen;
    }
  }
}

TEST_F(DriverTest, HelperNodesCountInTheOutputAndTheNodeBudget) {
  search_threads = 2;
  const SearchRun run = run_search(9);
  EXPECT_GT(nodes_of(last_info(run)), nodes_searched);
  // The budget is over all threads, so the main thread alone stops short of it.
  tt_clear();
  ::testing::internal::CaptureStdout();
  SearchLimits limits;
  limits.nodes = 300000;
  search_best(limits);
  ::testing::internal::GetCapturedStdout();
  EXPECT_GE(search_nodes_total(), 300000);
  EXPECT_LT(nodes_searched, 300000);
  search_node_limit = 0;
}

// A node is seen as shared only by a thread other than the one searching it, only
// while it is searched, and never without helpers (breadcrumb mark 0).
TEST_F(DriverTest, BreadcrumbsMarkANodeForTheOtherThreadsWhileItIsSearched) {
  const std::uint64_t key = 0x1234567890ABCDEFull;
  auto seen_elsewhere = [](std::uint64_t node, int mark, int ply) {
    bool shared = false;
    std::thread other([&] {
      breadcrumb_mark = mark;
      shared = BreadcrumbHold(node, ply).shared();
    });
    other.join();
    return shared;
  };
  breadcrumb_mark = 1;
  {
    const BreadcrumbHold hold(key, 0);
    EXPECT_FALSE(hold.shared());
    EXPECT_FALSE(BreadcrumbHold(key, 2).shared());  // the same thread deeper in its own line
    EXPECT_TRUE(seen_elsewhere(key, 2, 3));
    EXPECT_FALSE(seen_elsewhere(key, 2, BREADCRUMB_PLIES));
    EXPECT_FALSE(seen_elsewhere(key, 0, 3));
    EXPECT_FALSE(seen_elsewhere(key ^ BREADCRUMB_COUNT, 2, 3));  // another node in the same slot
  }
  EXPECT_FALSE(seen_elsewhere(key, 2, 3));
  breadcrumb_mark = 0;
}

class NodeTest : public SearchTest {};

TEST_F(NodeTest, RepetitionBelowTheRootIsADraw) {
  play("g1f3");
  play("g8f6");
  play("f3g1");
  play("f6g8");  // the start position again
  std::memset(pv_length, 0, sizeof pv_length);
  nodes_searched = 0;
  EXPECT_EQ(negamax(3, -SCORE_INFINITY, SCORE_INFINITY, 1, true), 0);
  EXPECT_EQ(nodes_searched, 1);
  // At the root the same position is searched normally.
  EXPECT_GT(negamax(3, -SCORE_INFINITY, SCORE_INFINITY, 0, true), -SCORE_INFINITY);
  EXPECT_GT(nodes_searched, 100);
  EXPECT_GT(pv_length[0], 0);
}

TEST_F(NodeTest, CheckmateAndStalemateScores) {
  load_fen("R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1");
  EXPECT_EQ(negamax(2, -SCORE_INFINITY, SCORE_INFINITY, 3, true), 3 - MATE_VALUE);
  load_fen("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");
  EXPECT_EQ(negamax(2, -SCORE_INFINITY, SCORE_INFINITY, 3, true), 0);
}

TEST_F(NodeTest, AFirstMoveCutOffIsNotMistakenForMate) {
  // In check, the king takes the checking queen first, and with a window far
  // below that first move already cuts off.
  load_fen("4k3/8/8/8/8/8/3q4/4K3 w - - 0 1");
  int score = negamax(2, -SCORE_INFINITY, -1000, 1, true);
  EXPECT_GE(score, -1000);
  EXPECT_LT(score, MATE_THRESHOLD);
}

TEST_F(NodeTest, NodesPastTheLastPlyAnswerWithTheEvaluation) {
  load_fen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  nodes_searched = 0;
  EXPECT_EQ(negamax(5, -SCORE_INFINITY, SCORE_INFINITY, MAX_PLY, true), evaluate());
  EXPECT_EQ(nodes_searched, 1);
  // Lines crossing the last ply keep to the tables (checked under the sanitizers).
  int score = negamax(4, -SCORE_INFINITY, SCORE_INFINITY, MAX_PLY - 2, true);
  EXPECT_GT(score, -SCORE_INFINITY);
  EXPECT_GE(pv_length[MAX_PLY - 2], MAX_PLY - 2);
  EXPECT_LE(pv_length[MAX_PLY - 2], MAX_PLY);
}

TEST_F(NodeTest, QuiescenceStandsPatAndStaysInTheWindow) {
  load_fen("4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
  const int e = evaluate();
  nodes_searched = 0;
  EXPECT_EQ(quiescence(e - 100, e - 50, 0, 0), e - 50);
  EXPECT_EQ(nodes_searched, 1);
  EXPECT_EQ(quiescence(-SCORE_INFINITY, SCORE_INFINITY, 0, 0), e);  // no captures
  EXPECT_EQ(quiescence(e + 10, e + 20, 0, 0), e + 10);
  // Winning a queen is still capped at beta.
  load_fen("4k3/8/8/3q4/4P3/8/8/4K3 w - - 0 1");
  EXPECT_EQ(quiescence(-20, 20, 0, 0), 20);
}

TEST_F(NodeTest, QuietChecksInQuiescenceFollowTheMoverStyle) {
  // Only a quiet check (Ra8+) changes anything here.
  load_fen("6k1/8/8/8/8/8/8/R5K1 w - - 0 1");
  nodes_searched = 0;
  quiescence(-SCORE_INFINITY, SCORE_INFINITY, 0, 0);
  EXPECT_EQ(nodes_searched, 1);
  white_search_mode = Wide;
  nodes_searched = 0;
  quiescence(-SCORE_INFINITY, SCORE_INFINITY, 0, 0);
  EXPECT_GT(nodes_searched, 1);
  nodes_searched = 0;
  quiescence(-SCORE_INFINITY, SCORE_INFINITY, 0, 2);  // Wide stops at the second quiescence ply
  EXPECT_EQ(nodes_searched, 1);
  white_search_mode = KingAttack;
  nodes_searched = 0;
  quiescence(-SCORE_INFINITY, SCORE_INFINITY, 0, 2);
  EXPECT_GT(nodes_searched, 1);
}

}  // namespace
