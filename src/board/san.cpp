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

namespace {

int san_piece_type(char letter) {
  for (int type = N; type <= K; ++type)
    if (SAN_PIECE_LETTERS[type] == letter) return type;
  return -1;
}

bool is_file(char c) { return c >= 'a' && c <= 'h'; }
bool is_rank(char c) { return c >= '1' && c <= '8'; }

Move castling_move(bool queen_side) {
  MoveList legal;
  generate_legal_moves(legal);
  for (const Move& m : legal.moves)
    if (m.castling && (file_of(m.to) == 2) == queen_side) return m;
  return empty_move();
}

}  // namespace

Move san_to_move(std::string_view text) {
  while (!text.empty() && std::string_view("+#!?").find(text.back()) != std::string_view::npos)
    text.remove_suffix(1);
  if (text == "O-O" || text == "0-0") return castling_move(false);
  if (text == "O-O-O" || text == "0-0-0") return castling_move(true);

  // A promotion at the end: "e8=Q" or "e8Q".
  int promoted_type = -1;
  if (text.size() >= 3 && san_piece_type(text.back()) > P && san_piece_type(text.back()) < K &&
      (is_rank(text[text.size() - 2]) || text[text.size() - 2] == '=')) {
    promoted_type = san_piece_type(text.back());
    text.remove_suffix(1);
    if (text.back() == '=') text.remove_suffix(1);
  }
  int type = P;
  if (!text.empty() && san_piece_type(text.front()) > P) {
    type = san_piece_type(text.front());
    text.remove_prefix(1);
  }
  if (text.size() < 2 || !is_file(text[text.size() - 2]) || !is_rank(text.back())) return empty_move();
  const int to = (text[text.size() - 2] - 'a') + 8 * (text.back() - '1');
  text.remove_suffix(2);
  if (!text.empty() && text.back() == 'x') text.remove_suffix(1);
  // What is left tells the origin apart: a file, a rank, or both.
  int from_file = -1, from_rank = -1;
  for (char c : text) {
    if (is_file(c) && from_file < 0 && from_rank < 0) from_file = c - 'a';
    else if (is_rank(c) && from_rank < 0) from_rank = c - '1';
    else return empty_move();
  }

  MoveList legal;
  generate_legal_moves(legal);
  Move found = empty_move();
  int matches = 0;
  for (const Move& m : legal.moves) {
    if (m.castling || m.piece % 6 != type || m.to != to) continue;
    if ((m.promoted == NO_PIECE ? -1 : m.promoted % 6) != promoted_type) continue;
    if ((from_file >= 0 && file_of(m.from) != from_file) || (from_rank >= 0 && rank_of(m.from) != from_rank)) continue;
    found = m;
    ++matches;
  }
  return matches == 1 ? found : empty_move();
}
