// Rules of a whole alpha-beta node, observed through what it leaves behind: the
// node count, the table entries it and its children write, killers and history.

#include <vector>

#include "search/negamax.h"
#include "search/quiescence.h"
#include "search_fixture.h"

namespace {

class NegamaxTest : public SearchTest {};

// The legal moves of the current position in the order the node tries them.
std::vector<Move> ordered_legal_moves(int ply) {
  MoveList list;
  generate_moves(list);
  order_moves(list, ply, nullptr);
  std::vector<Move> legal;
  for (const Move& m : list.moves) {
    const SavedPosition saved = save_position();
    if (make_move(m)) legal.push_back(m);
    restore_position(saved);
  }
  return legal;
}

std::uint64_t key_after(const Move& m) {
  const SavedPosition saved = save_position();
  EXPECT_TRUE(make_move(m));
  const std::uint64_t key = zobrist_key;
  restore_position(saved);
  return key;
}

// The depth of the table entry of the position after m, or -1 when there is none
// (a child searched at depth 0 goes straight to quiescence and stores nothing).
int child_entry_depth(const Move& m) {
  const TTEntry* e = tt_lookup(key_after(m));
  return e ? e->depth : -1;
}

// The key of the position with the turn passed, as the null move builds it.
std::uint64_t null_move_key() {
  std::uint64_t key = zobrist_key ^ zob_side;
  if (ep_sq != NO_SQUARE) key ^= zob_ep[ep_sq];
  return key;
}

TEST_F(NegamaxTest, StoredFlagComparesWithTheWindowTheNodeWasEnteredWith) {
  // Full window: the best score raises alpha on the way, yet it lies inside the
  // entry window, so the entry is exact.
  const int score = negamax(2, -SCORE_INFINITY, SCORE_INFINITY, 1, true);
  const TTEntry* e = tt_lookup(zobrist_key);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->flag, TT_EXACT);
  EXPECT_EQ(e->depth, 2);
  EXPECT_EQ(e->score, score);
  ASSERT_GT(pv_length[1], 1);
  EXPECT_TRUE(same_move(unpack_move(e->move), pv_table[1][1]));
}

TEST_F(NegamaxTest, FailLowStoresTheFirstMoveToReachTheBestScore) {
  // Far above the true score every reply's quiescence stands pat at the bound, so
  // all twenty moves score exactly alpha: the first of them is the one kept.
  const std::vector<Move> order = ordered_legal_moves(1);
  ASSERT_EQ(order.size(), 20u);
  EXPECT_EQ(negamax(1, 1000, 1001, 1, true), 1000);
  const TTEntry* e = tt_lookup(zobrist_key);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->flag, TT_UPPER);
  EXPECT_EQ(e->score, 1000);
  EXPECT_TRUE(same_move(unpack_move(e->move), order.front()));
  // Nothing beat alpha: no history, no killer.
  EXPECT_EQ(history[order.front().piece][order.front().to], 0);
  for (const Move& m : order) EXPECT_FALSE(same_move(killers[0][1], m));
}

TEST_F(NegamaxTest, FailHighStoresALowerBoundAndRewardsTheCuttingMove) {
  const std::vector<Move> order = ordered_legal_moves(1);
  const Move first = order.front();
  EXPECT_EQ(negamax(1, -1001, -1000, 1, true), -1000);
  const TTEntry* e = tt_lookup(zobrist_key);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->flag, TT_LOWER);
  EXPECT_EQ(e->depth, 1);
  EXPECT_TRUE(same_move(unpack_move(e->move), first));
  EXPECT_TRUE(same_move(killers[0][1], first));
  EXPECT_EQ(history[first.piece][first.to], 1);  // depth x depth
  // The cut came on the first move: no other reply was searched or rewarded.
  EXPECT_EQ(history[order[1].piece][order[1].to], 0);
}

