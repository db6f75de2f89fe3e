#pragma once
// Where castling starts from, in standard chess and in Chess960 alike. The four
// rights stay bits of `castle` (K 1, Q 2, k 4, q 8) with their own keys; beside
// them the set-up fixes, for the whole game, the king's and each rook's square.
// The king always ends on the g- or c-file and the rook on the f- or d-file.

#include <cstdint>
#include <string>

#include "board/types.h"

// Right index i (0 K, 1 Q, 2 k, 3 q) is bit 1 << i of castle; i / 2 is the colour.
constexpr int castle_index(int colour, bool queen_side) { return colour * 2 + (queen_side ? 1 : 0); }
constexpr int CASTLE_KING_TO[4] = {6, 2, 62, 58};
constexpr int CASTLE_ROOK_TO[4] = {5, 3, 61, 59};

struct CastlingSetup {
  std::uint8_t rights_mask[64];  // rights kept when a piece leaves or lands on a square
  std::int8_t king_square[2];    // per colour; meaningful while the colour has a right
  std::int8_t rook_square[4];    // per right; NO_SQUARE when the set-up gave none
  Bitboard must_be_empty[4];     // passed or landed on by king or rook, other than those two
  Bitboard king_path[4];         // the king's squares from start to end: none may be attacked
};
static_assert(sizeof(CastlingSetup) <= 136, "copied with every position handed to a search thread");

// The calling thread's set-up: written by every position set-up (start position,
// FEN), read by the move generator, make_move and the move text; moves never change it.
PER_THREAD extern CastlingSetup castling;

// A set-up with no rights: every square keeps every right.
constexpr CastlingSetup no_castling() {
  CastlingSetup setup{};
  for (std::uint8_t& kept : setup.rights_mask) kept = 15;
  setup.king_square[WHITE] = setup.king_square[BLACK] = NO_SQUARE;
  for (std::int8_t& rook : setup.rook_square) rook = NO_SQUARE;
  return setup;
}

// The squares from a to b on one rank, both included.
constexpr Bitboard rank_span(int a, int b) {
  Bitboard span = 0;
  for (int sq = a < b ? a : b; sq <= (a < b ? b : a); ++sq) span |= square_bb(sq);
  return span;
}

// Adds right i, castling the king on king_sq with the rook on rook_sq.
constexpr void add_castling_right(CastlingSetup& setup, int i, int king_sq, int rook_sq) {
  const int colour = i / 2;
  setup.king_square[colour] = static_cast<std::int8_t>(king_sq);
  setup.rook_square[i] = static_cast<std::int8_t>(rook_sq);
  const Bitboard movers = square_bb(king_sq) | square_bb(rook_sq);
  setup.must_be_empty[i] = (rank_span(king_sq, CASTLE_KING_TO[i]) | rank_span(rook_sq, CASTLE_ROOK_TO[i])) & ~movers;
  setup.king_path[i] = rank_span(king_sq, CASTLE_KING_TO[i]);
  // The king leaving takes both of its colour's rights; the rook leaving or being taken, its own.
  setup.rights_mask[king_sq] &= static_cast<std::uint8_t>(~(3 << (colour * 2)));
  setup.rights_mask[rook_sq] &= static_cast<std::uint8_t>(~(1 << i));
}

// The king on e1/e8 and the rooks in the corners, for all four rights.
constexpr CastlingSetup standard_castling() {
  CastlingSetup setup = no_castling();
  add_castling_right(setup, 0, 4, 7);
  add_castling_right(setup, 1, 4, 0);
  add_castling_right(setup, 2, 60, 63);
  add_castling_right(setup, 3, 60, 56);
  return setup;
}

// Reads a FEN castling field (X-FEN or Shredder-FEN) against the pieces already on the
// board: sets `castling` and returns the rights. Rights without their king on the first
// rank or their rook on the board, or a second rook for one wing, are dropped and named
// in one line on standard error.
int read_castling_field(const std::string& field);

// Rights held on a board of this thread's set-up as an X-FEN castling field ("KQkq", "Gk", "-").
std::string castling_field(const Bitboard pieces[12], int rights);

// Whether every right held castles with the king on the e-file and a corner rook.
bool castling_is_standard(int rights);

// The right a castling move uses, and the square its rook starts on.
inline int castle_index_of(int king_code, int to) { return castle_index(king_code / 6, file_of(to) == 2); }
inline int castling_rook_square(int king_code, int to) { return castling.rook_square[castle_index_of(king_code, to)]; }
