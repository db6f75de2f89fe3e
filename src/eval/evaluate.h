#pragma once
// Static evaluation in centipawns from the side to move's view.

// Material and piece-square values blended by phase, plus the side to move's style term.
int evaluate();
// What a piece type (pawn to king) weighs in the game phase: knight and bishop 1,
// rook 2, queen 4, pawns and kings nothing.
constexpr int phase_units(int type) {
  constexpr int UNITS[] = {0, 1, 1, 2, 4, 0};
  return UNITS[type];
}
// 0 (bare kings and pawns) .. 24 (all minor and major pieces on the board).
int game_phase();

// Blends the middlegame and endgame sums by phase; the division truncates toward zero.
constexpr int taper(int mg, int eg, int phase) { return (mg * phase + eg * (24 - phase)) / 24; }
