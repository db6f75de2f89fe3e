#pragma once
// Move ordering: capture values, killers, history and the exchange evaluator.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "board/move.h"
#include "search/search_state.h"
#include "style/search_mode.h"

// Piece values by piece code, used as both victim and attacker value.
constexpr int mvv_lva_value[12] = {100, 320, 330, 500, 900, 20000,
                                   100, 320, 330, 500, 900, 20000};

// Ordering scores of the fixed classes of moves.
constexpr int HASH_MOVE_SCORE = 1000000;
constexpr int CAPTURE_BASE_SCORE = 100000;
constexpr int FIRST_KILLER_SCORE = 90000;
constexpr int SECOND_KILLER_SCORE = 80000;
constexpr int ENDING_CAPTURE_BONUS = 8000;
constexpr int KING_ATTACK_BONUS = 5000;
constexpr int PASSED_PUSH_BONUS = 4000;
constexpr int STORM_PUSH_BONUS = 3500;
constexpr int PUSH_RANK_BONUS = 400;

// One pair per searching thread; cleared at the start of every search.
PER_THREAD extern Move killers[2][MAX_PLY];
PER_THREAD extern int history[12][64];

// The style whose ordering the side to move's moves follow: its own, or Balanced's
// where its strength turns its ordering off.
SearchMode ordering_mode();
int score_move(const Move& m, int ply, const Move* hash_move);
// score_move with ordering_mode already looked up, for scoring whole lists.
int score_move_in_mode(const Move& m, int ply, const Move* hash_move, SearchMode mode);
void order_moves(MoveList& list, int ply, const Move* hash_move);

// Records a quiet move that caused a beta cut-off at ply.
void update_killers(const Move& m, int ply);
// Rewards a quiet move that raised alpha at a node of the given remaining depth.
// Counters saturate at the largest int instead of overflowing.
void update_history(const Move& m, int depth);

// Sort keys of a move list: the ordering score in the high bits and the move's index
// in the list in the low bits, so that sorting plain integers sorts the moves
// without copying them. Kept on the stack unless the list is unusually long.
struct OrderKeys {
  static constexpr std::size_t INLINE = 256;
  std::int64_t buffer[INLINE];
  std::vector<std::int64_t> overflow;
  std::int64_t* keys = buffer;
  std::size_t count = 0;

  void reserve(std::size_t n) {
    if (n > INLINE) {
      overflow.resize(n);
      keys = overflow.data();
    }
  }
  void add(int score, std::size_t index) {
    keys[count++] = static_cast<std::int64_t>(score) * 65536 + static_cast<std::int64_t>(65535 - index);
  }
  std::size_t index(std::size_t i) const { return 65535 - static_cast<std::size_t>(keys[i] & 65535); }
  // Descending by score; equal scores keep generation order. Sorts keys[first..count).
  void sort(std::size_t first = 0);
  // Picking the largest remaining key one by one pays while a cut-off may come soon; a
  // node still going after the first few moves usually tries them all, so the rest is
  // sorted at once. The keys are all distinct, so both give the same order.
  static constexpr std::size_t PICKS_BEFORE_SORT = 4;
  // The index of the move to try i-th; called with i = 0, 1, 2, ... in turn.
  std::size_t pick(std::size_t i) {
    if (i < PICKS_BEFORE_SORT) {
      std::size_t best = i;
      for (std::size_t j = i + 1; j < count; ++j)
        if (keys[j] > keys[best]) best = j;
      std::swap(keys[i], keys[best]);
    } else if (i == PICKS_BEFORE_SORT) {
      sort(i);
    }
    return index(i);
  }
};

// Fills keys with every move of the list, scored by score_move, in generation order.
void score_moves(const MoveList& list, int ply, const Move* hash_move, OrderKeys& keys);

// Square of side's least valuable attacker of square under occupancy, or -1;
// piece_out receives its code when one is found.
int see_least_attacker(int square, int side, Bitboard occupancy, const Bitboard boards[12], int& piece_out);
// Expected material balance of the exchange the move starts, from the mover's view.
int static_exchange_eval(const Move& m);
