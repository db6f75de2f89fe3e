#include "board/notation.h"

#include "board/castling.h"
#include "board/movegen.h"
#include "board/position.h"

bool chess960 = false;

namespace {

// The square the text names for m: the king's own rook for a castling in Chess960.
int written_to(const Move& m) { return m.castling && chess960 ? castling_rook_square(m.piece, m.to) : m.to; }

}  // namespace

std::string sq_to_str(int square) {
  return std::string{static_cast<char>('a' + file_of(square)), static_cast<char>('1' + rank_of(square))};
}

int parse_square(const std::string& text) {
  // Two characters are read as they are; a shorter text cannot name a square.
  if (text.size() < 2) return NO_SQUARE;
  return (text[0] - 'a') + 8 * (text[1] - '1');
}

std::string move_to_str(const Move& m) {
  if (is_empty_move(m)) return "0000";
  std::string text = sq_to_str(m.from) + sq_to_str(written_to(m));
  if (m.promoted != NO_PIECE) text += "pnbrqk"[m.promoted % 6];
  return text;
}

Move parse_uci_move(const std::string& text) {
  if (text.size() < 4) return empty_move();
  const int from = parse_square(text.substr(0, 2));
  const int to = parse_square(text.substr(2, 2));
  int promoted = NO_PIECE;
  if (text.size() >= 5) {
    switch (text[4]) {
      case 'n': promoted = N; break;
      case 'b': promoted = B; break;
      case 'r': promoted = R; break;
      default: promoted = Q; break;
    }
    if (side == BLACK) promoted += 6;
  }
  MoveList list;
  generate_moves(list);
  for (const Move& m : list.moves) {
    if (m.from == from && written_to(m) == to && m.promoted == promoted) return m;
  }
  return empty_move();
}
