#pragma once
#include "board/move.h"

// Pseudo-legal moves of the side to move, in the engine's fixed generation order.
void generate_moves(MoveList& list);

// Only the captures (en passant and capturing promotions included) of generate_moves,
// in the same relative order: the list generate_moves gives, with every other move dropped.
void generate_captures(MoveList& list);

// Which quiet moves generate_captures_and_quiets keeps: a move of a piece of type t
// (pawn 0 to king 5) that lands on by_type[t], and every quiet move from any_from.
// Castling and promotions are always kept.
struct QuietTargets {
  Bitboard by_type[6] = {};
  Bitboard any_from = 0;
};

// The captures and the kept quiet moves of generate_moves, in its relative order.
void generate_captures_and_quiets(MoveList& list, const QuietTargets& keep);
