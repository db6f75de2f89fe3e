#pragma once
// The transposition table: one slot per index, always replaced, addressed by the
// low bits of the position key. Its size is set by the Hash option.

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "board/move.h"
#include "search/search_state.h"

// Entries of the table a process starts with (the default Hash of 16 MB).
constexpr std::size_t TT_DEFAULT_ENTRIES = std::size_t{1} << 20;

// Kinds of stored score.
constexpr int TT_EXACT = 0;
constexpr int TT_UPPER = 1;  // the node failed low
constexpr int TT_LOWER = 2;  // the node failed high

// A move squeezed into 24 bits, so that it shares one word with depth, score and flag.
using PackedMove = std::uint32_t;

// One slot: two words, each read and written whole with relaxed atomics so that
// searches on several threads may share the table. The first word holds the key
// XOR-ed with the second, so a slot whose two words come from different stores
// fails the key check instead of answering with another position's data.
struct TTSlot {
  std::atomic<std::uint64_t> check;  // key ^ data; both 0 in a slot never written
  std::atomic<std::uint64_t> data;   // move, flag, depth and score packed by tt_pack
};
static_assert(sizeof(TTSlot) == 16, "four slots to a cache line");

// What a slot holds, unpacked.
struct TTEntry {
  std::uint64_t key;
  std::int32_t depth;
  std::int32_t score;  // mate scores counted from the stored node
  std::int32_t flag;
  PackedMove move;
};

// The table. Written by the thread that runs the search; resized and cleared by
// the main thread only while no search runs.
extern TTSlot* tt_slots;
extern std::uint64_t tt_mask;  // entry count - 1; the count is a power of two

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

// The data word: move in bits 0-23, flag in 24-25, then depth and score as two's
// complement fields. A depth beyond its field (only from absurd "go depth" values)
// is stored as the largest that fits, which can only cost a cut-off.
constexpr int TT_DEPTH_SHIFT = 26, TT_DEPTH_BITS = 18;
constexpr int TT_SCORE_SHIFT = 44, TT_SCORE_BITS = 20;
constexpr int TT_DEPTH_MAX = (1 << (TT_DEPTH_BITS - 1)) - 1;
static_assert(TT_SCORE_SHIFT + TT_SCORE_BITS == 64, "the fields fill the word");
static_assert(SCORE_INFINITY + MAX_PLY < (1 << (TT_SCORE_BITS - 1)), "every score the search stores fits");

constexpr std::uint64_t tt_pack(int depth, int score, int flag, PackedMove move) {
  constexpr std::uint64_t depth_mask = (std::uint64_t{1} << TT_DEPTH_BITS) - 1;
  const int stored_depth = depth < -TT_DEPTH_MAX ? -TT_DEPTH_MAX : depth > TT_DEPTH_MAX ? TT_DEPTH_MAX : depth;
  return std::uint64_t{move & 0xFFFFFFu} | static_cast<std::uint64_t>(flag & 3) << 24 |
         (static_cast<std::uint64_t>(stored_depth) & depth_mask) << TT_DEPTH_SHIFT |
         static_cast<std::uint64_t>(score) << TT_SCORE_SHIFT;
}

constexpr TTEntry tt_unpack(std::uint64_t key, std::uint64_t data) {
  // Shifting a field to the top and back with an arithmetic shift restores its sign.
  const auto depth = static_cast<std::int64_t>(data << (64 - TT_DEPTH_SHIFT - TT_DEPTH_BITS)) >> (64 - TT_DEPTH_BITS);
  const auto score = static_cast<std::int64_t>(data) >> TT_SCORE_SHIFT;
  return {key, static_cast<std::int32_t>(depth), static_cast<std::int32_t>(score),
          static_cast<std::int32_t>(data >> 24 & 3), static_cast<PackedMove>(data & 0xFFFFFF)};
}

// Sets the table to the largest power-of-two entry count that fits in megabytes
// (at least one) and empties it. When the memory cannot be had the old table
// stays, a line on standard error says so, and the result is false.
bool tt_resize(int megabytes);
// Entry count of the current table.
inline std::size_t tt_entries() { return static_cast<std::size_t>(tt_mask) + 1; }

// Empties every slot; used by "ucinewgame" and "Clear Hash" while no search runs.
void tt_clear();

// Mate scores count plies from the root in the search and from the stored node in
// the table; these convert between the two.
int tt_score_to_table(int score, int ply);
int tt_score_from_table(int score, int ply);

// Overwrites the key's slot whatever it held. A slot that already holds exactly
// this entry is left alone: with several threads the store would still take the
// cache line from the other cores.
inline void tt_write(std::uint64_t key, std::uint64_t data) {
  TTSlot& slot = tt_slots[key & tt_mask];
  if (slot.data.load(std::memory_order_relaxed) == data && slot.check.load(std::memory_order_relaxed) == (key ^ data))
    return;
  slot.check.store(key ^ data, std::memory_order_relaxed);
  slot.data.store(data, std::memory_order_relaxed);
}
void tt_store(std::uint64_t key, int depth, int score, int flag, const Move& move, int ply);

// Reads the key's slot; true with the entry when it holds this exact key.
inline bool tt_read(std::uint64_t key, TTEntry& out) {
  const TTSlot& slot = tt_slots[key & tt_mask];
  const std::uint64_t data = slot.data.load(std::memory_order_relaxed);
  if ((slot.check.load(std::memory_order_relaxed) ^ data) != key) return false;
  out = tt_unpack(key, data);
  return true;
}

// The entry holding this exact key, or null. The entry is a copy that the calling
// thread's next look-up overwrites.
const TTEntry* tt_lookup(std::uint64_t key);

// Starts loading a slot that is about to be probed, hiding the memory latency.
inline void tt_prefetch(std::uint64_t key) { __builtin_prefetch(&tt_slots[key & tt_mask]); }

// Result of probing at a search node.
struct TTProbe {
  bool hit = false;  // the slot holds this key; move is the hash move
  bool cut = false;  // the node may return score at once
  int score = 0;
  Move move;
};

// Probe for a node of the given depth, window and ply. The root (ply 0) never cuts.
TTProbe tt_probe(std::uint64_t key, int depth, int alpha, int beta, int ply);
