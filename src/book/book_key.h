#pragma once
// The opening-book key of a position: the 64-bit hash that book files are sorted
// by. It has its own fixed random numbers, unlike the search's Zobrist keys, so that
// a book written by one program is read by any other.

#include <cstdint>

// The key of the calling thread's position. The en-passant file counts only when a
// pawn of the side to move stands ready to make the capture.
std::uint64_t book_key();
