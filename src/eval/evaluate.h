#pragma once
// Static evaluation in centipawns from the side to move's view.

// Material and piece-square values blended by phase, plus the side to move's style term.
int evaluate();
// 0 (bare kings and pawns) .. 24 (all minor and major pieces on the board).
int game_phase();

// Blends the middlegame and endgame sums by phase; the division truncates toward zero.
constexpr int taper(int mg, int eg, int phase) { return (mg * phase + eg * (24 - phase)) / 24; }
