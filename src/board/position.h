#pragma once
// The chess position, one instance per thread. The command loop's instance is the
// game position; each search thread installs a snapshot of it at "go" and then
// changes only its own copy.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

#include "board/castling.h"
#include "board/types.h"

// Keys of the game since the last set-up plus the line being searched; last = current.
// Fixed capacity: a game longer than that keeps its most recent positions (older
// ones lie beyond any irreversible move and cannot repeat in practice).
struct RepetitionStack {
  static constexpr std::size_t CAPACITY = 4096;
  std::uint64_t keys[CAPACITY];
  std::size_t count;

  void push_back(std::uint64_t key) {
    if (count == CAPACITY) [[unlikely]]
      drop_oldest();
    keys[count++] = key;
  }
  void pop_back() { --count; }
  void clear() { count = 0; }
  std::size_t size() const { return count; }
  bool empty() const { return count == 0; }
  std::uint64_t operator[](std::size_t i) const { return keys[i]; }
  std::uint64_t front() const { return keys[0]; }
  std::uint64_t back() const { return keys[count - 1]; }
  const std::uint64_t* begin() const { return keys; }
  const std::uint64_t* end() const { return keys + count; }
  bool operator==(const RepetitionStack& o) const {
    return count == o.count && std::memcmp(keys, o.keys, count * sizeof keys[0]) == 0;
  }

 private:
  // Halves the history rather than shifting on every push of a full stack.
  void drop_oldest() {
    constexpr std::size_t DROPPED = CAPACITY / 2;
    std::memmove(keys, keys + DROPPED, (CAPACITY - DROPPED) * sizeof keys[0]);
    count -= DROPPED;
  }
};
static_assert(std::is_trivially_destructible_v<RepetitionStack>, "per-thread state needs no destructor call");

PER_THREAD extern Bitboard bitboards[12];   // one set per piece code
PER_THREAD extern Bitboard occupancies[3];  // White, Black, all: refreshed by update_occupancies
PER_THREAD extern int side;                 // side to move
PER_THREAD extern int castle;               // castling rights, bits 1 2 4 8 = K Q k q
PER_THREAD extern int ep_sq;                // en-passant target square, or NO_SQUARE
PER_THREAD extern std::uint64_t zobrist_key;
// Half-moves since the last capture or pawn move (from the FEN, then kept by make_move
// and the null move); not part of the key.
PER_THREAD extern int halfmove_clock;
// Material and piece-square sums, White's minus Black's, for the middlegame and the
// endgame: set by every set-up, kept up to date by make_move, read by evaluate.
PER_THREAD extern int psq_mg;
PER_THREAD extern int psq_eg;
PER_THREAD extern RepetitionStack repetition_stack;

// A FEN's half-move clock is read up to this value; only reaching 100 matters, and
// the cap keeps the count far from overflow however long a line is played on it.
constexpr int HALFMOVE_CLOCK_CAP = 10000;

void init_board_startpos();
void load_fen(const std::string& text);
void print_board();

// The material and piece-square sums of the board, counted from scratch.
void compute_psq_sums(int& mg, int& eg);
// Sets psq_mg and psq_eg from the board, for code that places pieces by hand.
void refresh_psq_sums();

// Move generation and the legality test locate each king as the lowest bit of its
// set: code that takes a board from outside (a FEN) tries no move on one without
// exactly one king per side.
inline bool has_one_king_each() { return popcount(bitboards[K]) == 1 && popcount(bitboards[k]) == 1; }

// The code of the piece on square, or NO_PIECE when it is empty.
int piece_on(int square);

// Recomputes the three occupancy sets from the twelve piece sets. Inline: it runs once per move.
inline void update_occupancies() {
  occupancies[WHITE] = bitboards[P] | bitboards[N] | bitboards[B] | bitboards[R] | bitboards[Q] | bitboards[K];
  occupancies[BLACK] = bitboards[p] | bitboards[n] | bitboards[b] | bitboards[r] | bitboards[q] | bitboards[k];
  occupancies[2] = occupancies[WHITE] | occupancies[BLACK];
}

// Everything make_move may change: the copy taken before a move and put back after it.
struct SavedPosition {
  Bitboard bitboards[12];
  Bitboard occupancies[3];
  std::uint64_t zobrist_key;
  int side;
  int castle;
  int ep_sq;
  int halfmove_clock;
  int psq_mg;
  int psq_eg;
};
// Copied twice per move searched: keep it to whole sets and a few scalars.
static_assert(sizeof(SavedPosition) <= 152, "the saved position is copied at every move");

inline SavedPosition save_position() {
  SavedPosition s;
  std::memcpy(s.bitboards, bitboards, sizeof bitboards);
  std::memcpy(s.occupancies, occupancies, sizeof occupancies);
  s.zobrist_key = zobrist_key;
  s.side = side;
  s.castle = castle;
  s.ep_sq = ep_sq;
  s.halfmove_clock = halfmove_clock;
  s.psq_mg = psq_mg;
  s.psq_eg = psq_eg;
  return s;
}

inline void restore_position(const SavedPosition& s) {
  std::memcpy(bitboards, s.bitboards, sizeof bitboards);
  std::memcpy(occupancies, s.occupancies, sizeof occupancies);
  zobrist_key = s.zobrist_key;
  side = s.side;
  castle = s.castle;
  ep_sq = s.ep_sq;
  halfmove_clock = s.halfmove_clock;
  psq_mg = s.psq_mg;
  psq_eg = s.psq_eg;
}

// The "d" display of a saved position; print_board shows the live one.
void print_position(const SavedPosition& pos);

// Everything a search needs of the game position: what one thread hands another.
struct PositionSnapshot {
  SavedPosition position;
  RepetitionStack history;
  CastlingSetup castling;
};

// The calling thread's position, taken whole, and made the calling thread's position.
PositionSnapshot take_position_snapshot();
void install_position_snapshot(const PositionSnapshot& snapshot);
