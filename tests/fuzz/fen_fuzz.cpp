// libFuzzer target: loads arbitrary text as a FEN, checks the invariants every
// position set-up must keep, and on positions with one king per side plays each
// generated move and takes it back.

#include <cstddef>
#include <cstdint>
#include <string>

#include "board/attacks.h"
#include "board/castling.h"
#include "board/move.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/types.h"
#include "board/zobrist.h"
#include "search/startup.h"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

void check_invariants() {
  Bitboard white = 0, black = 0, seen = 0;
  for (int code = 0; code < 12; ++code) {
    check((seen & bitboards[code]) == 0);  // a square holds at most one piece
    seen |= bitboards[code];
    (code < 6 ? white : black) |= bitboards[code];
  }
  check(occupancies[0] == white && occupancies[1] == black && occupancies[2] == (white | black));
  check(side == 0 || side == 1);
  check(castle >= 0 && castle <= 15);
  check(ep_sq >= 0 && ep_sq <= NO_SQUARE);
  check(zobrist_key == compute_zobrist());
  check(halfmove_clock >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  init_tables();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  load_fen(text);
  check_invariants();
  check(repetition_stack.size() == 1 && repetition_stack[0] == zobrist_key);
  if (!has_one_king_each()) return 0;

  MoveList list;
  generate_moves(list);
  const SavedPosition saved = save_position();
  for (const Move& move : list.moves) {
    // Chess960 text names every move uniquely; the standard form can read a
    // castling as the king's step between the same squares, which comes first.
    chess960 = true;
    check(same_move(parse_uci_move(move_to_str(move)), move));
    chess960 = false;
    const Move read = parse_uci_move(move_to_str(move));
    check(read.from == move.from && read.to == move.to && read.promoted == move.promoted);
    if (move.castling) {
      check(castle & (1 << castle_index_of(move.piece, move.to)));
      check(bitboards[move.piece == K ? R : r] & square_bb(castling_rook_square(move.piece, move.to)));
    }
    if (make_move(move)) {
      check_invariants();
      check(halfmove_clock == (move.capture || move.piece % 6 == 0 ? 0 : saved.halfmove_clock + 1));
    }
    restore_position(saved);
    check(zobrist_key == compute_zobrist());
  }
  return 0;
}
