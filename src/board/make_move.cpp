#include "board/attacks.h"
#include "board/castling.h"
#include "board/move.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "eval/pst.h"

namespace {

// What a move changes besides the piece sets: the key and the two score sums.
struct MoveDelta {
  std::uint64_t key;
  int mg;
  int eg;

  void add(int code, int square) {
    key ^= zob_piece[code][square];
    mg += psq_mg_table[code][square];
    eg += psq_eg_table[code][square];
  }
  void remove(int code, int square) {
    key ^= zob_piece[code][square];
    mg -= psq_mg_table[code][square];
    eg -= psq_eg_table[code][square];
  }
};

// Moves the castling rook. The king has already gone to its square, which may be
// the one the rook starts on, or the rook may stay where it is.
void move_castling_rook(const Move& m, int us, MoveDelta& delta) {
  const int i = castle_index_of(m.piece, m.to);
  const int code = us == WHITE ? R : r;
  const int from = castling.rook_square[i];
  const int to = CASTLE_ROOK_TO[i];
  bitboards[code] = (bitboards[code] & ~square_bb(from)) | square_bb(to);
  delta.remove(code, from);
  delta.add(code, to);
}

// Castling, promotions and en passant are rare; keeping them out of line keeps the common path short.
[[gnu::noinline]] void make_special(const Move& m, int us, MoveDelta& delta) {
  if (m.en_passant) {
    const int victim_sq = us == WHITE ? m.to - 8 : m.to + 8;
    const int victim = us == WHITE ? p : P;
    // A FEN may name an en-passant square with no pawn behind it; then nothing is taken.
    if (bitboards[victim] & square_bb(victim_sq)) {
      bitboards[victim] &= ~square_bb(victim_sq);
      delta.remove(victim, victim_sq);
    }
  }
  if (m.promoted != NO_PIECE) {
    bitboards[m.piece] &= ~square_bb(m.to);
    bitboards[m.promoted] |= square_bb(m.to);
    delta.remove(m.piece, m.to);
    delta.add(m.promoted, m.to);
  }
  if (m.castling) move_castling_rook(m, us, delta);
}

}  // namespace

bool make_move(const Move& m) {
  const int us = side;
  const int them = us ^ 1;
  const Bitboard from_bb = square_bb(m.from);
  const Bitboard to_bb = square_bb(m.to);
  MoveDelta delta{zobrist_key ^ zob_castle[castle] ^ zob_side, psq_mg, psq_eg};

  if (ep_sq != NO_SQUARE) delta.key ^= zob_ep[ep_sq];

  delta.remove(m.piece, m.from);
  bitboards[m.piece] = (bitboards[m.piece] & ~from_bb) | to_bb;
  delta.add(m.piece, m.to);

  // The occupancy sets follow the common moves incrementally; the rare ones recount.
  occupancies[us] = (occupancies[us] & ~from_bb) | to_bb;
  if (m.capture && !m.en_passant) {
    occupancies[them] &= ~to_bb;
    // The captured piece is the first of the opponent's sets, in code order, that holds the target.
    const int first = them * 6;
    for (int code = first; code < first + 6; ++code) {
      if (bitboards[code] & to_bb) {
        bitboards[code] &= ~to_bb;
        delta.remove(code, m.to);
        break;
      }
    }
  }
  if (m.en_passant | m.castling | (m.promoted != NO_PIECE)) {
    make_special(m, us, delta);
    update_occupancies();
  }
  occupancies[2] = occupancies[WHITE] | occupancies[BLACK];

  ep_sq = NO_SQUARE;
  castle &= castling.rights_mask[m.from] & castling.rights_mask[m.to];
  if (m.double_push) {
    ep_sq = us == WHITE ? m.to - 8 : m.to + 8;
    delta.key ^= zob_ep[ep_sq];
  }
  delta.key ^= zob_castle[castle];

  // A side without a king (only possible from a FEN) is treated as never in check.
  const Bitboard king = bitboards[us == WHITE ? K : k];
  const bool legal = !king || !is_square_attacked(lsb(king), them);

  // A capture or a pawn move can never be undone: the fifty-move count starts again.
  halfmove_clock = m.capture || m.piece == P || m.piece == p ? 0 : halfmove_clock + 1;
  zobrist_key = delta.key;
  psq_mg = delta.mg;
  psq_eg = delta.eg;
  side = them;
  return legal;
}

std::uint64_t key_after_move(const Move& m) {
  const int us = side;
  const Bitboard to_bb = square_bb(m.to);
  std::uint64_t key = zobrist_key ^ zob_castle[castle] ^ zob_side;
  if (ep_sq != NO_SQUARE) key ^= zob_ep[ep_sq];

  // The same steps as make_move, on the key alone.
  key ^= zob_piece[m.piece][m.from];
  key ^= zob_piece[m.promoted != NO_PIECE ? m.promoted : m.piece][m.to];
  if (m.capture && !m.en_passant) {
    const int first = (us ^ 1) * 6;
    for (int code = first; code < first + 6; ++code) {
      if (bitboards[code] & to_bb) {
        key ^= zob_piece[code][m.to];
        break;
      }
    }
  }
  if (m.en_passant) {
    const int victim_sq = us == WHITE ? m.to - 8 : m.to + 8;
    const int victim = us == WHITE ? p : P;
    if (bitboards[victim] & square_bb(victim_sq)) key ^= zob_piece[victim][victim_sq];
  }
  if (m.castling) {
    const int i = castle_index_of(m.piece, m.to);
    const int code = us == WHITE ? R : r;
    key ^= zob_piece[code][castling.rook_square[i]] ^ zob_piece[code][CASTLE_ROOK_TO[i]];
  }
  if (m.double_push) key ^= zob_ep[us == WHITE ? m.to - 8 : m.to + 8];
  return key ^ zob_castle[castle & castling.rights_mask[m.from] & castling.rights_mask[m.to]];
}
