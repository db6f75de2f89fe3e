#include "board/san.h"

#include "board/legal.h"
#include "board/notation.h"
#include "board/position.h"

namespace {

constexpr char SAN_PIECE_LETTERS[] = "PNBRQK";

// File, rank or both, whichever first tells m apart from the other legal moves
// of the same piece type to the same square.
std::string disambiguation(const Move& m, const MoveList& legal) {
  bool clash = false, same_file = false, same_rank = false;
  for (const Move& other : legal.moves) {
    if (other.to != m.to || other.piece != m.piece || other.from == m.from) continue;
    clash = true;
    same_file |= file_of(other.from) == file_of(m.from);
    same_rank |= rank_of(other.from) == rank_of(m.from);
  }
  if (!clash) return "";
  const std::string from = sq_to_str(m.from);
  if (!same_file) return from.substr(0, 1);
  if (!same_rank) return from.substr(1, 1);
  return from;
}

// "+" when the move gives check, "#" when it also leaves no legal reply.
std::string check_mark(const Move& m) {
  const SavedPosition saved = save_position();
  make_move(m);
  std::string mark;
  if (king_attacked(side)) {
    MoveList replies;
    generate_legal_moves(replies);
    mark.push_back(replies.moves.empty() ? '#' : '+');
  }
  restore_position(saved);
  return mark;
}

}  // namespace

std::string move_to_san(const Move& m) {
  std::string san;
  const int type = m.piece % 6;
  if (m.castling) {
    san = file_of(m.to) == 6 ? "O-O" : "O-O-O";
  } else if (type == P) {
    if (m.capture) san = sq_to_str(m.from).substr(0, 1) + "x";
    san += sq_to_str(m.to);
    if (m.promoted != NO_PIECE) {
      san += '=';
      san += SAN_PIECE_LETTERS[m.promoted % 6];
    }
  } else {
    MoveList legal;
    generate_legal_moves(legal);
    san = SAN_PIECE_LETTERS[type];
    san += disambiguation(m, legal);
    if (m.capture) san += 'x';
    san += sq_to_str(m.to);
  }
  return san + check_mark(m);
}
