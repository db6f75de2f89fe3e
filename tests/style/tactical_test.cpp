// The tactical move selection, called directly on set-up positions.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "board/attacks.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "eval/king_safety.h"
#include "eval/passed_pawns.h"
#include "search/search_state.h"
#include "search/startup.h"
#include "search/tt.h"
#include "style/bait.h"
#include "style/search_mode.h"
#include "style/style_strength.h"
#include "style/tactical.h"
#include "style/tactical_candidates.h"
#include "style/trade_drive.h"

namespace {

class TacticalPick : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    init_tables();
  }

  void SetUp() override {
    white_search_mode = Balanced;
    black_search_mode = Balanced;
    tactical_move_selection = true;
    tactic_threshold_cp = 40;
    tt_clear();
    nodes_searched = 0;
    search_movetime_ms = 0;
    search_start = std::chrono::steady_clock::now();
    stop_search.store(false);
    limits = SearchLimits{};
    budget_start = search_began = std::chrono::steady_clock::now();
  }

  void TearDown() override {
    white_style_strength = black_style_strength = STYLE_STRENGTH_DEFAULT;
    white_search_mode = Balanced;
    black_search_mode = Balanced;
    tactic_threshold_cp = 40;
  }

  static Move move(const std::string& text) {
    const Move m = parse_uci_move(text);
    EXPECT_FALSE(is_empty_move(m)) << text;
    return m;
  }

  static bool same_position(const SavedPosition& a, const SavedPosition& b) {
    return std::memcmp(a.bitboards, b.bitboards, sizeof a.bitboards) == 0 &&
           std::memcmp(a.occupancies, b.occupancies, sizeof a.occupancies) == 0 &&
           a.zobrist_key == b.zobrist_key && a.side == b.side && a.castle == b.castle && a.ep_sq == b.ep_sq;
  }

  // The search's limits and budget start as the pick sees them.
  static inline SearchLimits limits;
  static inline std::chrono::steady_clock::time_point budget_start;
  // The last pick's info lines of its own search, and what it answered.
  static inline std::vector<std::string> pick_info;
  static inline ::TacticalPick answer;

  // Runs the pick and returns what it printed; the position must come back unchanged.
  static std::string pick(int depth, const Move& best, Move& result) {
    const SavedPosition before = save_position();
    const std::size_t history_size = repetition_stack.size();
    ::testing::internal::CaptureStdout();
    answer = pick_tactical_move(depth, best, 0, limits, budget_start);
    result = answer.move;
    std::istringstream out(::testing::internal::GetCapturedStdout());
    std::string printed;
    pick_info.clear();
    for (std::string line; std::getline(out, line);) {
      if (line.rfind("info depth ", 0) == 0) pick_info.push_back(line);
      else printed += line + "\n";
    }
    const SavedPosition after = save_position();
    EXPECT_TRUE(same_position(before, after)) << "position changed";
    EXPECT_EQ(repetition_stack.size(), history_size);
    return printed;
  }

  static std::vector<std::string> texts(const std::vector<Move>& moves) {
    std::vector<std::string> out;
    for (const Move& m : moves) out.push_back(move_to_str(m));
    return out;
  }

  // The candidates gathered in the current position, as text.
  static std::vector<std::string> gathered() {
    MoveList list;
    generate_moves(list);
    return texts(gather_tactical_candidates(list));
  }
};

TEST_F(TacticalPick, SingleGeneratedMoveReturnsBestAtOnce) {
  load_fen("7k/8/8/8/8/n1n5/P1P5/KB6 w - - 0 1");
  MoveList list;
  generate_moves(list);
  ASSERT_EQ(list.moves.size(), 1u);
  // Any best comes back untouched: nothing is searched or compared.
  Move result;
  EXPECT_EQ(pick(5, list.moves[0], result), "");
  EXPECT_TRUE(same_move(result, list.moves[0]));
  EXPECT_FALSE(answer.replaced);
  EXPECT_TRUE(answer.line.empty());
  EXPECT_EQ(pick(5, empty_move(), result), "");
  EXPECT_TRUE(is_empty_move(result));
}

