#pragma once
// The move record, the move list and make_move.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "board/types.h"

// A self-describing move: everything make_move needs, with no look-up.
struct Move {
  std::int32_t from = 0;
  std::int32_t to = 0;
  std::int32_t piece = 0;
  std::int32_t capture = 0;
  std::int32_t promoted = NO_PIECE;
  std::int32_t en_passant = 0;
  std::int32_t castling = 0;
  std::int32_t double_push = 0;
};
static_assert(sizeof(Move) == 32, "Move is eight 32-bit fields");

// The empty move, written "0000": from, to, piece 0, promoted NO_PIECE, flags 0.
constexpr Move empty_move() { return Move{}; }
constexpr bool is_empty_move(const Move& m) {
  return m.from == 0 && m.to == 0 && m.piece == 0 && m.promoted == NO_PIECE;
}
// Two moves are the same move when origin, destination, promotion and castling agree
// (in Chess960 a king's step and a castling can share both squares).
constexpr bool same_move(const Move& a, const Move& b) {
  return a.from == b.from && a.to == b.to && a.promoted == b.promoted && a.castling == b.castling;
}

// A growable sequence that keeps its first INLINE moves in place and touches the
// heap only past that (possible only in odd FEN positions), so search nodes never allocate.
template <std::size_t INLINE>
class InlineVector {
 public:
  // The inline slots stay uninitialised: a search node or perft level would
  // otherwise pay for filling all of them before generating a single move.
  InlineVector() : data_(inline_) {}
  InlineVector(const InlineVector& o) : data_(inline_) { *this = o; }
  InlineVector& operator=(const InlineVector& o) {
    if (this != &o) {
      clear();
      for (const Move& m : o) push_back(m);
    }
    return *this;
  }

  void clear() { size_ = 0; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  void push_back(const Move& m) {
    if (size_ == capacity_) grow();
    data_[size_++] = m;
  }
  // Room for n more moves, written straight through the returned pointer; commit then
  // keeps the moves up to where the writing stopped. Lets the generator skip a
  // capacity test per move.
  Move* reserve_back(std::size_t n) {
    while (capacity_ < size_ + n) grow();
    return data_ + size_;
  }
  void commit(const Move* end) { size_ = static_cast<std::size_t>(end - data_); }
  Move& operator[](std::size_t i) { return data_[i]; }
  const Move& operator[](std::size_t i) const { return data_[i]; }
  Move* begin() { return data_; }
  Move* end() { return data_ + size_; }
  const Move* begin() const { return data_; }
  const Move* end() const { return data_ + size_; }

 private:
  void grow() {
    std::size_t cap = capacity_ * 2;
    auto bigger = std::make_unique<Move[]>(cap);
    for (std::size_t i = 0; i < size_; ++i) bigger[i] = data_[i];
    heap_ = std::move(bigger);
    data_ = heap_.get();
    capacity_ = cap;
  }

  union {
    Move inline_[INLINE];
  };
  std::unique_ptr<Move[]> heap_;
  Move* data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = INLINE;
};

struct MoveList {
  InlineVector<256> moves;
};

// Applies m to the global position; true when the mover's king is not left attacked.
// The position is changed either way: callers save and restore around it.
bool make_move(const Move& m);

// The key make_move(m) would leave, worked out without making the move, so that the
// search can start loading the child's table slot before the move is made.
std::uint64_t key_after_move(const Move& m);
