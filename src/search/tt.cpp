#include "search/tt.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "search/search_state.h"

namespace {

constexpr std::size_t TT_BYTES = TT_SIZE * sizeof(TTEntry);
// Probes land anywhere in the table; large pages spare most of the address-translation misses.
constexpr std::size_t LARGE_PAGE = std::size_t{2} << 20;
static_assert(TT_BYTES % LARGE_PAGE == 0, "the table fills whole large pages");

TTEntry* allocate_table() {
  void* memory = std::aligned_alloc(LARGE_PAGE, TT_BYTES);
  if (!memory) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  madvise(memory, TT_BYTES, MADV_HUGEPAGE);
#endif
  std::memset(memory, 0, TT_BYTES);
  return static_cast<TTEntry*>(memory);
}

}  // namespace

void TTMemoryRelease::operator()(TTEntry* entries) const { std::free(entries); }

std::unique_ptr<TTEntry[], TTMemoryRelease> tt{allocate_table()};

void tt_clear() { std::memset(static_cast<void*>(tt.get()), 0, TT_BYTES); }

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
  TTEntry& e = tt[key & TT_MASK];
  e.key = key;
  e.depth = depth;
  e.score = tt_score_to_table(score, ply);
  e.flag = flag;
  e.move = pack_move(move);
}

TTProbe tt_probe(std::uint64_t key, int depth, int alpha, int beta, int ply) {
  TTProbe r;
  const TTEntry* e = tt_lookup(key);
  if (!e) return r;
  r.hit = true;
  r.move = unpack_move(e->move);
  if (ply == 0 || e->depth < depth) return r;
  int s = tt_score_from_table(e->score, ply);
  if (e->flag == TT_EXACT) {
    r.cut = true;
    r.score = s;
  } else if (e->flag == TT_UPPER && s <= alpha) {
    r.cut = true;
    r.score = alpha;
  } else if (e->flag == TT_LOWER && s >= beta) {
    r.cut = true;
    r.score = beta;
  }
  return r;
}
