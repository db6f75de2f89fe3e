#include <algorithm>
#include <climits>
#include <random>

#include "search_fixture.h"
#include "style/style_strength.h"

namespace {

class OrderingTest : public SearchTest {};

int score_of(const std::string& fen, const std::string& move, int ply = 0, const Move* hash = nullptr) {
  load_fen(fen);
  return score_move(find_move(move), ply, hash);
}

TEST_F(OrderingTest, CapturesRankByVictimThenAttacker) {
  EXPECT_EQ(score_of("4k3/8/8/3q4/4P3/8/8/4K3 w - - 0 1", "e4d5"), 108900);
  EXPECT_EQ(score_of("4k3/8/8/3p4/8/8/8/3QK3 w - - 0 1", "d1d5"), 100100);
  EXPECT_EQ(score_of("4k3/8/8/8/8/8/3p4/4K3 w - - 0 1", "e1d2"), 81000);
  EXPECT_EQ(score_of("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6"), 100900);
  // The same for Black: the victim is looked up among White's pieces.
  EXPECT_EQ(score_of("4k3/8/8/4p3/3Q4/8/8/4K3 b - - 0 1", "e5d4"), 108900);
}

TEST_F(OrderingTest, HashMoveComesFirstWhateverItIs) {
  load_fen("4k3/8/8/3p4/8/8/8/3QK3 w - - 0 1");
  Move capture = find_move("d1d5");
  EXPECT_EQ(score_move(capture, 0, &capture), 1000000);

  init_board_startpos();
  Move hash = find_move("g1f3");
  MoveList list;
  generate_moves(list);
  const std::size_t count = list.moves.size();
  order_moves(list, 0, &hash);
  ASSERT_EQ(list.moves.size(), count);
  EXPECT_TRUE(same_move(list.moves[0], hash));

  // A hash move that matches nothing changes no score.
  Move stranger = hash;
  stranger.to = 40;
  for (const Move& m : list.moves)
    EXPECT_EQ(score_move(m, 0, &stranger), score_move(m, 0, nullptr)) << move_to_str(m);
}

TEST_F(OrderingTest, OrderIsCapturesKillersThenHistory) {
  load_fen("4k3/8/8/3p4/8/8/8/R2QK3 w - - 0 1");
  Move killer = find_move("a1a5");
  Move second = find_move("a1a7");
  Move quiet = find_move("d1h5");
  update_killers(second, 3);
  update_killers(killer, 3);
  history[quiet.piece][quiet.to] = 500;
  MoveList list;
  generate_moves(list);
  order_moves(list, 3, nullptr);
  EXPECT_EQ(move_to_str(list.moves[0]), "d1d5");
  EXPECT_TRUE(same_move(list.moves[1], killer));
  EXPECT_TRUE(same_move(list.moves[2], second));
  EXPECT_TRUE(same_move(list.moves[3], quiet));
  for (std::size_t i = 1; i < list.moves.size(); ++i)
    EXPECT_GE(score_move(list.moves[i - 1], 3, nullptr), score_move(list.moves[i], 3, nullptr));
  // Killers belong to their ply.
  EXPECT_EQ(score_move(killer, 4, nullptr), 0);
}

TEST_F(OrderingTest, KillerUpdatesShiftAndSwap) {
  load_fen("7k/4P3/8/8/8/8/8/R3K3 w - - 0 1");
  Move queen = find_move("e7e8q");
  Move knight = find_move("e7e8n");
  Move rook = find_move("a1a5");
  update_killers(queen, 7);
  EXPECT_EQ(score_move(queen, 7, nullptr), 90000);
  EXPECT_NE(score_move(knight, 7, nullptr), 90000);  // a different promotion is a different move
  update_killers(rook, 7);
  EXPECT_EQ(score_move(rook, 7, nullptr), 90000);
  EXPECT_EQ(score_move(queen, 7, nullptr), 80000);
  update_killers(rook, 7);  // already first: nothing moves
  EXPECT_TRUE(same_move(killers[1][7], queen));
  update_killers(queen, 7);  // the second becomes first
  EXPECT_TRUE(same_move(killers[0][7], queen));
  EXPECT_TRUE(same_move(killers[1][7], rook));
}

TEST_F(OrderingTest, PliesPastTheTablesShareTheDeepestKillerRow) {
  load_fen("4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
  Move rook = find_move("a1a5");
  killers[0][MAX_PLY - 1] = rook;
  EXPECT_EQ(score_move(rook, MAX_PLY + 40, nullptr), 90000);
  update_killers(rook, MAX_PLY + 1);  // ignored, not written out of bounds
  EXPECT_TRUE(same_move(killers[0][MAX_PLY - 1], rook));
}

TEST_F(OrderingTest, HistoryGrowsBySquaredDepthAndSaturates) {
  load_fen("4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
  Move rook = find_move("a1a5");
  update_history(rook, 3);
  update_history(rook, 2);
  EXPECT_EQ(history[R][rook.to], 13);
  EXPECT_EQ(score_move(rook, 0, nullptr), 13);
  history[R][rook.to] = INT_MAX - 5;
  update_history(rook, 10);
  EXPECT_EQ(history[R][rook.to], INT_MAX);
  white_search_mode = KingAttack;
  load_fen("8/8/8/4k3/8/8/8/3RK3 w - - 0 1");
  Move near_king = find_move("d1d4");
  history[R][near_king.to] = INT_MAX;
  EXPECT_EQ(score_move(near_king, 0, nullptr), INT_MAX);  // the bonus does not wrap it around
}

TEST_F(OrderingTest, KingAttackRewardsSquaresNextToTheEnemyKing) {
  white_search_mode = KingAttack;
  load_fen("8/8/8/4k3/8/8/3N4/4K3 w - - 0 1");
  Move near = find_move("d2e4");
  history[N][near.to] = 7;
  EXPECT_EQ(score_move(near, 0, nullptr), 5007);
  EXPECT_EQ(score_move(find_move("d2f3"), 0, nullptr), 0);
  // Black plays Balanced: the same idea earns nothing.
  EXPECT_EQ(score_of("8/8/8/4K3/8/8/3n4/4k3 b - - 0 1", "d2e4"), 0);
}

TEST_F(OrderingTest, PassedPawnPushesGainByRank) {
  white_search_mode = PassedPawn;
  black_search_mode = PassedPawn;
  EXPECT_EQ(score_of("4k3/8/8/4P3/8/8/8/4K3 w - - 0 1", "e5e6"), 6000);
  EXPECT_EQ(score_of("4k3/8/8/8/4p3/8/8/4K3 b - - 0 1", "e4e3"), 6000);
  EXPECT_EQ(score_of("4k3/3p4/8/4P3/8/8/8/4K3 w - - 0 1", "e5e6"), 0);  // not passed
}

TEST_F(OrderingTest, PawnStormRewardsPushesNearTheEnemyKing) {
  white_search_mode = PawnStorm;
  EXPECT_EQ(score_of("7k/8/8/8/8/8/6P1/4K3 w - - 0 1", "g2g3"), 3500 + 400 * 2);
  EXPECT_EQ(score_of("7k/8/8/8/8/8/6P1/4K3 w - - 0 1", "g2g4"), 3500 + 400 * 3);
  EXPECT_EQ(score_of("7k/8/8/8/8/8/3P4/4K3 w - - 0 1", "d2d3"), 0);
  // Above its default it steers at the root alone: its ordering is dropped with its term.
  white_style_strength = 300;
  EXPECT_EQ(score_of("7k/8/8/8/8/8/6P1/4K3 w - - 0 1", "g2g3"), 0);
  white_style_strength = STYLE_STRENGTH_DEFAULT;
}

TEST_F(OrderingTest, EndingModesRewardTheirCaptures) {
  white_search_mode = MajorPieceEnding;
  EXPECT_EQ(score_of("4k3/8/8/3n4/8/8/8/3RK3 w - - 0 1", "d1d5"), 100000 + 3200 - 500 + 8000);
  // Above its default it drops its term, extensions and ordering, in the tree and in
  // quiescence alike: a minor-piece capture is ordered as any capture.
  white_style_strength = 400;
  EXPECT_EQ(score_of("4k3/8/8/3n4/8/8/8/3RK3 w - - 0 1", "d1d5"), 100000 + 3200 - 500);
  EXPECT_EQ(ordering_mode(), Balanced);
  white_style_strength = STYLE_STRENGTH_DEFAULT;
  EXPECT_EQ(score_of("4k3/8/8/3r4/8/8/8/3RK3 w - - 0 1", "d1d5"), 100000 + 5000 - 500);
  EXPECT_EQ(score_of("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6"), 100900);
  white_search_mode = MinorPieceEnding;
  EXPECT_EQ(score_of("4k3/8/8/3r4/8/8/8/3RK3 w - - 0 1", "d1d5"), 100000 + 5000 - 500 + 8000);
  EXPECT_EQ(score_of("4k3/8/8/3n4/8/8/8/3RK3 w - - 0 1", "d1d5"), 100000 + 3200 - 500);
  EXPECT_EQ(score_of("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6"), 100900);
}

TEST_F(OrderingTest, EmptyListStaysEmpty) {
  MoveList list;
  order_moves(list, 0, nullptr);
  EXPECT_TRUE(list.moves.empty());
}

// Picking then sorting the rest gives the order of a stable sort by descending score,
// for lists shorter and longer than the picks made before the sort.
TEST_F(OrderingTest, PickedOrderIsDescendingScoreThenGenerationOrder) {
  std::mt19937 random(7);
  for (std::size_t length : {0u, 1u, 3u, 4u, 5u, 6u, 30u, 49u, 120u}) {
    std::vector<int> scores(length);
    // Few distinct values, negative ones included, so that ties are common.
    for (int& score : scores) score = static_cast<int>(random() % 7) * 90000 - 300000;
    OrderKeys keys;
    for (std::size_t i = 0; i < length; ++i) keys.add(scores[i], i);
    std::vector<std::size_t> picked;
    for (std::size_t i = 0; i < keys.count; ++i) picked.push_back(keys.pick(i));

    std::vector<std::size_t> expected(length);
    for (std::size_t i = 0; i < length; ++i) expected[i] = i;
    std::stable_sort(expected.begin(), expected.end(),
                     [&](std::size_t a, std::size_t b) { return scores[a] > scores[b]; });
    EXPECT_EQ(picked, expected) << length;
  }
}

TEST_F(OrderingTest, StaticExchangeExamples) {
  load_fen("4k3/8/8/3n4/4P3/8/8/4K3 w - - 0 1");
  EXPECT_EQ(static_exchange_eval(find_move("e4d5")), 320);
  EXPECT_EQ(static_exchange_eval(find_move("e1e2")), 0);
  load_fen("4k3/2p5/3p4/8/8/8/8/3QK3 w - - 0 1");
  EXPECT_EQ(static_exchange_eval(find_move("d1d6")), -800);
  load_fen("8/8/8/8/8/3k4/3p4/3R3K w - - 0 1");
  EXPECT_EQ(static_exchange_eval(find_move("d1d2")), -400);
  // A second rook behind the first wins the pawn after all.
  load_fen("3R4/8/8/8/8/3k4/3p4/3R3K w - - 0 1");
  EXPECT_EQ(static_exchange_eval(find_move("d1d2")), 100);
  // En passant wins the pawn; the board itself is left alone.
  load_fen("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
  const std::uint64_t key = zobrist_key;
  EXPECT_EQ(static_exchange_eval(find_move("e5d6")), 100);
  EXPECT_EQ(zobrist_key, key);
}

TEST_F(OrderingTest, LeastAttackerIsCheapestAndSeesThroughRemovedPieces) {
  load_fen("4k3/8/8/3r4/2P5/4N3/8/3QK3 w - - 0 1");
  int piece = -1;
  EXPECT_EQ(see_least_attacker(35, WHITE, occupancies[2], bitboards, piece), 26);  // c4 pawn
  EXPECT_EQ(piece, P);
  Bitboard boards[12];
  std::memcpy(boards, bitboards, sizeof boards);
  boards[P] = 0;
  boards[N] = 0;
  EXPECT_EQ(see_least_attacker(35, WHITE, occupancies[2], boards, piece), 3);  // d1 queen
  EXPECT_EQ(piece, Q);
  boards[Q] = 0;
  piece = -7;
  EXPECT_EQ(see_least_attacker(35, WHITE, occupancies[2], boards, piece), -1);
  EXPECT_EQ(piece, -7);
  EXPECT_EQ(see_least_attacker(3, BLACK, occupancies[2], bitboards, piece), 35);  // d5 rook hits d1
  EXPECT_EQ(piece, r);
}

}  // namespace