TEST_F(TacticalPick, BalancedCaptureWithExchangeGainReplacesQuietBest) {
  load_fen("4k3/8/8/3n4/8/8/8/3RK3 w - - 0 1");
  Move result;
  const std::string printed = pick(3, move("e1e2"), result);
  EXPECT_EQ(move_to_str(result), "d1d5");
  EXPECT_EQ(printed, "info string tactical pick d1d5 (best was e1e2)\n");
  // Then its own search of the capture, with the capture first: the line the answer
  // carries, at the main search's depth. The pick searches no deeper than five plies,
  // yet the depth a GUI shows must not fall below the one the search completed.
  for (const int depth : {3, 8}) {
    pick(depth, move("e1e2"), result);
    ASSERT_EQ(pick_info.size(), 1u);
    EXPECT_TRUE(answer.replaced);
    std::string line = "info depth " + std::to_string(depth) + " score cp " + std::to_string(answer.score) + " nodes ";
    EXPECT_EQ(pick_info[0].rfind(line, 0), 0u) << pick_info[0];
    line = " pv";
    for (const Move& m : answer.line) line += " " + move_to_str(m);
    EXPECT_TRUE(pick_info[0].ends_with(line)) << pick_info[0];
    EXPECT_EQ(move_to_str(answer.line.at(0)), "d1d5");
  }
}

TEST_F(TacticalPick, PicksOnlyAmongTheSearchMoves) {
  load_fen("4k3/8/8/3n4/8/8/8/3RK3 w - - 0 1");
  limits.searchmoves = {move("e1e2"), move("d1d2")};
  Move result;
  EXPECT_EQ(pick(3, move("e1e2"), result), "");
  EXPECT_EQ(move_to_str(result), "e1e2");
  limits.searchmoves = {move("e1e2"), move("d1d5")};
  EXPECT_EQ(pick(3, move("e1e2"), result), "info string tactical pick d1d5 (best was e1e2)\n");
}

TEST_F(TacticalPick, ThresholdZeroAdmitsOnlyMovesAsGoodAsBest) {
  // The knight fork wins the queen; taking the bishop gains more by exchange but
  // scores far worse, so with no threshold the fork stays.
  load_fen("q3k3/8/8/3N4/1b6/8/8/6K1 w - - 0 1");
  tactic_threshold_cp = 0;
  Move result;
  EXPECT_EQ(pick(3, move("d5c7"), result), "");
  EXPECT_EQ(move_to_str(result), "d5c7");
  // A capture that scores better than a quiet best is still taken at threshold 0.
  load_fen("4k3/8/8/3n4/8/8/8/3RK3 w - - 0 1");
  EXPECT_EQ(pick(3, move("e1e2"), result), "info string tactical pick d1d5 (best was e1e2)\n");
}

TEST_F(TacticalPick, BestThatIsTheSharpestMoveStaysSilently) {
  load_fen("4k3/8/8/3n4/8/8/8/3RK3 w - - 0 1");
  Move result;
  EXPECT_EQ(pick(1, move("d1d5"), result), "");
  EXPECT_EQ(move_to_str(result), "d1d5");
}

TEST_F(TacticalPick, StopRequestKeepsBest) {
  load_fen("4k3/8/8/3n4/8/8/8/3RK3 w - - 0 1");
  stop_search.store(true);
  Move result;
  EXPECT_EQ(pick(3, move("e1e2"), result), "");
  EXPECT_EQ(move_to_str(result), "e1e2");
}

TEST_F(TacticalPick, MostOfTheMoveTimeSpentSkipsTheSelection) {
  load_fen("4k3/8/8/3n4/8/8/8/3RK3 w - - 0 1");
  limits.movetime_ms = 100;
  budget_start = std::chrono::steady_clock::now() - std::chrono::milliseconds(71);
  Move result;
  EXPECT_EQ(pick(3, move("e1e2"), result), "");
  EXPECT_EQ(move_to_str(result), "e1e2");
}

TEST_F(TacticalPick, NoCandidatesReturnsBest) {
  // Only quiet king moves, none of them checking.
  load_fen("7k/8/8/8/8/8/8/K7 w - - 0 1");
  Move result;
  EXPECT_EQ(pick(3, move("a1b1"), result), "");
  EXPECT_EQ(move_to_str(result), "a1b1");
}

