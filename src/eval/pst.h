#pragma once
// Material values and piece-square tables. Every table is written from White's
// point of view and indexed by square (a1 first); Black reads square ^ 56.

#include <array>

#include "board/types.h"

using SquareTable = std::array<int, 64>;

// Signed material per piece code; the two kings cancel.
inline constexpr int piece_score[12] = {
    100, 320, 330, 500, 900, 20000, -100, -320, -330, -500, -900, -20000,
};

// Builds a full table from the a..d half of each rank (rank 1 first), so that
// the h-side is an exact mirror of the a-side and cannot drift by a typo.
constexpr SquareTable mirror_files(const std::array<int, 32>& half) {
  SquareTable full{};
  for (int rank = 0; rank < 8; ++rank)
    for (int file = 0; file < 8; ++file)
      full[rank * 8 + file] = half[rank * 4 + (file < 4 ? file : 7 - file)];
  return full;
}

// clang-format off
inline constexpr SquareTable pst_pawn_mg = mirror_files({
      0,   0,   0,   0,
      5,  10,  10, -20,
      5,  -5, -10,   0,
      0,   0,   0,  20,
      5,   5,  10,  25,
     10,  10,  20,  30,
     50,  50,  50,  50,
      0,   0,   0,   0,
});

inline constexpr SquareTable pst_pawn_eg = mirror_files({
      0,   0,   0,   0,
      5,   5,   5,   5,
     10,  10,  10,  10,
     20,  20,  20,  20,
     35,  35,  35,  35,
     60,  60,  60,  60,
     90,  90,  90,  90,
      0,   0,   0,   0,
});

inline constexpr SquareTable pst_knight_mg = mirror_files({
    -50, -40, -30, -30,
    -40, -20,   0,   5,
    -30,   5,  10,  15,
    -30,   0,  15,  20,
    -30,   5,  15,  20,
    -30,   0,  10,  15,
    -40, -20,   0,   0,
    -50, -40, -30, -30,
});

// Deliberately the middlegame table with its ranks reversed: the outposts sit
// on the seventh rank in the endgame.
inline constexpr SquareTable pst_knight_eg = mirror_files({
    -50, -40, -30, -30,
    -40, -20,   0,   0,
    -30,   0,  10,  15,
    -30,   5,  15,  20,
    -30,   0,  15,  20,
    -30,   5,  10,  15,
    -40, -20,   0,   5,
    -50, -40, -30, -30,
});

inline constexpr SquareTable pst_bishop_mg = mirror_files({
    -20, -10, -10, -10,
    -10,   5,   0,   0,
    -10,  10,  10,  10,
    -10,   0,  10,  10,
    -10,   5,   5,  10,
    -10,   0,   5,  10,
    -10,   0,   0,   0,
    -20, -10, -10, -10,
});

inline constexpr SquareTable pst_bishop_eg = mirror_files({
    -15, -10, -10, -10,
    -10,   0,   0,   0,
    -10,   0,   5,   5,
    -10,   0,   5,  10,
    -10,   0,   5,  10,
    -10,   0,   5,   5,
    -10,   0,   0,   0,
    -15, -10, -10, -10,
});

inline constexpr SquareTable pst_rook_mg = mirror_files({
      0,   0,   0,   5,
     -5,   0,   0,   0,
     -5,   0,   0,   0,
     -5,   0,   0,   0,
     -5,   0,   0,   0,
     -5,   0,   0,   0,
      5,  10,  10,  10,
      0,   0,   0,   0,
});

inline constexpr SquareTable pst_rook_eg = mirror_files({
      0,   0,   0,   0,
      0,   0,   0,   0,
      0,   0,   0,   0,
      0,   0,   0,   0,
      0,   0,   0,   0,
      0,   0,   0,   0,
      5,   5,   5,   5,
      0,   0,   0,   0,
});

// The one asymmetric table, so it is written out square by square.
inline constexpr SquareTable pst_queen_mg = {
    -20, -10, -10,  -5,  -5, -10, -10, -20,
    -10,   0,   5,   0,   0,   0,   0, -10,
    -10,   5,   5,   5,   5,   5,   0, -10,
      0,   0,   5,   5,   5,   5,   0,  -5,
     -5,   0,   5,   5,   5,   5,   0,  -5,
    -10,   0,   5,   5,   5,   5,   0, -10,
    -10,   0,   0,   0,   0,   0,   0, -10,
    -20, -10, -10,  -5,  -5, -10, -10, -20,
};

inline constexpr SquareTable pst_queen_eg = mirror_files({
    -10,  -5,  -5,  -5,
     -5,   0,   0,   0,
     -5,   0,   5,   5,
     -5,   0,   5,   5,
     -5,   0,   5,   5,
     -5,   0,   5,   5,
     -5,   0,   0,   0,
    -10,  -5,  -5,  -5,
});

inline constexpr SquareTable pst_king_mg = mirror_files({
     20,  30,  10,   0,
     20,  20,   0,   0,
    -10, -20, -20, -20,
    -20, -30, -30, -40,
    -30, -40, -40, -50,
    -30, -40, -40, -50,
    -30, -40, -40, -50,
    -30, -40, -40, -50,
});

inline constexpr SquareTable pst_king_eg = mirror_files({
    -50, -30, -30, -30,
    -30, -30,   0,   0,
    -30, -10,  20,  30,
    -30, -10,  30,  40,
    -30, -10,  30,  40,
    -30, -10,  20,  30,
    -30, -20, -10,   0,
    -50, -40, -30, -20,
});
// clang-format on

// Indexed by piece type (pawn .. king); both colours share them.
inline constexpr const int* pst_mg[6] = {
    pst_pawn_mg.data(), pst_knight_mg.data(), pst_bishop_mg.data(),
    pst_rook_mg.data(), pst_queen_mg.data(),  pst_king_mg.data(),
};
inline constexpr const int* pst_eg[6] = {
    pst_pawn_eg.data(), pst_knight_eg.data(), pst_bishop_eg.data(),
    pst_rook_eg.data(), pst_queen_eg.data(),  pst_king_eg.data(),
};


// Material plus square value of every piece code on every square, Black's read with the
// rank mirrored and negated, so that a position's score is the plain sum over its pieces.
using PieceSquareTable = std::array<SquareTable, 12>;

constexpr PieceSquareTable combine_piece_square(const int* const (&by_type)[6]) {
  PieceSquareTable table{};
  for (int piece = 0; piece < 12; ++piece)
    for (int square = 0; square < 64; ++square)
      table[piece][square] = piece < 6 ? piece_score[piece] + by_type[piece][square]
                                       : piece_score[piece] - by_type[piece - 6][square ^ 56];
  return table;
}

inline constexpr PieceSquareTable psq_mg_table = combine_piece_square(pst_mg);
inline constexpr PieceSquareTable psq_eg_table = combine_piece_square(pst_eg);
