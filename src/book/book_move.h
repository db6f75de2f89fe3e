#pragma once
// Moves as book files write them: 16 bits holding the destination (bits 0-5), the
// origin (bits 6-11) and a promotion (bits 12-14: none, knight, bishop, rook, queen).
// A castling is written as the king taking its own rook, in Chess960 and standard chess alike.

#include <cstdint>

#include "board/move.h"

std::uint16_t encode_book_move(const Move& m);

// The legal move of the calling thread's position that the book move names, or the
// empty move when none does.
Move decode_book_move(std::uint16_t book_move);

// Whether the 16 bits can name a move at all: distinct squares, a known promotion, the top bit clear.
bool book_move_well_formed(std::uint16_t book_move);