TEST_F(TacticalPick, GatheringPutsCapturesFirstThenQuietChecks) {
  // The a1 rook's moves come first in generation, but its check is a second-pass candidate.
  load_fen("4k3/8/8/3n4/8/8/8/R2RK3 w - - 0 1");
  EXPECT_EQ(gathered(), (std::vector<std::string>{"d1d5", "a1a8"}));
  // KingAttack keeps that order at its default strength and puts its check first above it.
  white_search_mode = black_search_mode = KingAttack;
  EXPECT_EQ(gathered(), (std::vector<std::string>{"d1d5", "a1a8"}));
  white_style_strength = 200;
  EXPECT_EQ(gathered(), (std::vector<std::string>{"a1a8", "d1d5"}));
  // Above 100 MajorPieceEnding scores the knight capture before the rook capture.
  load_fen("r3k3/8/8/3n4/8/8/8/R2RK3 w - - 0 1");
  white_search_mode = black_search_mode = MajorPieceEnding;
  EXPECT_EQ(gathered(), (std::vector<std::string>{"d1d5", "a1a8"}));
  white_style_strength = 100;
  EXPECT_EQ(gathered(), (std::vector<std::string>{"a1a8", "d1d5"}));

  // Bc4 offers the bishop trade (Bxc4 bxc4); Bg2 would only hang the bishop. Above 100
  // MajorPieceEnding gathers the offer; MinorPieceEnding wants rooks gone, not bishops.
  load_fen("7k/8/8/3b4/8/1P6/8/4KB2 w - - 0 1");
  EXPECT_TRUE(gathered().empty());
  white_style_strength = 200;
  EXPECT_EQ(gathered(), std::vector<std::string>{"f1c4"});
  white_search_mode = black_search_mode = MinorPieceEnding;
  EXPECT_TRUE(gathered().empty());
  // Rh4 offers nothing to take evenly, but threatens Rxa4 bxa4, an even rook trade.
  load_fen("1kb5/8/8/1p6/r7/8/8/4K2R w - - 0 1");
  EXPECT_EQ(gathered(), std::vector<std::string>{"h1h4"});
  white_search_mode = black_search_mode = MajorPieceEnding;
  EXPECT_TRUE(gathered().empty());
  // A capture of a wanted piece is a trade only if it loses no more than the margin:
  // Rxd5 cxd5 is even, Qxd5 cxd5 gives the queen for the rook.
  load_fen("3k4/8/2p5/3r4/8/8/8/3RK2Q w - - 0 1");
  EXPECT_TRUE(trade_capture(move("d1d5"), MinorPieceEnding));
  EXPECT_FALSE(trade_capture(move("h1d5"), MinorPieceEnding));
  EXPECT_FALSE(trade_capture(move("d1d5"), MajorPieceEnding));
}

TEST_F(TacticalPick, StylePawnPushThatChecksIsGatheredTwice) {
  // f6f7 gives check and, under PawnStorm, is a push next to the enemy king's file.
  load_fen("6k1/8/5P2/8/8/8/8/K7 w - - 0 1");
  MoveList list;
  generate_moves(list);
  white_search_mode = PawnStorm;
  EXPECT_EQ(texts(gather_tactical_candidates(list)), (std::vector<std::string>{"f6f7", "f6f7"}));
  white_search_mode = Balanced;
  EXPECT_EQ(texts(gather_tactical_candidates(list)), std::vector<std::string>{"f6f7"});
  // PassedPawn gathers the push of a passed pawn; it is no check from f5.
  load_fen("6k1/8/8/5P2/8/8/8/K7 w - - 0 1");
  list.moves.clear();
  generate_moves(list);
  white_search_mode = PassedPawn;
  EXPECT_EQ(texts(gather_tactical_candidates(list)), std::vector<std::string>{"f5f6"});
}

TEST_F(TacticalPick, BaitIsGatheredByTheOpponentsProvocationSetting) {
  // Nc3-b5 or Nc3-d5 put the knight where a black pawn takes it for free.
  load_fen("4k3/8/2p5/8/8/2N5/8/4K3 w - - 0 1");
  MoveList list;
  generate_moves(list);
  white_search_mode = Provocation;
  EXPECT_TRUE(gather_tactical_candidates(list).empty());
  white_search_mode = Balanced;
  black_search_mode = Provocation;
  EXPECT_EQ(texts(gather_tactical_candidates(list)), (std::vector<std::string>{"c3b5", "c3d5"}));
}

