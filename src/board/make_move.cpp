#include "board/attacks.h"
#include "board/move.h"
#include "board/position.h"
#include "board/zobrist.h"

namespace {

// Moves a castling rook; the key follows the board even when rights from a FEN
// promise a rook that is not there.
void move_rook(int code, int from, int to, std::uint64_t& key) {
  if (bitboards[code] & square_bb(from)) {
    bitboards[code] &= ~square_bb(from);
    key ^= zob_piece[code][from];
  }
  bitboards[code] |= square_bb(to);
  key ^= zob_piece[code][to];
}

// Castling, promotions and en passant are rare; keeping them out of line keeps the common path short.
[[gnu::noinline]] void make_special(const Move& m, int us, std::uint64_t& key) {
  if (m.en_passant) {
    const int victim_sq = us == WHITE ? m.to - 8 : m.to + 8;
    const int victim = us == WHITE ? p : P;
    // A FEN may name an en-passant square with no pawn behind it; then nothing is taken.
    if (bitboards[victim] & square_bb(victim_sq)) {
      bitboards[victim] &= ~square_bb(victim_sq);
      key ^= zob_piece[victim][victim_sq];
    }
  }
  if (m.promoted != NO_PIECE) {
    bitboards[m.piece] &= ~square_bb(m.to);
    bitboards[m.promoted] |= square_bb(m.to);
    key ^= zob_piece[m.piece][m.to] ^ zob_piece[m.promoted][m.to];
  }
  if (m.castling) {
    switch (m.to) {
      case 6: move_rook(R, 7, 5, key); break;
      case 2: move_rook(R, 0, 3, key); break;
      case 62: move_rook(r, 63, 61, key); break;
      case 58: move_rook(r, 56, 59, key); break;
      default: break;
    }
  }
}

}  // namespace

bool make_move(const Move& m) {
  const int us = side;
  const int them = us ^ 1;
  const Bitboard from_bb = square_bb(m.from);
  const Bitboard to_bb = square_bb(m.to);
  std::uint64_t key = zobrist_key ^ zob_castle[castle] ^ zob_side;

  if (ep_sq != NO_SQUARE) key ^= zob_ep[ep_sq];

  // Castling rights read from a FEN need not match the board, so the king may be
  // missing from its origin; the key only loses a piece that was there.
  if (bitboards[m.piece] & from_bb) key ^= zob_piece[m.piece][m.from];
  bitboards[m.piece] = (bitboards[m.piece] & ~from_bb) | to_bb;
  key ^= zob_piece[m.piece][m.to];

  // The occupancy sets follow the common moves incrementally; the rare ones recount.
  occupancies[us] = (occupancies[us] & ~from_bb) | to_bb;
  if (m.capture && !m.en_passant) {
    occupancies[them] &= ~to_bb;
    // The captured piece is the first of the opponent's sets, in code order, that holds the target.
    const int first = them * 6;
    for (int code = first; code < first + 6; ++code) {
      if (bitboards[code] & to_bb) {
        bitboards[code] &= ~to_bb;
        key ^= zob_piece[code][m.to];
        break;
      }
    }
  }
  if (m.en_passant | m.castling | (m.promoted != NO_PIECE)) {
    make_special(m, us, key);
    update_occupancies();
  }
  occupancies[2] = occupancies[WHITE] | occupancies[BLACK];

  ep_sq = NO_SQUARE;
  castle &= castle_rights_mask[m.from] & castle_rights_mask[m.to];
  if (m.double_push) {
    ep_sq = us == WHITE ? m.to - 8 : m.to + 8;
    key ^= zob_ep[ep_sq];
  }
  key ^= zob_castle[castle];

  // A side without a king (only possible from a FEN) is treated as never in check.
  const Bitboard king = bitboards[us == WHITE ? K : k];
  const bool legal = !king || !is_square_attacked(lsb(king), them);

  // A capture or a pawn move can never be undone: the fifty-move count starts again.
  halfmove_clock = m.capture || m.piece == P || m.piece == p ? 0 : halfmove_clock + 1;
  zobrist_key = key;
  side = them;
  return legal;
}
