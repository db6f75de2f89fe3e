#pragma once
// Which of a position's book moves to play.

#include <cstdint>
#include <span>

// The index of the weight to play: weights below min_share_percent of the heaviest
// one are dropped, and the rest are drawn in proportion to their weight with the
// uniform random number draw. A weight of 0 is never played; -1 when none is left.
int choose_book_move(std::span<const std::uint16_t> weights, int min_share_percent, std::uint64_t draw);
