#include "search/ordering.h"

#include <algorithm>
#include <climits>
#include <functional>

#include "board/attacks.h"
#include "board/position.h"
#include "eval/passed_pawns.h"
#include "search/node_rules.h"
#include "style/search_mode.h"

PER_THREAD Move killers[2][MAX_PLY];
PER_THREAD int history[12][64]{};

namespace {

// Code of the first piece (in code order) standing on square among codes [first, last), or -1.
int piece_on(int square, int first, int last) {
  Bitboard bb = square_bb(square);
  for (int pc = first; pc < last; ++pc)
    if (bitboards[pc] & bb) return pc;
  return -1;
}

int capture_score(const Move& m, SearchMode mode) {
  int victim = 100;
  if (!m.en_passant) {
    int first = side == WHITE ? p : P;
    int pc = piece_on(m.to, first, first + 6);
    if (pc >= 0) victim = mvv_lva_value[pc];
  }
  int score = CAPTURE_BASE_SCORE + 10 * victim - mvv_lva_value[m.piece];
  if ((mode == MajorPieceEnding || mode == MinorPieceEnding) && !m.en_passant) {
    int pc = piece_on(m.to, 0, 12);
    int type = pc % 6;
    bool minor = pc >= 0 && (type == N || type == B);
    bool major = pc >= 0 && (type == R || type == Q);
    if ((mode == MajorPieceEnding && minor) || (mode == MinorPieceEnding && major)) score += ENDING_CAPTURE_BONUS;
  }
  return score;
}

// Rank of square counted from the mover's own side.
int relative_rank(int square, int colour) { return colour == WHITE ? rank_of(square) : 7 - rank_of(square); }

int quiet_bonus(const Move& m, SearchMode mode) {
  if (mode != KingAttack && mode != PassedPawn && mode != PawnStorm) return 0;
  bool pawn_move = m.piece == P || m.piece == p;
  Bitboard enemy_king = bitboards[side == WHITE ? k : K];
  switch (mode) {
    case KingAttack:
      if (enemy_king && (king_attacks[lsb(enemy_king)] & square_bb(m.to))) return KING_ATTACK_BONUS;
      return 0;
    case PassedPawn:
      if (pawn_move && !(passed_pawn_mask[side][m.from] & bitboards[side == WHITE ? p : P]))
        return PASSED_PUSH_BONUS + PUSH_RANK_BONUS * relative_rank(m.to, side);
      return 0;
    case PawnStorm:
      if (pawn_move && enemy_king) {
        int distance = file_of(m.to) - file_of(lsb(enemy_king));
        if (distance >= -1 && distance <= 1) return STORM_PUSH_BONUS + PUSH_RANK_BONUS * relative_rank(m.to, side);
      }
      return 0;
    default:
      return 0;
  }
}

// score_move_in_mode, inlined into the loop that scores a whole list.
[[gnu::always_inline]] inline int score_in_mode(const Move& m, int ply, const Move* hash_move, SearchMode mode) {
  if (hash_move && same_move(m, *hash_move)) return HASH_MOVE_SCORE;
  if (m.capture) return capture_score(m, mode);
  // Quiescence can run past the last killer row; it shares the deepest one.
  int row = std::min(ply, MAX_PLY - 1);
  if (same_move(m, killers[0][row])) return FIRST_KILLER_SCORE;
  if (same_move(m, killers[1][row])) return SECOND_KILLER_SCORE;
  long long score = static_cast<long long>(history[m.piece][m.to]) + quiet_bonus(m, mode);
  return static_cast<int>(std::min<long long>(score, INT_MAX));
}

}  // namespace

int score_move_in_mode(const Move& m, int ply, const Move* hash_move, SearchMode mode) {
  return score_in_mode(m, ply, hash_move, mode);
}

SearchMode ordering_mode() { return style_orders(side) ? active_mode() : Balanced; }

int score_move(const Move& m, int ply, const Move* hash_move) {
  return score_move_in_mode(m, ply, hash_move, ordering_mode());
}

void OrderKeys::sort(std::size_t first) {
  if (first >= count) return;
  // Move lists are short: insertion sort beats the general sort up to a few dozen.
  if (count - first > 48) {
    std::sort(keys + first, keys + count, std::greater<std::int64_t>());
    return;
  }
  for (std::size_t i = first + 1; i < count; ++i) {
    const std::int64_t key = keys[i];
    std::size_t j = i;
    for (; j > first && keys[j - 1] < key; --j) keys[j] = keys[j - 1];
    keys[j] = key;
  }
}

void score_moves(const MoveList& list, int ply, const Move* hash_move, OrderKeys& keys) {
  keys.count = 0;
  keys.reserve(list.moves.size());
  const SearchMode mode = ordering_mode();
  for (std::size_t i = 0; i < list.moves.size(); ++i)
    keys.add(score_in_mode(list.moves[i], ply, hash_move, mode), i);
}

void order_moves(MoveList& list, int ply, const Move* hash_move) {
  OrderKeys keys;
  score_moves(list, ply, hash_move, keys);
  keys.sort();
  MoveList original = list;
  list.moves.clear();
  for (std::size_t i = 0; i < keys.count; ++i) list.moves.push_back(original.moves[keys.index(i)]);
}

void update_killers(const Move& m, int ply) {
  if (ply >= MAX_PLY || same_move(m, killers[0][ply])) return;
  killers[1][ply] = killers[0][ply];
  killers[0][ply] = m;
}

void update_history(const Move& m, int depth) {
  int& counter = history[m.piece][m.to];
  long long raised = static_cast<long long>(counter) + static_cast<long long>(depth) * depth;
  counter = static_cast<int>(std::min<long long>(raised, INT_MAX));
}
