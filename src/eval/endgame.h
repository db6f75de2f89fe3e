#pragma once
// Per-colour scores that steer play toward one kind of ending.
int pawn_ending_score(int colour);
int major_piece_ending_score(int colour);
int minor_piece_ending_score(int colour);
