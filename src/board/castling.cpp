#include "board/castling.h"

#include "base/output.h"
#include "board/position.h"

PER_THREAD CastlingSetup castling = standard_castling();

namespace {

constexpr int first_rank(int colour) { return colour == WHITE ? 0 : 7; }

// The colour's own rook nearest the board's edge on that wing of the king, or NO_SQUARE.
int outermost_rook(const Bitboard pieces[12], int colour, int king_sq, bool queen_side) {
  const Bitboard rooks = pieces[colour == WHITE ? R : r];
  const int base = first_rank(colour) * 8;
  if (queen_side) {
    for (int file = 0; file < file_of(king_sq); ++file)
      if (rooks & square_bb(base + file)) return base + file;
  } else {
    for (int file = 7; file > file_of(king_sq); --file)
      if (rooks & square_bb(base + file)) return base + file;
  }
  return NO_SQUARE;
}

// The square of the colour's only king when it stands on its first rank, else NO_SQUARE.
int castling_king(int colour) {
  const Bitboard king = bitboards[colour == WHITE ? K : k];
  if (popcount(king) != 1 || rank_of(lsb(king)) != first_rank(colour)) return NO_SQUARE;
  return lsb(king);
}

}  // namespace

int read_castling_field(const std::string& field) {
  castling = no_castling();
  int rights = 0;
  std::string dropped;
  for (char c : field) {
    const bool white = (c >= 'A' && c <= 'H') || c == 'K' || c == 'Q';
    const bool black = (c >= 'a' && c <= 'h') || c == 'k' || c == 'q';
    if (!white && !black) continue;  // "-" and anything else name no right
    const int colour = white ? WHITE : BLACK;
    const int king_sq = castling_king(colour);
    int rook_sq = NO_SQUARE;
    bool queen_side = c == 'Q' || c == 'q';
    if (king_sq != NO_SQUARE) {
      if (c == 'K' || c == 'k' || queen_side) {
        rook_sq = outermost_rook(bitboards, colour, king_sq, queen_side);
      } else {
        // A file letter names the rook itself; its side of the king gives the wing.
        const int sq = first_rank(colour) * 8 + (c - (white ? 'A' : 'a'));
        queen_side = file_of(sq) < file_of(king_sq);
        if (sq != king_sq && (bitboards[white ? R : r] & square_bb(sq))) rook_sq = sq;
      }
    }
    const int i = castle_index(colour, queen_side);
    // A letter repeated, or K with the file letter of the same rook, adds nothing.
    if (rook_sq != NO_SQUARE && (rights & (1 << i)) && castling.rook_square[i] == rook_sq) continue;
    if (rook_sq == NO_SQUARE || (rights & (1 << i))) {
      dropped += dropped.empty() ? "" : " ";
      dropped += c;
      continue;
    }
    rights |= 1 << i;
    add_castling_right(castling, i, king_sq, rook_sq);
  }
  if (!dropped.empty())
    send_error_line("fen: castling rights " + dropped +
                    " dropped: each needs its king and its own rook on the first rank, one rook per wing");
  return rights;
}

std::string castling_field(const Bitboard pieces[12], int rights) {
  std::string field;
  for (int i = 0; i < 4; ++i) {
    if (!(rights & (1 << i))) continue;
    const int colour = i / 2;
    const bool queen_side = i % 2 == 1;
    const int rook_sq = castling.rook_square[i];
    // The outermost rook is written K/Q/k/q; an inner one by its file.
    if (outermost_rook(pieces, colour, castling.king_square[colour], queen_side) == rook_sq)
      field += "KQkq"[i];
    else
      field += static_cast<char>((colour == WHITE ? 'A' : 'a') + file_of(rook_sq));
  }
  return field.empty() ? "-" : field;
}

bool castling_is_standard(int rights) {
  constexpr CastlingSetup STANDARD = standard_castling();
  for (int i = 0; i < 4; ++i) {
    if (!(rights & (1 << i))) continue;
    if (castling.rook_square[i] != STANDARD.rook_square[i] || castling.king_square[i / 2] != STANDARD.king_square[i / 2])
      return false;
  }
  return true;
}
