#pragma once
// Builds the attack and key tables once for every board test, as main does at start-up.

#include <string>
#include <vector>

#include "board/move.h"
#include "board/position.h"

void init_board_tables();

struct EpdCase {
  std::string fen;
  std::vector<std::uint64_t> counts;  // counts[d - 1] is the leaf count at depth d
};
// A perft suite in tests/data: the standard one by default, or perft960.epd.
std::vector<EpdCase> read_perft_suite(const char* file = "perft.epd");

// Field-by-field equality (a byte compare would also compare the padding).
bool same_position(const SavedPosition& a, const SavedPosition& b);

// Whether the score sums that make_move keeps match a count from scratch.
bool psq_sums_match_board();

// The UCI text of every move in a list, in list order.
std::vector<std::string> move_texts(const MoveList& list);

inline const char* const KIWIPETE = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
