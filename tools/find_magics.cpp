// Finds magic multipliers for the slider tables and prints them as C++ arrays
// ready to paste into src/board/magics.cpp. Deterministic: a fixed seed gives
// the same numbers on every run.

#include <cstdio>
#include <random>
#include <vector>

#include "board/attacks.h"

namespace {

std::mt19937_64 rng(20240611);

// Sparse candidates (few set bits) make good magics far more often than uniform ones.
std::uint64_t sparse_random() { return rng() & rng() & rng(); }

std::uint64_t find_magic(int square, bool rook) {
  Bitboard mask = rook ? rook_mask(square) : bishop_mask(square);
  int bits = rook ? rook_bits[square] : bishop_bits[square];
  int size = 1 << bits;
  std::vector<Bitboard> occupancy(size), attacks(size), used(size);
  for (int i = 0; i < size; ++i) {
    occupancy[i] = set_occupancy(i, bits, mask);
    attacks[i] = rook ? rook_attacks_slow(square, occupancy[i]) : bishop_attacks_slow(square, occupancy[i]);
  }
  for (;;) {
    std::uint64_t magic = sparse_random();
    // The top byte of mask * magic must be well filled or the index ignores most squares.
    if (popcount((mask * magic) & 0xff00000000000000ULL) < 6) continue;
    std::fill(used.begin(), used.end(), 0);
    std::vector<bool> taken(size, false);
    bool ok = true;
    for (int i = 0; i < size && ok; ++i) {
      int index = static_cast<int>((occupancy[i] * magic) >> (64 - bits));
      if (!taken[index]) {
        taken[index] = true;
        used[index] = attacks[i];
      } else if (used[index] != attacks[i]) {
        ok = false;
      }
    }
    if (ok) return magic;
  }
}

void print_table(const char* name, bool rook) {
  std::printf("const std::uint64_t %s[64] = {\n", name);
  for (int sq = 0; sq < 64; ++sq) {
    std::printf("%s0x%016llxULL,%s", sq % 4 == 0 ? "    " : " ",
                static_cast<unsigned long long>(find_magic(sq, rook)), sq % 4 == 3 ? "\n" : "");
  }
  std::printf("};\n");
}

}  // namespace

int main() {
  print_table("rook_magics", true);
  print_table("bishop_magics", false);
  return 0;
}
