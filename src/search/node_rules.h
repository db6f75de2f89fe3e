#pragma once
// The style-dependent rules of an alpha-beta node: reduction parameters, style tags
// and extensions. Kept apart from the node so that each rule reads on its own.

#include "board/move.h"
#include "board/movegen.h"
#include "board/position.h"
#include "style/search_mode.h"

// Late-move-reduction and check-extension parameters of the side to move's style.
struct NodeParams {
  int full_depth_moves;     // moves searched at full depth before any reduction
  int reduction_min_depth;  // smallest remaining depth that reduces
  int late_move_index;      // from this many searched moves on, reduce one ply more
  bool check_extension;     // every reply to check searched one ply deeper
  int null_min_depth;       // smallest remaining depth that tries a null move
  bool null_move;           // whether this style tries null moves at all
};

NodeParams node_params(SearchMode mover_mode);

// Extensions stop beyond this ply, so the per-ply tables keep room for the line.
constexpr int MAX_EXTENSION_PLY = 61;

enum class StyleTag { None, PassedPush, StormPush, MinorCapture, MajorCapture };

// The tag of a move in the current position, by the mover's style (before the move is made).
StyleTag style_tag(const Move& m, SearchMode mover_mode);

// Whether colour's style keeps its own move ordering, and its own extensions, at its
// strength: always at or below the default, above it as its row's shape says.
bool style_orders(int colour);
bool style_extends(int colour);

// The style extension (0 or 1) of a move just made; mover is the colour that moved.
// Reads the mode of the side now to move for the three ending rules.
int style_extension(const Move& m, StyleTag tag, int mover, int ply);

// Where the side to move would check the enemy king from, worked out once per node.
struct CheckSquares {
  bool king = false;         // the enemy has a king (without one nothing ever checks)
  int king_square = 0;       // its square (the lowest, as king_attacked reads it)
  // by_type: the squares from which a piece of each type attacks that square; any_from:
  // the squares on a line through it, where leaving may uncover a check. As the move
  // generator reads them, they list the quiet moves that may give check.
  QuietTargets targets;
};
CheckSquares check_squares();

// Whether a quiet move of the side to move may leave the enemy king attacked, decided
// without making it: exact for plain moves, always true for castling and promotions,
// which are rare and are made to tell.
bool quiet_move_may_check(const Move& m, const CheckSquares& squares);

// Whether the side to move has a knight, bishop, rook or queen.
bool has_non_pawn_material(int colour);
