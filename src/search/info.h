#pragma once
// The printed form of search results.

#include <string>
#include <vector>

#include "board/move.h"

// Appends " score cp N" or, for a mate score, " score mate N" to an info line.
void print_info_score(std::string& line, int score);

// Whether a score says mate, one way or the other.
bool is_mate_score(int score);

// The mate number of a mate score: moves to mate, negative when being mated.
int mate_in_moves(int score);

// Sends "info depth D [multipv I] score ... nodes N time MS [nps X] pv ...", with the
// current node count over all threads. A line_number of 0 leaves the multipv field out.
void send_info_line(int depth, int line_number, int score, long long ms, const std::vector<Move>& pv);