TEST_F(TacticalPick, ShapingKeepsEightAndAppendsBest) {
  load_fen("4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1");
  MoveList list;
  generate_moves(list);
  std::vector<Move> all(list.moves.begin(), list.moves.end());
  ASSERT_GT(all.size(), 10u);
  std::vector<Move> shaped = all;
  shape_candidate_list(shaped, all[9]);
  ASSERT_EQ(shaped.size(), 9u);
  EXPECT_TRUE(same_move(shaped[8], all[9]));
  EXPECT_TRUE(same_move(shaped[7], all[7]));
  shaped = all;
  shape_candidate_list(shaped, all[3]);
  EXPECT_EQ(shaped.size(), 8u);
}

TEST_F(TacticalPick, ChoosingRuleByRecords) {
  load_fen("4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1");
  const Move a = move("a1a8"), b = move("h1h8"), c = move("e1f1");
  tactic_threshold_cp = 40;
  // Ties go to the earlier record; best competes with its own tactical score.
  EXPECT_TRUE(same_move(choose_tactical_move({{a, 100, 50}, {b, 100, 50}, {c, 100, 10}}, c, 40), a));
  EXPECT_TRUE(same_move(choose_tactical_move({{a, 59, 90}, {c, 100, 10}}, c, 40), c));
  EXPECT_TRUE(same_move(choose_tactical_move({{a, 60, 90}, {c, 100, 10}}, c, 40), a));
  EXPECT_TRUE(same_move(choose_tactical_move({{c, 100, 70}, {a, 100, 70}}, c, 40), c));
  // Without best's record, or with best scored as the worst possible, best stays.
  EXPECT_TRUE(same_move(choose_tactical_move({{a, 100, 90}}, c, 40), c));
  EXPECT_TRUE(same_move(choose_tactical_move({{a, 100, 90}, {c, -SCORE_INFINITY, 0}}, c, 300), c));
  // A record's slack lowers its own floor only.
  EXPECT_TRUE(same_move(choose_tactical_move({{a, 20, 90, {}, 40}, {c, 100, 10}}, c, 40), a));
  EXPECT_TRUE(same_move(choose_tactical_move({{a, 19, 90, {}, 40}, {b, 59, 80}, {c, 100, 10}}, c, 40), c));
  // A huge threshold cannot wrap the floor around.
  EXPECT_TRUE(same_move(choose_tactical_move({{a, -40000, 90}, {c, -40000, 0}}, c, 2147483647), a));
}

TEST_F(TacticalPick, StyleTermFollowsTheOpponentsModeAndBonusTheMovers) {
  // After Qd5 nothing can capture and nothing checks, so at depth 0 both searches
  // agree and the tactical score is the style bonus alone. The term is measured
  // only under the opponent's mode, the bonus paid only under the mover's.
  load_fen("6k1/5ppp/8/P7/8/8/8/K2Q4 w - - 0 1");
  const Move queen_move = move("d1d5");
  const auto tactical_score = [&](SearchMode white, SearchMode black) {
    white_search_mode = white;
    black_search_mode = black;
    tt_clear();
    const std::vector<TacticalCandidate> records =
        score_tactical_candidates({queen_move}, 0, std::chrono::steady_clock::now());
    EXPECT_EQ(records.size(), 1u);
    return records.empty() ? -1 : records[0].tactical_score;
  };

  const SavedPosition root = save_position();
  ASSERT_TRUE(make_move(queen_move));
  const int pressure = king_zone_pressure(BLACK);
  int mg = 0, eg = 0;
  passed_pawn_terms(WHITE, mg, eg);
  restore_position(root);
  ASSERT_GT(pressure, 0);
  ASSERT_GT(mg + eg, 0);

  EXPECT_EQ(tactical_score(Balanced, Balanced), 0);
  EXPECT_EQ(tactical_score(KingAttack, KingAttack), 3 * std::min(pressure, 30));
  EXPECT_EQ(tactical_score(KingAttack, Balanced), 0);
  EXPECT_EQ(tactical_score(Balanced, KingAttack), 0);
  EXPECT_EQ(tactical_score(PassedPawn, PassedPawn), std::min(mg + eg, 200) / 4);
  EXPECT_EQ(tactical_score(PassedPawn, Balanced), 0);
  EXPECT_EQ(tactical_score(Balanced, PassedPawn), 0);
  // A term measured under one mode is not paid under another.
  EXPECT_EQ(tactical_score(PassedPawn, KingAttack), 0);
}

