#pragma once
// Basic vocabulary shared by every subsystem: squares, colours, piece codes, bitboards.

#include <bit>
#include <cstdint>

using Bitboard = std::uint64_t;

// Squares run a1 = 0, b1 = 1, ..., h8 = 63; NO_SQUARE marks "none".
constexpr int NO_SQUARE = 64;

enum Colour : int { WHITE = 0, BLACK = 1 };

// Piece codes in the order of "PNBRQKpnbrqk"; piece type = code % 6.
enum PieceCode : int { P = 0, N, B, R, Q, K, p, n, b, r, q, k };
constexpr int NO_PIECE = 14;  // the "promoted" value of a move that does not promote

constexpr char PIECE_LETTERS[] = "PNBRQKpnbrqk";

constexpr int file_of(int sq) { return sq & 7; }
constexpr int rank_of(int sq) { return sq >> 3; }
constexpr Bitboard square_bb(int sq) { return Bitboard{1} << sq; }
constexpr Bitboard FILE_A = 0x0101010101010101ULL;
constexpr Bitboard FILE_H = FILE_A << 7;

inline int popcount(Bitboard b) { return std::popcount(b); }
inline int lsb(Bitboard b) { return std::countr_zero(b); }
// Returns the lowest set square and clears it from b.
inline int pop_lsb(Bitboard& b) {
  int sq = std::countr_zero(b);
  b &= b - 1;
  return sq;
}

// Per-thread engine state (the position, the search tables): one instance per thread.
// Declared with this, a variable must be constant-initialised and trivially
// destructible, so that no access goes through a thread-local wrapper call; and,
// as every program that links the engine is an executable whose own thread-local
// block holds it, it is reached at a fixed offset from the thread pointer.
#define PER_THREAD [[gnu::tls_model("local-exec")]] thread_local constinit