TEST_F(NegamaxTest, LateQuietMovesAreReducedByTheirIndex) {
  // A window far above the true score: every child fails low, nothing is re-searched,
  // and each child's entry shows the depth it was searched at.
  const std::vector<Move> order = ordered_legal_moves(1);
  ASSERT_EQ(order.size(), 20u);
  negamax(3, 1000, 1001, 1, false);
  for (std::size_t i = 0; i < order.size(); ++i) {
    const int expected = i < 4 ? 2 : i < 8 ? 1 : -1;
    EXPECT_EQ(child_entry_depth(order[i]), expected) << "move " << i << " " << move_to_str(order[i]);
  }
}

TEST_F(NegamaxTest, ReductionGrowsWhenTheReplyingSidePlaysDeep) {
  black_search_mode = Deep;
  const std::vector<Move> order = ordered_legal_moves(1);
  negamax(3, 1000, 1001, 1, false);
  // Moves five to eight now go to depth 0 instead of 1.
  for (std::size_t i = 4; i < 8; ++i) EXPECT_EQ(child_entry_depth(order[i]), -1) << "move " << i;
}

TEST_F(NegamaxTest, WideSearchesEveryMoveAtFullDepthBelowDepthFive) {
  white_search_mode = Wide;
  const std::vector<Move> order = ordered_legal_moves(1);
  negamax(3, 1000, 1001, 1, false);
  for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(child_entry_depth(order[i]), 2) << "move " << i;
}

// A queen up, far above beta: a null move alone proves the cut-off.
const char* QUEEN_UP = "4k3/8/8/8/8/8/8/3QK3 w - - 0 1";

// Nodes of a search from an empty table, so that no earlier entry answers for the node.
std::int64_t nodes_of_search(int depth, int ply, bool allow_null) {
  tt_clear();
  nodes_searched = 0;
  negamax(depth, -10, 10, ply, allow_null);
  return nodes_searched;
}

TEST_F(NegamaxTest, NullMoveCutsWhenPassingStillFailsHigh) {
  load_fen(QUEEN_UP);
  // The node, the null reply at depth 0 and its quiescence: three nodes, score beta.
  nodes_searched = 0;
  EXPECT_EQ(negamax(3, -10, 10, 1, true), 10);
  EXPECT_EQ(nodes_searched, 3);
  EXPECT_EQ(tt_lookup(zobrist_key), nullptr);  // a null-move cut-off stores nothing

  EXPECT_GT(nodes_of_search(3, 0, true), 3);   // never at the root
  EXPECT_GT(nodes_of_search(3, 1, false), 3);  // not when the caller forbids it
  EXPECT_GT(nodes_of_search(2, 1, true), 3);   // Balanced needs depth 3
  white_search_mode = Deep;
  EXPECT_EQ(nodes_of_search(2, 1, true), 3);  // Deep tries it from depth 2
  white_search_mode = Wide;
  EXPECT_GT(nodes_of_search(3, 1, true), 3);  // Wide never does
}

TEST_F(NegamaxTest, NoNullMoveInCheckOrWithOnlyPawns) {
  load_fen("4k3/8/8/8/8/8/PPPPPPPP/4K3 w - - 0 1");
  EXPECT_GT(nodes_of_search(3, 1, true), 3);
  load_fen("4k3/8/8/8/8/8/8/3QK2r w - - 0 1");
  EXPECT_GT(nodes_of_search(3, 1, true), 3);
}

TEST_F(NegamaxTest, NullMoveReductionGrowsWithDepthAndAgainstDeep) {
  // The reply to the null move is a full node that stores its own depth.
  load_fen(QUEEN_UP);
  const std::uint64_t passed = null_move_key();
  EXPECT_EQ(negamax(6, -10, 10, 1, true), 10);
  ASSERT_NE(tt_lookup(passed), nullptr);
  EXPECT_EQ(tt_lookup(passed)->depth, 6 - 1 - (2 + 1));

  tt_clear();
  EXPECT_EQ(negamax(8, -10, 10, 1, true), 10);
  ASSERT_NE(tt_lookup(passed), nullptr);
  EXPECT_EQ(tt_lookup(passed)->depth, 8 - 1 - (2 + 2));

  tt_clear();
  black_search_mode = Deep;  // the side to move after the null move
  EXPECT_EQ(negamax(8, -10, 10, 1, true), 10);
  ASSERT_NE(tt_lookup(passed), nullptr);
  EXPECT_EQ(tt_lookup(passed)->depth, 8 - 1 - (2 + 2 + 1));
}

