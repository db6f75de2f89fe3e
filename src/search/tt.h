#pragma once
// The transposition table: one slot per index, always replaced, addressed by the
// low bits of the position key.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "board/move.h"

constexpr std::size_t TT_SIZE = std::size_t{1} << 20;
constexpr std::uint64_t TT_MASK = TT_SIZE - 1;

// Kinds of stored score.
constexpr int TT_EXACT = 0;
constexpr int TT_UPPER = 1;  // the node failed low
constexpr int TT_LOWER = 2;  // the node failed high

// A move squeezed into 32 bits so that an entry takes 24 bytes instead of 56.
using PackedMove = std::uint32_t;

struct TTEntry {
  std::uint64_t key;  // full key of the stored position; 0 in a slot never written
  std::int32_t depth;
  std::int32_t score;  // mate scores counted from the stored node
  std::int32_t flag;
  PackedMove move;
};
static_assert(sizeof(TTEntry) == 24, "a table entry should stay small");

// Frees the table's memory at exit.
struct TTMemoryRelease {
  void operator()(TTEntry* entries) const;
};

// Created zeroed during static initialisation and never resized. Written by the
// thread that runs the search; cleared by the main thread only while no search runs.
extern std::unique_ptr<TTEntry[], TTMemoryRelease> tt;

constexpr PackedMove pack_move(const Move& m) {
  return static_cast<PackedMove>(m.from & 63) | static_cast<PackedMove>(m.to & 63) << 6 |
         static_cast<PackedMove>(m.piece & 15) << 12 | static_cast<PackedMove>(m.promoted & 15) << 16 |
         static_cast<PackedMove>(m.capture & 1) << 20 | static_cast<PackedMove>(m.en_passant & 1) << 21 |
         static_cast<PackedMove>(m.castling & 1) << 22 | static_cast<PackedMove>(m.double_push & 1) << 23;
}

constexpr Move unpack_move(PackedMove p) {
  Move m;
  m.from = static_cast<int>(p & 63);
  m.to = static_cast<int>(p >> 6 & 63);
  m.piece = static_cast<int>(p >> 12 & 15);
  m.promoted = static_cast<int>(p >> 16 & 15);
  m.capture = static_cast<int>(p >> 20 & 1);
  m.en_passant = static_cast<int>(p >> 21 & 1);
  m.castling = static_cast<int>(p >> 22 & 1);
  m.double_push = static_cast<int>(p >> 23 & 1);
  return m;
}

// Empties every slot; used by "ucinewgame" while no search runs.
void tt_clear();

// Mate scores count plies from the root in the search and from the stored node in
// the table; these convert between the two.
int tt_score_to_table(int score, int ply);
int tt_score_from_table(int score, int ply);

// Overwrites the key's slot whatever it held.
void tt_store(std::uint64_t key, int depth, int score, int flag, const Move& move, int ply);

// The slot holding this exact key, or null.
inline const TTEntry* tt_lookup(std::uint64_t key) {
  const TTEntry* e = &tt[key & TT_MASK];
  return e->key == key ? e : nullptr;
}

// Starts loading a slot that is about to be probed, hiding the memory latency.
inline void tt_prefetch(std::uint64_t key) { __builtin_prefetch(&tt[key & TT_MASK]); }

// Result of probing at a search node.
struct TTProbe {
  bool hit = false;  // the slot holds this key; move is the hash move
  bool cut = false;  // the node may return score at once
  int score = 0;
  Move move;
};

// Probe for a node of the given depth, window and ply. The root (ply 0) never cuts.
TTProbe tt_probe(std::uint64_t key, int depth, int alpha, int beta, int ply);
