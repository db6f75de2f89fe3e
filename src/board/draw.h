#pragma once
// Positions in which neither side can ever give mate, whatever is played.

// True for king against king, king against king and one knight or bishop, and king
// and bishop against king and bishop with both bishops on squares of one colour.
bool is_dead_position();