TEST_F(TacticalPick, AboveItsDefaultAStyleWantsItsOwnMoves) {
  // Scored at depth 0 with both sides in the style; returns tactical score and slack.
  const auto scored = [&](SearchMode mode, int strength, const char* text) {
    white_search_mode = black_search_mode = mode;
    white_style_strength = black_style_strength = strength;
    tt_clear();
    const std::vector<TacticalCandidate> records =
        score_tactical_candidates({move(text)}, 0, std::chrono::steady_clock::now());
    EXPECT_EQ(records.size(), 1u) << text;
    return records.empty() ? std::pair{-1, -1} : std::pair{records[0].tactical_score, records[0].slack};
  };

  // Qd8+ checks a lone king: 60 for any check, KingAttack's pressure bonus, and
  // above 100 a bonus for the check itself and room below best as wide as the threshold.
  load_fen("6k1/8/8/8/8/8/8/K2Q4 w - - 0 1");
  const SavedPosition root = save_position();
  ASSERT_TRUE(make_move(move("d1d8")));
  const int pressure_bonus = 3 * std::min(king_zone_pressure(BLACK), 30);
  restore_position(root);
  EXPECT_EQ(scored(KingAttack, 100, "d1d8"), std::pair(60 + pressure_bonus, 0));
  EXPECT_EQ(scored(KingAttack, 200, "d1d8"), std::pair(60 + 2 * pressure_bonus + 100, 40));
  EXPECT_EQ(scored(Balanced, 200, "d1d8"), std::pair(60, 0));
  // A quiet move that neither checks nor offers anything gets no room.
  EXPECT_EQ(scored(KingAttack, 200, "a1b1").second, 0);

  // Nb5 leaves the knight to the c6 pawn: no trap (taking is simply good for Black),
  // so nothing at 100; above it the offer counts, 40 plus half what taking wins.
  load_fen("4k3/8/2p5/8/8/2N5/8/4K3 w - - 0 1");
  EXPECT_EQ(scored(Provocation, 100, "c3b5").second, 0);
  const std::pair offered = scored(Provocation, 200, "c3b5");
  EXPECT_EQ(offered.first - scored(Provocation, 100, "c3b5").first, 40 + 300 / 2);
  EXPECT_EQ(offered.second, 40);

  // Nf3 leaves the d1 rook to Rxd1+: bait, though the knight itself is safe. Above 100 it
  // is Provocation's own move and earns the offer (what Rxd1 wins, capped at 300);
  // Kg2 leaves nothing.
  load_fen("3r3k/8/8/8/3N4/8/8/3R3K w - - 0 1");
  EXPECT_TRUE(steered_candidate(move("d4f3"), Provocation));
  EXPECT_FALSE(steered_candidate(move("h1g2"), Provocation));
  const std::pair exposed = scored(Provocation, 200, "d4f3");
  EXPECT_EQ(exposed.first - scored(Provocation, 100, "d4f3").first, 40 + 300 / 2);
  EXPECT_EQ(exposed.second, 40);
  EXPECT_EQ(scored(Provocation, 200, "h1g2").second, 0);

  // d6 pushes a passed pawn: above 100 PassedPawn adds its steering (60) for the push on
  // top of its passers bonus growing (at most 50 more); a king move gets the growth alone.
  load_fen("4k3/8/8/3P4/8/8/8/4K3 w - - 0 1");
  const auto growth = [&](const char* text) {
    return scored(PassedPawn, 200, text).first - scored(PassedPawn, 100, text).first;
  };
  EXPECT_GE(growth("d5d6"), 60);
  EXPECT_LE(growth("e1d2"), 50);
  EXPECT_EQ(scored(PassedPawn, 200, "d5d6").second, 40);
}

