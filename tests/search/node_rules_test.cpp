#include <fstream>

#include "board/legal.h"
#include "search/node_rules.h"
#include "style/style_strength.h"
#include "search_fixture.h"

namespace {

class NodeRulesTest : public SearchTest {};

TEST_F(NodeRulesTest, ParametersByStyle) {
  const NodeParams deep = node_params(Deep);
  EXPECT_EQ(deep.full_depth_moves, 2);
  EXPECT_EQ(deep.reduction_min_depth, 2);
  EXPECT_EQ(deep.late_move_index, 6);
  EXPECT_EQ(deep.null_min_depth, 2);
  const NodeParams wide = node_params(Wide);
  EXPECT_EQ(wide.full_depth_moves, 10);
  EXPECT_EQ(wide.reduction_min_depth, 5);
  EXPECT_FALSE(wide.null_move);
  EXPECT_TRUE(node_params(KingAttack).check_extension);
  for (SearchMode mode : {Balanced, PassedPawn, PawnStorm, Provocation, PawnEnding, MajorPieceEnding}) {
    const NodeParams p = node_params(mode);
    EXPECT_EQ(p.full_depth_moves, 4);
    EXPECT_EQ(p.reduction_min_depth, 3);
    EXPECT_EQ(p.late_move_index, 8);
    EXPECT_EQ(p.null_min_depth, 3);
    EXPECT_TRUE(p.null_move);
    EXPECT_FALSE(p.check_extension);
  }
}

// Makes the move, returns its extension, and takes it back.
int extension_of(const Move& m, SearchMode mover_mode, int ply) {
  const StyleTag tag = style_tag(m, mover_mode);
  const int mover = side;
  const SavedPosition saved = save_position();
  EXPECT_TRUE(make_move(m));
  const int e = style_extension(m, tag, mover, ply);
  restore_position(saved);
  return e;
}

TEST_F(NodeRulesTest, PassedPawnReachingTheSeventhExtends) {
  load_fen("4k3/8/4P3/8/8/8/8/4K3 w - - 0 1");
  Move push = find_move("e6e7");
  EXPECT_EQ(style_tag(push, PassedPawn), StyleTag::PassedPush);
  EXPECT_EQ(style_tag(push, Balanced), StyleTag::None);
  EXPECT_EQ(extension_of(push, PassedPawn, 10), 1);
  EXPECT_EQ(extension_of(push, PassedPawn, 62), 0);  // no extensions beyond ply 61
  EXPECT_EQ(extension_of(push, PassedPawn, 61), 1);
  EXPECT_EQ(extension_of(push, Balanced, 10), 0);
  load_fen("4k3/8/8/4P3/8/8/8/4K3 w - - 0 1");
  EXPECT_EQ(extension_of(find_move("e5e6"), PassedPawn, 10), 0);  // tagged, but only to the sixth
  load_fen("4k3/8/8/8/8/4p3/8/4K3 b - - 0 1");
  EXPECT_EQ(extension_of(find_move("e3e2"), PassedPawn, 10), 1);
}

TEST_F(NodeRulesTest, StormPushThatAttacksAPawnExtends) {
  load_fen("6k1/8/8/7p/8/6P1/8/4K3 w - - 0 1");
  Move push = find_move("g3g4");
  EXPECT_EQ(style_tag(push, PawnStorm), StyleTag::StormPush);
  EXPECT_EQ(extension_of(push, PawnStorm, 3), 1);
  // Above its default PawnStorm drops its term but keeps its push extension.
  white_style_strength = 300;
  EXPECT_EQ(extension_of(push, PawnStorm, 3), 1);
  white_style_strength = STYLE_STRENGTH_DEFAULT;
  load_fen("6k1/8/8/8/8/6P1/8/4K3 w - - 0 1");
  EXPECT_EQ(extension_of(find_move("g3g4"), PawnStorm, 3), 0);
  load_fen("6k1/8/8/8/8/8/1P6/4K3 w - - 0 1");
  EXPECT_EQ(style_tag(find_move("b2b3"), PawnStorm), StyleTag::None);  // far from the king
}

TEST_F(NodeRulesTest, EndingCapturesExtend) {
  load_fen("4k3/8/8/3n4/8/8/8/3RK3 w - - 0 1");
  Move take_knight = find_move("d1d5");
  EXPECT_EQ(style_tag(take_knight, MajorPieceEnding), StyleTag::MinorCapture);
  EXPECT_EQ(style_tag(take_knight, MinorPieceEnding), StyleTag::None);
  EXPECT_EQ(extension_of(take_knight, MajorPieceEnding, 5), 1);
  EXPECT_EQ(extension_of(take_knight, Balanced, 5), 0);
  // The opponent's ending styles extend a capture that removes the last piece of a kind.
  load_fen("4k3/8/8/8/8/2p5/3R4/4K3 b - - 0 1");
  const Move pawn_takes = find_move("c3d2");
  load_fen("4k3/8/8/8/8/2n5/8/3RK3 b - - 0 1");
  const Move knight_takes = find_move("c3d1");
  struct Case {
    SearchMode white;
    int pawn_takes, knight_takes;
  };
  for (Case c : {Case{PawnEnding, 1, 0}, Case{MinorPieceEnding, 1, 1}, Case{MajorPieceEnding, 1, 0},
                 Case{Balanced, 0, 0}}) {
    white_search_mode = c.white;
    load_fen("4k3/8/8/8/8/2p5/3R4/4K3 b - - 0 1");
    EXPECT_EQ(extension_of(pawn_takes, Balanced, 5), c.pawn_takes) << mode_name(c.white);
    load_fen("4k3/8/8/8/8/2n5/8/3RK3 b - - 0 1");
    EXPECT_EQ(extension_of(knight_takes, Balanced, 5), c.knight_takes) << mode_name(c.white);
  }
  // Above its default MajorPieceEnding drops its capture extensions: neither extends.
  // So does MinorPieceEnding; PawnEnding keeps its extensions at any strength.
  white_style_strength = 400;
  white_search_mode = MajorPieceEnding;
  EXPECT_EQ(extension_of(pawn_takes, Balanced, 5), 0);
  load_fen("4k3/8/8/3n4/8/8/8/3RK3 w - - 0 1");
  EXPECT_EQ(extension_of(take_knight, MajorPieceEnding, 5), 0);
  load_fen("4k3/8/8/8/8/2p5/3R4/4K3 b - - 0 1");
  white_search_mode = MinorPieceEnding;
  EXPECT_EQ(extension_of(pawn_takes, Balanced, 5), 0);
  white_search_mode = PawnEnding;
  EXPECT_EQ(extension_of(pawn_takes, Balanced, 5), 1);
  white_style_strength = STYLE_STRENGTH_DEFAULT;
  white_search_mode = Balanced;
  // En passant lands on an empty square: no tag.
  load_fen("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
  EXPECT_EQ(style_tag(find_move("e5d6"), MajorPieceEnding), StyleTag::None);
}

TEST_F(NodeRulesTest, MaterialAndCheckHelpers) {
  load_fen("4k3/pppp4/8/8/8/8/8/4K2N w - - 0 1");
  EXPECT_TRUE(has_non_pawn_material(WHITE));
  EXPECT_FALSE(has_non_pawn_material(BLACK));
  EXPECT_FALSE(king_attacked(WHITE));
  load_fen("4k3/8/8/8/8/8/8/r3K3 w - - 0 1");
  EXPECT_TRUE(king_attacked(WHITE));
}

// The check test made before a quiet move agrees with the one made after it, for every
// quiet move of every perft suite position and of every position one move later (also
// illegal ones, which leave a king in check); castling and promotions may only err
// towards "may check".
TEST_F(NodeRulesTest, QuietCheckTestBeforeTheMoveMatchesTheTestAfterIt) {
  std::vector<std::string> fens = {"4k3/8/8/8/8/8/8/K6K b - - 0 1", "8/8/8/8/8/8/8/R3K2R w KQ - 0 1"};
  std::ifstream suite(BRISVANE_TEST_DATA "/perft.epd");
  for (std::string line; std::getline(suite, line);)
    if (!line.empty()) fens.push_back(line.substr(0, line.find(';')));
  std::size_t checks = 0, quiets = 0;
  auto compare = [&](const std::string& where) {
    MoveList list;
    generate_moves(list);
    const SavedPosition saved = save_position();
    const CheckSquares squares = check_squares();
    for (const Move& m : list.moves) {
      if (m.capture) continue;
      const bool predicted = quiet_move_may_check(m, squares);
      make_move(m);
      const bool gives_check = king_attacked(side);
      restore_position(saved);
      ++quiets;
      checks += gives_check;
      if (m.castling || m.promoted != NO_PIECE)
        EXPECT_TRUE(predicted || !gives_check) << where << " " << move_to_str(m);
      else
        EXPECT_EQ(predicted, gives_check) << where << " " << move_to_str(m);
    }
  };
  for (const std::string& fen : fens) {
    load_fen(fen);
    compare(fen);
    MoveList list;
    generate_moves(list);
    const SavedPosition saved = save_position();
    for (const Move& m : list.moves) {
      make_move(m);
      compare(fen + " " + move_to_str(m));
      restore_position(saved);
    }
  }
  EXPECT_GT(quiets, 10000u);
  EXPECT_GT(checks, 100u);
}

}  // namespace
