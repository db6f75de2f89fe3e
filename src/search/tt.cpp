#include "search/tt.h"

#include <sys/mman.h>

#include <bit>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "base/output.h"

namespace {

constexpr std::size_t CACHE_LINE = 64;
// Probes land anywhere in the table; large pages spare most of the address-translation misses.
constexpr std::size_t LARGE_PAGE = std::size_t{2} << 20;

struct SlotRelease {
  void operator()(TTSlot* slots) const { std::free(slots); }
};
using SlotMemory = std::unique_ptr<TTSlot, SlotRelease>;

// Empty slots on cache-line (or, for tables of whole large pages, large-page)
// boundaries, so that a slot never straddles two lines; null when the memory is refused.
SlotMemory allocate_slots(std::size_t count) {
  const std::size_t bytes = count * sizeof(TTSlot);
  const std::size_t alignment = bytes % LARGE_PAGE == 0 ? LARGE_PAGE : CACHE_LINE;
  void* memory = std::aligned_alloc(alignment, bytes);
  if (!memory) return nullptr;
#ifdef MADV_HUGEPAGE
  if (alignment == LARGE_PAGE) madvise(memory, bytes, MADV_HUGEPAGE);
#endif
  TTSlot* slots = static_cast<TTSlot*>(memory);
  std::uninitialized_value_construct_n(slots, count);
  return SlotMemory(slots);
}

SlotMemory default_table() {
  SlotMemory slots = allocate_slots(TT_DEFAULT_ENTRIES);
  if (!slots) throw std::bad_alloc();
  return slots;
}

// Owns the current table; created during static initialisation, released at exit.
SlotMemory table_memory = default_table();

}  // namespace

TTSlot* tt_slots = table_memory.get();
std::uint64_t tt_mask = TT_DEFAULT_ENTRIES - 1;

bool tt_resize(int megabytes) {
  const std::size_t bytes = static_cast<std::size_t>(megabytes < 1 ? 1 : megabytes) << 20;
  const std::size_t count = std::bit_floor(bytes / sizeof(TTSlot));
  if (count == tt_entries()) {
    tt_clear();
    return true;
  }
  SlotMemory slots = allocate_slots(count);
  if (!slots) {
    send_error_line("Hash " + std::to_string(megabytes) + ": not enough memory; the table keeps its " +
                    std::to_string(tt_entries() * sizeof(TTSlot) >> 20) + " MB");
    return false;
  }
  // The old table goes only now that its replacement exists; no search is running to read it.
  table_memory = std::move(slots);
  tt_slots = table_memory.get();
  tt_mask = count - 1;
  return true;
}

void tt_clear() {
  // Fresh empty slots in place of the old ones: no search runs, so no thread reads
  // them, and the compiler may fill them as plain memory instead of slot by slot.
  std::uninitialized_value_construct_n(tt_slots, tt_entries());
}

int tt_score_to_table(int score, int ply) {
  if (score >= MATE_THRESHOLD) return score + ply;
  if (score <= -MATE_THRESHOLD) return score - ply;
  return score;
}

int tt_score_from_table(int score, int ply) {
  if (score >= MATE_THRESHOLD) return score - ply;
  if (score <= -MATE_THRESHOLD) return score + ply;
  return score;
}

void tt_store(std::uint64_t key, int depth, int score, int flag, const Move& move, int ply) {
  tt_write(key, tt_pack(depth, tt_score_to_table(score, ply), flag, pack_move(move)));
}

const TTEntry* tt_lookup(std::uint64_t key) {
  thread_local TTEntry found;
  return tt_read(key, found) ? &found : nullptr;
}

TTProbe tt_probe(std::uint64_t key, int depth, int alpha, int beta, int ply) {
  TTProbe r;
  TTEntry e;
  if (!tt_read(key, e)) return r;
  r.hit = true;
  r.move = unpack_move(e.move);
  if (ply == 0 || e.depth < depth) return r;
  int s = tt_score_from_table(e.score, ply);
  if (e.flag == TT_EXACT) {
    r.cut = true;
    r.score = s;
  } else if (e.flag == TT_UPPER && s <= alpha) {
    r.cut = true;
    r.score = alpha;
  } else if (e.flag == TT_LOWER && s >= beta) {
    r.cut = true;
    r.score = beta;
  }
  return r;
}
