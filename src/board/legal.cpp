#include "board/legal.h"

#include "board/attacks.h"
#include "board/movegen.h"
#include "board/position.h"

void generate_legal_moves(MoveList& list) {
  MoveList pseudo;
  generate_moves(pseudo);
  list.moves.clear();
  for (const Move& m : pseudo.moves) {
    const SavedPosition saved = save_position();
    const bool legal = make_move(m);
    restore_position(saved);
    if (legal) list.moves.push_back(m);
  }
}

bool has_legal_move() {
  MoveList pseudo;
  generate_moves(pseudo);
  for (const Move& m : pseudo.moves) {
    const SavedPosition saved = save_position();
    const bool legal = make_move(m);
    restore_position(saved);
    if (legal) return true;
  }
  return false;
}

bool king_attacked(int colour) {
  const Bitboard king = bitboards[colour == WHITE ? K : k];
  return king && is_square_attacked(lsb(king), colour ^ 1);
}

std::string_view why_unplayable() {
  if (!has_one_king_each()) return "needs one king a side";
  if (king_attacked(side ^ 1)) return "has the side not to move in check";
  return {};
}
