#pragma once
// Attack weight of colour's enemy against colour's king zone (uncapped, >= 0).
int king_zone_pressure(int colour);
// Storm value of colour's pawns against the enemy king (>= 0).
int pawn_storm_score(int colour);
