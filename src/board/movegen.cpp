#include "board/movegen.h"

#include "board/attacks.h"
#include "board/castling.h"
#include "board/position.h"

namespace {

// Moves are written through a cursor into room the list reserved beforehand.
inline void add(Move*& out, int from, int to, int piece, int capture, int promoted = NO_PIECE,
                int en_passant = 0, int castling = 0, int double_push = 0) {
  *out++ = Move{from, to, piece, capture, promoted, en_passant, castling, double_push};
}

// Promotions come queen, rook, bishop, knight; `queen` is the colour's queen code.
inline void add_promotions(Move*& out, int from, int to, int pawn, int capture, int queen) {
  add(out, from, to, pawn, capture, queen);
  add(out, from, to, pawn, capture, queen - 1);
  add(out, from, to, pawn, capture, queen - 2);
  add(out, from, to, pawn, capture, queen - 3);
}

// What each generation keeps: every move, the captures only, or the captures and the
// quiet moves a QuietTargets lets through. Each keeps the order of the full list.
enum class Kind { ALL, CAPTURES, FILTERED };

// Where a quiet move of a piece of this type from `from` may go (the generators keep
// only the empty squares of it).
template <Kind KIND>
inline Bitboard quiet_room(const QuietTargets* keep, int type, int from) {
  if constexpr (KIND == Kind::ALL) return ~Bitboard{0};
  if constexpr (KIND == Kind::CAPTURES) return 0;
  if constexpr (KIND == Kind::FILTERED)
    return keep->any_from & square_bb(from) ? ~Bitboard{0} : keep->by_type[type];
}

template <Kind KIND>
void generate_pawn_moves(Move*& out, int us, Bitboard enemy, Bitboard all, const QuietTargets* keep) {
  constexpr bool CAPTURES = KIND == Kind::CAPTURES;
  const int pawn = us == WHITE ? P : p;
  const int queen = us == WHITE ? Q : q;
  const int step = us == WHITE ? 8 : -8;
  const int promo_rank = us == WHITE ? 6 : 1;
  const int start_rank = us == WHITE ? 1 : 6;
  Bitboard pawns = bitboards[pawn];
  while (pawns) {
    const int from = pop_lsb(pawns);
    const int ahead = from + step;
    if (!CAPTURES && ahead >= 0 && ahead < 64 && !(all & square_bb(ahead))) {
      if (rank_of(from) == promo_rank) {
        add_promotions(out, from, ahead, pawn, 0, queen);
      } else {
        const Bitboard room = quiet_room<KIND>(keep, P, from);
        if (room & square_bb(ahead)) add(out, from, ahead, pawn, 0);
        if (rank_of(from) == start_rank && !(all & square_bb(ahead + step)) && (room & square_bb(ahead + step)))
          add(out, from, ahead + step, pawn, 0, NO_PIECE, 0, 0, 1);
      }
    }
    Bitboard targets = pawn_attacks[us][from] & enemy;
    while (targets) {
      const int to = pop_lsb(targets);
      if (rank_of(from) == promo_rank)
        add_promotions(out, from, to, pawn, 1, queen);
      else
        add(out, from, to, pawn, 1);
    }
    // A FEN can name an en-passant square that a piece stands on; capturing "onto" it
    // would stack two pieces on one square, so only an empty target square counts.
    if (ep_sq != NO_SQUARE && (pawn_attacks[us][from] & square_bb(ep_sq) & ~occupancies[2]))
      add(out, from, ep_sq, pawn, 1, NO_PIECE, 1);
  }
}

template <int TYPE>
inline Bitboard piece_targets(int from, Bitboard all) {
  if constexpr (TYPE == 1) return knight_attacks[from];
  if constexpr (TYPE == 2) return bishop_attacks(from, all);
  if constexpr (TYPE == 3) return rook_attacks(from, all);
  if constexpr (TYPE == 4) return queen_attacks(from, all);
}

template <int TYPE, Kind KIND>
void generate_piece_moves(Move*& out, int us, Bitboard own, Bitboard enemy, Bitboard all, const QuietTargets* keep) {
  constexpr bool CAPTURES = KIND == Kind::CAPTURES;
  const int piece = us * 6 + TYPE;
  Bitboard pieces = bitboards[piece];
  while (pieces) {
    const int from = pop_lsb(pieces);
    Bitboard targets = piece_targets<TYPE>(from, all) & ~own & (enemy | quiet_room<KIND>(keep, TYPE, from));
    while (targets) {
      const int to = pop_lsb(targets);
      add(out, from, to, piece, CAPTURES || (enemy & square_bb(to)) ? 1 : 0);
    }
  }
}

// Any squares of path attacked by them.
inline bool path_attacked(Bitboard path, int them) {
  while (path)
    if (is_square_attacked(pop_lsb(path), them)) return true;
  return false;
}

// King side before queen side. The set-up keeps a right only while its king and rook
// stand on their squares, so each test is: the right, the empty squares between, and
// no attack on the king's way. Whether the king is attacked where it lands, also by a
// slider the rook was blocking, is make_move's final test.
void generate_castling(Move*& out, int us, Bitboard all) {
  if (!(castle & (3 << (us * 2)))) return;
  const int them = us ^ 1;
  for (int i = castle_index(us, false); i <= castle_index(us, true); ++i) {
    if ((castle & (1 << i)) && !(all & castling.must_be_empty[i]) && !path_attacked(castling.king_path[i], them))
      add(out, castling.king_square[us], CASTLE_KING_TO[i], us * 6 + 5, 0, NO_PIECE, 0, 1);
  }
}

// At most this many moves for the side: twelve per pawn (promotions), the most each
// piece can reach, one king and two castlings. Odd set-ups may pass the list's inline room.
int move_bound(int us) {
  const Bitboard* own = bitboards + us * 6;
  return 12 * popcount(own[P]) + 8 * popcount(own[N]) + 13 * popcount(own[B]) + 14 * popcount(own[R]) +
         27 * popcount(own[Q]) + 8 + 2;
}

template <Kind KIND>
void generate(MoveList& list, const QuietTargets* keep = nullptr) {
  constexpr bool CAPTURES = KIND == Kind::CAPTURES;
  list.moves.clear();
  const int us = side;
  Move* out = list.moves.reserve_back(move_bound(us));
  const Bitboard own = occupancies[us];
  const Bitboard enemy = occupancies[us ^ 1];
  const Bitboard all = occupancies[2];

  generate_pawn_moves<KIND>(out, us, enemy, all, keep);
  generate_piece_moves<1, KIND>(out, us, own, enemy, all, keep);
  generate_piece_moves<2, KIND>(out, us, own, enemy, all, keep);
  generate_piece_moves<3, KIND>(out, us, own, enemy, all, keep);
  generate_piece_moves<4, KIND>(out, us, own, enemy, all, keep);

  // Only the king on the lowest square moves; a side without a king (FEN only) has no king step.
  const Bitboard king = bitboards[us * 6 + 5];
  if (king) {
    const int from = lsb(king);
    Bitboard targets = king_attacks[from] & ~own & (enemy | quiet_room<KIND>(keep, 5, from));
    while (targets) {
      const int to = pop_lsb(targets);
      add(out, from, to, us * 6 + 5, CAPTURES || (enemy & square_bb(to)) ? 1 : 0);
    }
  }
  if (!CAPTURES) generate_castling(out, us, all);
  list.moves.commit(out);
}

}  // namespace

void generate_moves(MoveList& list) { generate<Kind::ALL>(list); }

void generate_captures(MoveList& list) { generate<Kind::CAPTURES>(list); }

void generate_captures_and_quiets(MoveList& list, const QuietTargets& keep) { generate<Kind::FILTERED>(list, &keep); }
