#pragma once
// Captures (and, in some styles, quiet checks) until the position is quiet.
int quiescence(int alpha, int beta, int ply, int qdepth);
