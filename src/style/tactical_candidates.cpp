#include "style/tactical_candidates.h"

#include <algorithm>

#include "board/attacks.h"
#include "board/legal.h"
#include "board/position.h"
#include "eval/passed_pawns.h"
#include "search/ordering.h"
#include "style/bait.h"
#include "style/style_strength.h"

namespace {

bool about_even(const Move& capture) {
  const int see = static_exchange_eval(capture);
  return see >= -TRADE_OFFER_MARGIN_CP && see <= TRADE_OFFER_MARGIN_CP;
}

Bitboard piece_reach(int type, int square) {
  switch (type) {
    case N: return knight_attacks[square];
    case B: return bishop_attacks(square, occupancies[2]);
    case R: return rook_attacks(square, occupancies[2]);
    case Q: return queen_attacks(square, occupancies[2]);
    default: return 0;
  }
}

}  // namespace

bool trade_capture(const Move& m, SearchMode mode) {
  const int code = piece_on(m.to);
  // A capture that gives up more than it takes is a sacrifice, not a trade: it leaves
  // the opponent the piece the style wants gone.
  return code != NO_PIECE && wanted_gone(mode, code % 6) && static_exchange_eval(m) >= -TRADE_OFFER_MARGIN_CP;
}

bool offers_trade(const Move& m, SearchMode mode) {
  const int type = m.piece % 6;
  if (!wanted_gone(mode, type)) return false;
  // The opponent may take it, even.
  Move capture;
  if (least_attacker_capture(m.to, capture) && wanted_gone(mode, capture.piece % 6) && about_even(capture))
    return true;
  // Or it now attacks a piece the style wants gone, and taking that is even.
  const int enemy_base = side * 6;
  for (Bitboard targets = piece_reach(type, m.to) & occupancies[side]; targets;) {
    const int square = pop_lsb(targets);
    const int victim = piece_on(square);
    if (victim < enemy_base || victim >= enemy_base + 6 || !wanted_gone(mode, victim % 6)) continue;
    Move take{};
    take.from = m.to;
    take.to = square;
    take.piece = m.piece;
    take.capture = 1;
    if (about_even(take)) return true;
  }
  return false;
}

namespace {

bool is_pawn_move(const Move& m) { return m.piece == P || m.piece == p; }

bool is_quiet(const Move& m) { return !m.capture && m.promoted == NO_PIECE; }

// First pass: captures and promotions, plus the pawn pushes of the mover's style.
bool first_pass_candidate(const Move& m, SearchMode mode) {
  if (!is_quiet(m)) return true;
  if (!is_pawn_move(m)) return false;
  const int mover = side;
  if (mode == PassedPawn) {
    const Bitboard enemy_pawns = bitboards[mover == WHITE ? p : P];
    return (passed_pawn_mask[mover][m.from] & enemy_pawns) == 0;
  }
  if (mode == PawnStorm) {
    const Bitboard enemy_king = bitboards[mover == WHITE ? k : K];
    if (enemy_king == 0) return false;
    const int file_gap = file_of(m.to) - file_of(lsb(enemy_king));
    return file_gap >= -1 && file_gap <= 1;
  }
  return false;
}

// Second pass: a legal quiet move that checks, or that offers the moved piece as bait
// (when the term mode is Provocation), or, above the default, that is the mover's own
// kind: a trade offer of a piece it wants gone, or any bait.
bool second_pass_candidate(const Move& m) {
  const int mover = side;
  const SavedPosition saved = save_position();
  if (!make_move(m)) {
    restore_position(saved);
    return false;
  }
  bool wanted =
      king_attacked(side) || (term_mode(mover) == Provocation && bait_offered(m, 0, BaitRule::MovedPiece).offered);
  if (style_strength_of(mover) > STYLE_STRENGTH_DEFAULT) {
    const OwnMove own = style_entry(gathering_mode(mover)).own_move;
    if (own == OwnMove::Trade && offers_trade(m, gathering_mode(mover))) wanted = true;
    if (own == OwnMove::Bait && !wanted && bait_offered(m, 0, BaitRule::Exchange).offered) wanted = true;
  }
  restore_position(saved);
  return wanted;
}

}  // namespace

bool steered_candidate(const Move& m, SearchMode mode) {
  const OwnMove own = style_entry(mode).own_move;
  if (own == OwnMove::None) return false;
  if (own == OwnMove::PassedPush || own == OwnMove::StormPush) return is_quiet(m) && first_pass_candidate(m, mode);
  if (own == OwnMove::Bait) {
    // Any move that leaves the opponent a capture winning more than the move took.
    const int taken = material_taken(m);
    const SavedPosition saved = save_position();
    const bool bait = make_move(m) && bait_offered(m, taken, BaitRule::Exchange).offered;
    restore_position(saved);
    return bait;
  }
  if (m.capture) return own == OwnMove::Trade && trade_capture(m, mode);
  // The quiet moves are read in the position after them: a check, bait, a trade offer.
  if (!is_quiet(m) || (own == OwnMove::Trade && !wanted_gone(mode, m.piece % 6))) return false;
  const SavedPosition saved = save_position();
  bool wanted = false;
  if (make_move(m)) {
    wanted = own == OwnMove::Check ? king_attacked(side) : offers_trade(m, mode);
  }
  restore_position(saved);
  return wanted;
}

std::vector<Move> gather_tactical_candidates(const MoveList& generated) {
  std::vector<Move> candidates;
  const SearchMode gathering = gathering_mode(side);
  for (const Move& m : generated.moves) {
    if (first_pass_candidate(m, gathering)) candidates.push_back(m);
  }
  for (const Move& m : generated.moves) {
    if (is_quiet(m) && second_pass_candidate(m)) candidates.push_back(m);
  }
  if (style_strength_of(side) > STYLE_STRENGTH_DEFAULT) {
    std::stable_partition(candidates.begin(), candidates.end(),
                          [&](const Move& m) { return steered_candidate(m, gathering); });
  }
  return candidates;
}

void shape_candidate_list(std::vector<Move>& candidates, const Move& best) {
  if (candidates.size() > MAX_TACTICAL_CANDIDATES) candidates.resize(MAX_TACTICAL_CANDIDATES);
  for (const Move& m : candidates) {
    if (same_move(m, best)) return;
  }
  candidates.push_back(best);
}
