#include "book/book_move.h"

#include "board/castling.h"
#include "board/legal.h"

namespace {

constexpr int TO_SHIFT = 0;
constexpr int FROM_SHIFT = 6;
constexpr int PROMOTION_SHIFT = 12;
constexpr int PROMOTION_MAX = 4;  // queen

// Knight 1 .. queen 4; 0 for a move that does not promote.
int promotion_code(int promoted) { return promoted == NO_PIECE ? 0 : promoted % 6; }

}  // namespace

std::uint16_t encode_book_move(const Move& m) {
  const int to = m.castling ? castling_rook_square(m.piece, m.to) : m.to;
  return static_cast<std::uint16_t>(to << TO_SHIFT | m.from << FROM_SHIFT | promotion_code(m.promoted) << PROMOTION_SHIFT);
}

Move decode_book_move(std::uint16_t book_move) {
  if (!book_move_well_formed(book_move)) return empty_move();
  MoveList legal;
  generate_legal_moves(legal);
  for (const Move& m : legal.moves)
    if (encode_book_move(m) == book_move) return m;
  return empty_move();
}

bool book_move_well_formed(std::uint16_t book_move) {
  const int to = book_move >> TO_SHIFT & 63;
  const int from = book_move >> FROM_SHIFT & 63;
  const int promotion = book_move >> PROMOTION_SHIFT & 7;
  return from != to && promotion <= PROMOTION_MAX && (book_move & 0x8000) == 0;
}
