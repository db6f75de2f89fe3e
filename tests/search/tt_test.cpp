#include "search_fixture.h"

namespace {

class TableTest : public SearchTest {};

Move some_move() {
  Move m;
  m.from = 12;
  m.to = 28;
  m.piece = P;
  m.double_push = 1;
  return m;
}

TEST_F(TableTest, MateScoresCountFromTheStoredNode) {
  const std::uint64_t key = 0x123456789ABCDEF1ULL;
  tt_store(key, 3, 48990, TT_EXACT, some_move(), 3);
  EXPECT_EQ(tt_lookup(key)->score, 48993);
  TTProbe probe = tt_probe(key, 3, -SCORE_INFINITY, SCORE_INFINITY, 5);
  ASSERT_TRUE(probe.cut);
  EXPECT_EQ(probe.score, 48988);

  tt_store(key, 3, -48990, TT_EXACT, some_move(), 3);
  EXPECT_EQ(tt_lookup(key)->score, -48993);
  EXPECT_EQ(tt_probe(key, 3, -SCORE_INFINITY, SCORE_INFINITY, 5).score, -48988);

  // Just below the mate range nothing is converted in either direction.
  for (int s : {48935, -48935}) {
    tt_store(key, 3, s, TT_EXACT, some_move(), 3);
    EXPECT_EQ(tt_lookup(key)->score, s);
    EXPECT_EQ(tt_probe(key, 1, -SCORE_INFINITY, SCORE_INFINITY, 7).score, s);
  }
}

TEST_F(TableTest, BoundsCutAtEqualityOnly) {
  const std::uint64_t key = 0xFEDCBA9876543210ULL;
  tt_store(key, 4, 30, TT_UPPER, some_move(), 2);
  TTProbe probe = tt_probe(key, 4, 30, 60, 2);
  EXPECT_TRUE(probe.cut);
  EXPECT_EQ(probe.score, 30);
  EXPECT_FALSE(tt_probe(key, 4, 29, 60, 2).cut);

  tt_store(key, 4, 60, TT_LOWER, some_move(), 2);
  probe = tt_probe(key, 4, 30, 60, 2);
  EXPECT_TRUE(probe.cut);
  EXPECT_EQ(probe.score, 60);
  // A lower bound below beta does not cut but still supplies the move.
  probe = tt_probe(key, 4, 30, 61, 2);
  EXPECT_FALSE(probe.cut);
  EXPECT_TRUE(probe.hit);
  EXPECT_TRUE(same_move(probe.move, some_move()));
}

TEST_F(TableTest, ShallowEntriesAndTheRootNeverCut) {
  const std::uint64_t key = 0x0F0F0F0F0F0F0F0FULL;
  tt_store(key, 3, 10, TT_EXACT, some_move(), 1);
  TTProbe deeper = tt_probe(key, 4, -100, 100, 1);
  EXPECT_FALSE(deeper.cut);
  EXPECT_TRUE(deeper.hit);
  EXPECT_TRUE(same_move(deeper.move, some_move()));
  EXPECT_TRUE(tt_probe(key, 3, -100, 100, 1).cut);
  TTProbe root = tt_probe(key, 3, -100, 100, 0);
  EXPECT_FALSE(root.cut);
  EXPECT_TRUE(root.hit);
}

TEST_F(TableTest, KeysSharingTheIndexNeverAnswerForEachOther) {
  const std::uint64_t first = 0xABCDE00000012345ULL;
  const std::uint64_t second = first ^ (std::uint64_t{1} << 40);
  ASSERT_EQ(first & tt_mask, second & tt_mask);
  tt_store(first, 5, 77, TT_EXACT, some_move(), 0);
  EXPECT_EQ(tt_lookup(second), nullptr);
  EXPECT_FALSE(tt_probe(second, 1, -100, 100, 3).hit);
  tt_store(second, 1, -5, TT_LOWER, Move{}, 0);
  EXPECT_EQ(tt_lookup(first), nullptr);
  ASSERT_NE(tt_lookup(second), nullptr);
  EXPECT_EQ(tt_lookup(second)->depth, 1);
}

TEST_F(TableTest, ClearEmptiesEverySlot) {
  tt_store(0x1111ULL, 2, 5, TT_EXACT, some_move(), 0);
  tt_store(0xFFFFFULL, 2, 5, TT_EXACT, some_move(), 0);
  tt_clear();
  EXPECT_EQ(tt_lookup(0x1111ULL), nullptr);
  EXPECT_EQ(tt_lookup(0xFFFFFULL), nullptr);
  EXPECT_EQ(tt_slots[0xFFFFF].check.load(), 0u);
  EXPECT_EQ(tt_slots[0xFFFFF].data.load(), 0u);
}

TEST_F(TableTest, PackedMovesKeepAllEightFields) {
  load_fen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  MoveList list;
  generate_moves(list);
  load_fen("r3k2r/1P6/8/3pP3/8/8/8/R3K2R w KQkq d6 0 1");
  MoveList more;
  generate_moves(more);
  for (const Move& m : more.moves) list.moves.push_back(m);
  list.moves.push_back(empty_move());
  Move zero{};
  zero.promoted = 0;
  list.moves.push_back(zero);
  for (const Move& m : list.moves) {
    Move back = unpack_move(pack_move(m));
    EXPECT_EQ(std::memcmp(&back, &m, sizeof(Move)), 0) << move_to_str(m);
  }
}

TEST_F(TableTest, EveryFieldRoundTripsThroughTheDataWord) {
  const Move moves[] = {some_move(), empty_move(), unpack_move(0xFFFFFF)};
  const int scores[] = {0, 1, -1, 48993, -48993, SCORE_INFINITY + MAX_PLY, -SCORE_INFINITY - MAX_PLY};
  const int depths[] = {0, 1, 64, 200, TT_DEPTH_MAX};
  const std::uint64_t key = 0x5555AAAA5555AAAAULL;
  for (const Move& m : moves)
    for (int score : scores)
      for (int depth : depths)
        for (int flag : {TT_EXACT, TT_UPPER, TT_LOWER}) {
          tt_store(key, depth, score, flag, m, 0);
          const TTEntry* e = tt_lookup(key);
          ASSERT_NE(e, nullptr);
          EXPECT_EQ(e->depth, depth);
          EXPECT_EQ(e->score, score);
          EXPECT_EQ(e->flag, flag);
          EXPECT_EQ(e->move, pack_move(m));
        }
  // A depth past the field is kept as the largest that fits, never wrapped to a small one.
  tt_store(key, TT_DEPTH_MAX + 5, 7, TT_EXACT, some_move(), 0);
  EXPECT_EQ(tt_lookup(key)->depth, TT_DEPTH_MAX);
}

TEST_F(TableTest, ASlotWhoseWordsComeFromTwoStoresIsRejected) {
  // Two writers racing on one slot can leave the check word of one store beside
  // the data word of the other; the key check must then miss for both keys.
  const std::uint64_t a = 0x1234000000000042ULL, b = 0x9876000000000042ULL;
  tt_store(a, 5, 120, TT_EXACT, some_move(), 0);
  const std::uint64_t data_a = tt_slots[a & tt_mask].data.load();
  tt_store(b, 3, -40, TT_LOWER, empty_move(), 0);
  tt_slots[b & tt_mask].data.store(data_a);
  EXPECT_EQ(tt_lookup(a), nullptr);
  EXPECT_EQ(tt_lookup(b), nullptr);
  EXPECT_FALSE(tt_probe(b, 1, -100, 100, 2).hit);
}

TEST_F(TableTest, ResizeTakesThePowerOfTwoThatFitsAndClears) {
  const struct {
    int megabytes;
    std::size_t entries;
  } sizes[] = {{1, 1u << 16}, {3, 1u << 17}, {16, 1u << 20}, {100, 1u << 22}, {0, 1u << 16}};
  for (const auto& s : sizes) {
    tt_store(0x77ULL, 4, 9, TT_EXACT, some_move(), 0);
    ASSERT_TRUE(tt_resize(s.megabytes));
    EXPECT_EQ(tt_entries(), s.entries) << s.megabytes;
    EXPECT_EQ(tt_lookup(0x77ULL), nullptr) << s.megabytes;
    // Keys that differed only above the old mask now get slots of their own.
    const std::uint64_t high = 0x77ULL | (s.entries >> 1);
    tt_store(0x77ULL, 2, 1, TT_EXACT, some_move(), 0);
    tt_store(high, 2, 2, TT_EXACT, some_move(), 0);
    ASSERT_NE(tt_lookup(0x77ULL), nullptr);
    EXPECT_EQ(tt_lookup(0x77ULL)->score, 1);
    ASSERT_NE(tt_lookup(high), nullptr);
    EXPECT_EQ(tt_lookup(high)->score, 2);
  }
  ASSERT_TRUE(tt_resize(16));
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(tt_slots) % 64, 0u);
}

}  // namespace
