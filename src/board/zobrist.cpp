#include "board/zobrist.h"

#include <random>

#include "board/position.h"

std::uint64_t zob_piece[12][64];
std::uint64_t zob_ep[64];
std::uint64_t zob_castle[16];
std::uint64_t zob_side;

void init_zobrist() {
  // The draw order is part of every key the engine prints: pieces, en passant, castling, side.
  std::mt19937_64 rng(12648430);
  for (auto& piece : zob_piece)
    for (std::uint64_t& key : piece) key = rng();
  for (std::uint64_t& key : zob_ep) key = rng();
  for (std::uint64_t& key : zob_castle) key = rng();
  zob_side = rng();
}

std::uint64_t compute_zobrist() {
  std::uint64_t key = 0;
  for (int code = 0; code < 12; ++code) {
    Bitboard set = bitboards[code];
    while (set) key ^= zob_piece[code][pop_lsb(set)];
  }
  if (ep_sq != NO_SQUARE) key ^= zob_ep[ep_sq];
  key ^= zob_castle[castle & 15];
  if (side == BLACK) key ^= zob_side;
  return key;
}

bool is_repetition() {
  const std::size_t n = repetition_stack.size();
  if (n < 2) return false;
  // No position before the last capture or pawn move can come back, and each key on
  // the stack since then was pushed with one step of the half-move clock.
  const std::size_t reversible = static_cast<std::size_t>(halfmove_clock);
  const std::size_t first = reversible + 1 < n ? n - 1 - reversible : 0;
  for (std::size_t i = first; i + 1 < n; ++i) {
    if (repetition_stack[i] == zobrist_key) return true;
  }
  return false;
}
