#include "frontend/own_book.h"

#include <span>
#include <vector>

#include "base/output.h"
#include "board/notation.h"
#include "board/position.h"
#include "book/book_choice.h"
#include "book/book_file.h"
#include "book/builtin_books.h"
#include "frontend/options.h"
#include "search/strength.h"
#include "style/search_mode.h"

bool own_book = false;
std::string book_file;
int book_depth = BOOK_DEPTH_DEFAULT;
int book_variety = BOOK_VARIETY_DEFAULT;
int setup_ply = 0;

namespace {

// The user's book as last read, and the path it was read from; a path that could not
// be read is remembered too, so that its fault is reported once.
std::vector<BookEntry> user_book;
std::string user_book_path;
bool user_book_read = false;

std::span<const BookEntry> user_book_entries() {
  if (!user_book_read || user_book_path != book_file) {
    user_book_read = true;
    user_book_path = book_file;
    std::string error;
    if (!read_book_file(book_file, user_book, error))
      send_line("info string book not used: " + error + "; playing without a book");
  }
  return user_book;
}

// The last ply the book plays: BookDepth, and sooner at a limited strength.
int last_book_ply() {
  return limit_strength ? std::min(book_depth, strength_book_plies(strength_elo)) : book_depth;
}

}  // namespace

void forget_user_book() {
  user_book.clear();
  user_book_read = false;
}

bool go_may_use_book(const GoLimits& limits) {
  if (limits.infinite || limits.ponder || limits.perft || !limits.searchmoves.empty() || limits.mate != 0 ||
      multi_pv > 1)
    return false;
  const bool plain = limits.depth == GoLimits{}.depth && limits.nodes == 0;
  return go_time_given(limits.time) || plain;
}

Move own_book_move() {
  if (!own_book || !has_one_king_each()) return empty_move();
  const int ply = setup_ply + static_cast<int>(repetition_stack.size());  // the ply about to be played
  if (ply > last_book_ply()) return empty_move();
  // A built-in book knows standard chess only; in Chess960 a user's book may.
  if (book_file.empty() && chess960) return empty_move();
  const std::span<const BookEntry> book = book_file.empty() ? builtin_book(mode_of(side)) : user_book_entries();
  const BookPick pick = pick_book_move(book, book_variety, next_strength_random());
  for (std::uint16_t move : pick.illegal)
    send_line("info string book entry " + std::to_string(move) + " is not a legal move here; skipped");
  if (is_empty_move(pick.move)) return empty_move();
  const std::string source = book_file.empty() ? std::string(builtin_book_name(mode_of(side))) + " book" : book_file;
  send_line("info string book move " + move_to_str(pick.move) + " (weight " + std::to_string(pick.weight) +
            ", one of " + std::to_string(pick.candidates) + " book moves) from the " + source);
  return pick.move;
}
