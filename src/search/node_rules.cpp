#include "search/node_rules.h"

#include "board/attacks.h"
#include "board/position.h"
#include "eval/passed_pawns.h"
#include "style/style_strength.h"

NodeParams node_params(SearchMode mover_mode) {
  switch (mover_mode) {
    case Deep:
      return {2, 2, 6, false, 2, true};
    case Wide:
      return {10, 5, 8, false, 3, false};
    case KingAttack:
      return {4, 3, 8, true, 3, true};
    default:
      return {4, 3, 8, false, 3, true};
  }
}

namespace {

Bitboard pieces_of_types(int type_a, int type_b) {
  return bitboards[type_a] | bitboards[type_b] | bitboards[type_a + 6] | bitboards[type_b + 6];
}

bool pawn_push_tagged(const Move& m) { return !m.capture && (m.piece == P || m.piece == p); }

}  // namespace

StyleTag style_tag(const Move& m, SearchMode mover_mode) {
  switch (mover_mode) {
    case PassedPawn:
      if (pawn_push_tagged(m) && !(passed_pawn_mask[side][m.from] & bitboards[side == WHITE ? p : P]))
        return StyleTag::PassedPush;
      return StyleTag::None;
    case PawnStorm: {
      Bitboard enemy_king = bitboards[side == WHITE ? k : K];
      if (pawn_push_tagged(m) && enemy_king) {
        int distance = file_of(m.to) - file_of(lsb(enemy_king));
        if (distance >= -1 && distance <= 1) return StyleTag::StormPush;
      }
      return StyleTag::None;
    }
    case MajorPieceEnding:
      if (m.capture && (pieces_of_types(N, B) & square_bb(m.to))) return StyleTag::MinorCapture;
      return StyleTag::None;
    case MinorPieceEnding:
      if (m.capture && (pieces_of_types(R, Q) & square_bb(m.to))) return StyleTag::MajorCapture;
      return StyleTag::None;
    default:
      return StyleTag::None;
  }
}

bool style_orders(int colour) { return ordering_on(mode_of(colour), style_strength_of(colour)); }

bool style_extends(int colour) { return extensions_on(mode_of(colour), style_strength_of(colour)); }

int style_extension(const Move& m, StyleTag tag, int mover, int ply) {
  if (ply > MAX_EXTENSION_PLY) return 0;
  switch (tag) {
    case StyleTag::PassedPush:
      if (rank_of(m.to) == (mover == WHITE ? 6 : 1) && style_extends(mover)) return 1;
      break;
    case StyleTag::StormPush:
      if ((pawn_attacks[mover][m.to] & bitboards[mover == WHITE ? p : P]) && style_extends(mover)) return 1;
      break;
    case StyleTag::MinorCapture:
    case StyleTag::MajorCapture:
      return style_extends(mover) ? 1 : 0;
    case StyleTag::None:
      break;
  }
  if (!m.capture || !style_extends(side)) return 0;
  // The ending rules follow the style of the side now to move.
  switch (active_mode()) {
    case PawnEnding:
      return (pieces_of_types(N, B) | pieces_of_types(R, Q)) ? 0 : 1;
    case MajorPieceEnding:
      return pieces_of_types(N, B) ? 0 : 1;
    case MinorPieceEnding:
      return pieces_of_types(R, Q) ? 0 : 1;
    default:
      return 0;
  }
}

CheckSquares check_squares() {
  CheckSquares squares;
  const int us = side;
  const Bitboard enemy_king = bitboards[us == WHITE ? k : K];
  if (!enemy_king) return squares;
  const int target = lsb(enemy_king);
  squares.king = true;
  squares.king_square = target;
  Bitboard* by_type = squares.targets.by_type;
  by_type[P] = pawn_attacks[us ^ 1][target];
  by_type[N] = knight_attacks[target];
  by_type[B] = bishop_attacks(target, occupancies[2]);
  by_type[R] = rook_attacks(target, occupancies[2]);
  by_type[Q] = by_type[B] | by_type[R];
  by_type[K] = king_attacks[target];
  // Entry 0 of a slider table is its empty-board set: every line through the square.
  squares.targets.any_from = bishop_attack_table[target][0] | rook_attack_table[target][0];
  // A king already in check (a set-up, never a searched position) leaves nothing to
  // conclude from the squares: every move gets the whole test.
  if (is_square_attacked(target, us)) squares.targets.any_from = ~Bitboard{0};
  return squares;
}

namespace {

// The attack test that follows make_move, asked of the board a plain quiet move leaves.
bool attacked_after(const Move& m, int target) {
  const int us = side;
  const Bitboard from_bb = square_bb(m.from), to_bb = square_bb(m.to);
  const Bitboard occupancy = (occupancies[2] & ~from_bb) | to_bb;
  // Our piece sets after the move: only the moving piece's set changes.
  const int base = us * 6;
  auto after = [&](int type) {
    const Bitboard set = bitboards[base + type];
    return base + type == m.piece ? (set & ~from_bb) | to_bb : set;
  };
  if (pawn_attacks[us ^ 1][target] & after(P)) return true;
  if (knight_attacks[target] & after(N)) return true;
  if (king_attacks[target] & after(K)) return true;
  if (bishop_attacks(target, occupancy) & (after(B) | after(Q))) return true;
  return (rook_attacks(target, occupancy) & (after(R) | after(Q))) != 0;
}

}  // namespace

bool quiet_move_may_check(const Move& m, const CheckSquares& squares) {
  if (!squares.king) return false;
  if (m.castling || m.promoted != NO_PIECE) return true;
  // A piece on a line through the king may uncover a slider or run along the line;
  // those few moves get the whole test.
  if (squares.targets.any_from & square_bb(m.from)) return attacked_after(m, squares.king_square);
  // Otherwise the rays from the king do not pass the origin, so the squares found
  // before the move stay right, and only the moved piece can give check (the king
  // not being in check already).
  return (squares.targets.by_type[m.piece % 6] & square_bb(m.to)) != 0;
}

bool has_non_pawn_material(int colour) {
  int base = colour == WHITE ? 0 : 6;
  return (bitboards[base + N] | bitboards[base + B] | bitboards[base + R] | bitboards[base + Q]) != 0;
}
