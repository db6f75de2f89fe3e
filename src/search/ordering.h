#pragma once
// Move ordering: capture values, killers, history and the exchange evaluator.

#include "board/move.h"
#include "search/search_state.h"

// Piece values by piece code, used as both victim and attacker value.
constexpr int mvv_lva_value[12] = {100, 320, 330, 500, 900, 20000,
                                   100, 320, 330, 500, 900, 20000};

// Written by the search thread; cleared at the start of every search.
extern Move killers[2][MAX_PLY];
extern int history[12][64];

int score_move(const Move& m, int ply, const Move* hash_move);
void order_moves(MoveList& list, int ply, const Move* hash_move);

// Square of side's least valuable attacker of square under occupancy, or -1;
// piece_out receives its code when one is found.
int see_least_attacker(int square, int side, Bitboard occupancy, const Bitboard boards[12], int& piece_out);
// Expected material balance of the exchange the move starts, from the mover's view.
int static_exchange_eval(const Move& m);