TEST_F(TacticalPick, AboveItsDefaultAStyleMovePlaysOnlyIfItHoldsUpToTheMainScore) {
  // Rxd8 Kxd8 is an even trade into a level pawn ending; Kf1 stands for the best move.
  load_fen("3r4/4kpp1/7p/8/8/7P/5PP1/3R2K1 w - - 0 1");
  const Move trade = move("d1d8"), best = move("g1f1");
  // Searched to depth 5 after it, the trade is level: it scores above -30, not above 100.
  const SavedPosition before = save_position();
  EXPECT_TRUE(holds_up(trade, 5, -30));
  EXPECT_FALSE(holds_up(trade, 5, 100));
  // A check that runs out of nodes cannot tell, so it does not hold; no budget is left behind.
  EXPECT_FALSE(holds_up(trade, 14, -30, 2000));
  EXPECT_EQ(search_node_limit, 0);
  EXPECT_TRUE(same_position(before, save_position()));

  // PawnEnding at 400 may give up 15 cp: with the main search scoring best level it
  // trades; had the main search found best 500 cp better (more than the tree's wish
  // for this level pawn ending, 270 cp), the trade would not hold up, nor would the
  // other candidates (the check Re1+, which the short searches rate next), so best stays.
  white_search_mode = black_search_mode = PawnEnding;
  white_style_strength = 400;
  steering_side = WHITE;
  const auto picked = [&](int best_score) {
    tt_clear();
    ::testing::internal::CaptureStdout();
    answer = pick_tactical_move(6, best, best_score, limits, budget_start);
    ::testing::internal::GetCapturedStdout();
    return move_to_str(answer.move);
  };
  EXPECT_EQ(picked(0), "d1d8");
  EXPECT_EQ(picked(500), "g1f1");
  // Balanced above its default has no move of its own, and still holds every pick to the
  // main search's score: at 100 the short searches alone swap best for a check.
  white_search_mode = black_search_mode = Balanced;
  white_style_strength = 200;
  EXPECT_EQ(picked(500), "g1f1");
  white_style_strength = 100;
  EXPECT_EQ(picked(500), "d1d7");
  white_search_mode = black_search_mode = PawnEnding;
  // At the default strength nothing is checked against the main search's score.
  white_style_strength = 100;
  const std::string at_default = picked(0);
  EXPECT_EQ(picked(500), at_default);
}

// The two readings of bait, each read after the move with the opponent to move.
TEST_F(TacticalPick, BaitReadingsDifferWhereTheirReadersNeedThem) {
  struct Read {
    Bait exchange, moved_piece;
  };
  const auto read = [&](const char* fen, const char* text) {
    load_fen(fen);
    const Move m = move(text);
    const int taken = material_taken(m);
    EXPECT_TRUE(make_move(m)) << text;
    return Read{bait_offered(m, taken, BaitRule::Exchange), bait_offered(m, taken, BaitRule::MovedPiece)};
  };

  // Nd5 offers an even knight trade (Nxd5 exd5): the moved piece is bait; no capture
  // wins anything (Nxe4 loses the knight to fxe4), so nothing is left en prise.
  Read r = read("4k3/8/5n2/8/4P3/2N2P2/8/4K3 w - - 0 1", "c3d5");
  EXPECT_FALSE(r.exchange.offered);
  ASSERT_TRUE(r.moved_piece.offered);
  EXPECT_EQ(move_to_str(r.moved_piece.capture), "f6d5");
  EXPECT_EQ(r.moved_piece.gain, 0);

  // Nf3 leaves the d1 rook to Rxd1+ while the knight itself is safe.
  r = read("3r3k/8/8/8/3N4/8/8/3R3K w - - 0 1", "d4f3");
  ASSERT_TRUE(r.exchange.offered);
  EXPECT_EQ(move_to_str(r.exchange.capture), "d8d1");
  EXPECT_EQ(r.exchange.gain, 500);
  EXPECT_FALSE(r.moved_piece.offered);

  // Qxd5 takes a pawn and hangs the queen to cxd5: Exchange counts the gain beyond the
  // pawn it took, MovedPiece the whole exchange.
  r = read("4k3/8/2p5/3p4/8/8/8/3QK3 w - - 0 1", "d1d5");
  ASSERT_TRUE(r.exchange.offered && r.moved_piece.offered);
  EXPECT_EQ(r.exchange.gain, 900 - 100);
  EXPECT_EQ(r.moved_piece.gain, 900);
  EXPECT_EQ(move_to_str(r.exchange.capture), "c6d5");

  // Bxd5 exd5 trades a bishop for a knight: 10 cp more than the move took is short of
  // the margin, though the bishop is there to be taken.
  r = read("4k3/8/4p3/3n4/2B5/8/8/4K3 w - - 0 1", "c4d5");
  EXPECT_FALSE(r.exchange.offered);
  ASSERT_TRUE(r.moved_piece.offered);
  EXPECT_EQ(r.moved_piece.gain, 330);
  // A quiet move that leaves nothing to take is no bait by either reading.
  r = read("4k3/8/4p3/3n4/2B5/8/8/4K3 w - - 0 1", "e1f1");
  EXPECT_FALSE(r.exchange.offered || r.moved_piece.offered);
}

}  // namespace
