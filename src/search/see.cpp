// Static exchange evaluation: the material outcome of the captures on one square,
// each side always recapturing with its least valuable piece.

#include <algorithm>
#include <cstring>

#include "board/attacks.h"
#include "board/position.h"
#include "search/ordering.h"

namespace {
// Recaptures recorded after the first capture, at most.
constexpr int SEE_MAX_RECAPTURES = 31;
}  // namespace

int see_least_attacker(int square, int side_to_capture, Bitboard occupancy, const Bitboard boards[12],
                       int& piece_out) {
  int base = side_to_capture == WHITE ? 0 : 6;
  Bitboard diagonal = bishop_attacks(square, occupancy);
  Bitboard straight = rook_attacks(square, occupancy);
  const Bitboard sets[6] = {
      pawn_attacks[side_to_capture ^ 1][square] & boards[base + P],
      knight_attacks[square] & boards[base + N],
      diagonal & boards[base + B],
      straight & boards[base + R],
      (diagonal | straight) & boards[base + Q],
      king_attacks[square] & boards[base + K],
  };
  for (int type = 0; type < 6; ++type) {
    if (sets[type]) {
      piece_out = base + type;
      return lsb(sets[type]);
    }
  }
  return -1;
}

int static_exchange_eval(const Move& m) {
  if (!m.capture) return 0;
  Bitboard boards[12];
  std::memcpy(boards, bitboards, sizeof boards);
  const int from = m.from, to = m.to;
  // The capturer's colour comes from the moving piece, so an exchange can be read for
  // either side whoever is to move.
  const int capturer = m.piece < 6 ? WHITE : BLACK;
  Bitboard occupancy = occupancies[2] & ~square_bb(from);
  boards[m.piece] &= ~square_bb(from);

  int gain[SEE_MAX_RECAPTURES + 1];
  gain[0] = 0;
  if (m.en_passant) {
    gain[0] = 100;
    int victim_square = capturer == WHITE ? to - 8 : to + 8;
    boards[capturer == WHITE ? p : P] &= ~square_bb(victim_square);
    occupancy &= ~square_bb(victim_square);
  } else {
    for (int pc = 0; pc < 12; ++pc) {
      if (boards[pc] & square_bb(to)) {
        gain[0] = mvv_lva_value[pc];
        boards[pc] &= ~square_bb(to);
        break;
      }
    }
  }
  boards[m.piece] |= square_bb(to);
  occupancy |= square_bb(to);
  int standing = mvv_lva_value[m.piece];
  int to_move = capturer ^ 1;

  int count = 0;
  while (count < SEE_MAX_RECAPTURES) {
    int attacker = 0;
    int square = see_least_attacker(to, to_move, occupancy, boards, attacker);
    if (square < 0) break;
    gain[count + 1] = standing - gain[count];
    ++count;
    boards[attacker] &= ~square_bb(square);
    occupancy &= ~square_bb(square);
    standing = mvv_lva_value[attacker];
    to_move ^= 1;
  }
  for (int j = count - 1; j >= 0; --j) gain[j] = -std::max(-gain[j], gain[j + 1]);
  return gain[0];
}