TEST_F(NegamaxTest, KingAttackExtendsRepliesToCheckUpToPly61) {
  // White in check from the rook; Qxe2 is answered by a node of its own.
  load_fen("4k3/8/8/8/8/8/4r3/3QK3 w - - 0 1");
  const Move capture = find_move("d1e2");
  negamax(1, -SCORE_INFINITY, SCORE_INFINITY, 1, true);
  EXPECT_EQ(child_entry_depth(capture), -1);  // Balanced: the reply is at the horizon

  white_search_mode = KingAttack;
  for (int ply : {1, 61}) {
    tt_clear();
    negamax(1, -SCORE_INFINITY, SCORE_INFINITY, ply, true);
    EXPECT_EQ(child_entry_depth(capture), 1) << "ply " << ply;
    // The node's own entry keeps the depth it was entered with.
    ASSERT_NE(tt_lookup(zobrist_key), nullptr);
    EXPECT_EQ(tt_lookup(zobrist_key)->depth, 1);
  }
  tt_clear();
  negamax(1, -SCORE_INFINITY, SCORE_INFINITY, 62, true);
  EXPECT_EQ(child_entry_depth(capture), -1);
}

TEST_F(NegamaxTest, FiftyMoveRuleDrawsUnlessTheLastMoveMates) {
  // Black's every move is a king move: with the clock at 99 each one completes the
  // fifty moves, so the rook no longer counts.
  load_fen("8/8/3k4/8/8/3K4/3R4/8 b - - 99 120");
  EXPECT_EQ(negamax(4, -SCORE_INFINITY, SCORE_INFINITY, 0, true), 0);
  load_fen("8/8/3k4/8/8/3K4/3R4/8 b - - 0 120");
  EXPECT_LT(negamax(4, -SCORE_INFINITY, SCORE_INFINITY, 0, true), -300);

  // A mate given on the hundredth half-move stands; the same rook move without mate draws.
  load_fen("6k1/5ppp/8/8/8/8/8/R5K1 w - - 99 1");
  EXPECT_EQ(negamax(2, -SCORE_INFINITY, SCORE_INFINITY, 0, true), MATE_VALUE - 1);
  load_fen("6k1/5pp1/7p/8/8/8/8/R5K1 w - - 99 1");
  EXPECT_EQ(negamax(2, -SCORE_INFINITY, SCORE_INFINITY, 0, true), 0);
}

TEST_F(NegamaxTest, DeadPositionsScoreZeroWithoutBeingSearched) {
  // King and bishop against king: every reply is answered at once, without an evaluation
  // that would give the bishop's value.
  load_fen("8/8/4k3/8/8/2B5/8/4K3 w - - 0 1");
  nodes_searched = 0;
  EXPECT_EQ(negamax(5, -SCORE_INFINITY, SCORE_INFINITY, 0, true), 0);
  EXPECT_EQ(nodes_searched, 1 + static_cast<std::int64_t>(ordered_legal_moves(0).size()));
  EXPECT_EQ(negamax(5, -SCORE_INFINITY, SCORE_INFINITY, 1, true), 0);
  EXPECT_EQ(quiescence(-SCORE_INFINITY, SCORE_INFINITY, 1, 0), 0);
  // A capture into a dead position: the quiescence after it stands at the draw score.
  load_fen("8/8/4k3/8/8/2B5/1n6/4K3 w - - 0 1");
  EXPECT_EQ(quiescence(-SCORE_INFINITY, SCORE_INFINITY, 1, 0), 0);
}

}  // namespace
