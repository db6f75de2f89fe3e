#include "frontend/book_command.h"

#include <algorithm>

#include "base/output.h"
#include "base/text.h"
#include "board/legal.h"
#include "board/position.h"
#include "board/san.h"
#include "book/book_builder.h"
#include "book/book_file.h"
#include "book/book_key.h"
#include "book/book_move.h"
#include "games/atomic_file.h"
#include "games/pgn.h"

namespace {

constexpr const char* BOOK_USAGE =
    "usage: brisvane book build IN.pgn OUT.bin [--max-ply N] [--min-count N] | book probe BOOK.bin [FEN]";

// What a game gives the moves of the side that played them: a win 2, a draw or an
// unknown result 1, a loss 0 (the move is kept, but never played).
std::uint64_t result_weight(const std::string& result, int mover) {
  if (result == "1-0") return mover == WHITE ? 2 : 0;
  if (result == "0-1") return mover == BLACK ? 2 : 0;
  return 1;
}

int fail(const std::string& message) {
  send_error_line("book: " + message);
  return 1;
}

// Reads "--name N" or "--name=N" at words[i]; false when words[i] is not that option.
bool take_number(const std::vector<std::string>& words, std::size_t& i, const std::string& name, int& value,
                 std::string& error) {
  std::string text;
  if (words[i] == name && i + 1 < words.size()) {
    text = words[++i];
  } else if (words[i].rfind(name + "=", 0) == 0) {
    text = words[i].substr(name.size() + 1);
  } else {
    return false;
  }
  std::int64_t number = 0;
  if (!read_whole_integer(text, number) || number < 1 || number > 1000000) {
    error = name + " takes a whole number from 1, not " + quoted(text);
    value = -1;
    return true;
  }
  value = static_cast<int>(number);
  return true;
}

int build_book(const std::vector<std::string>& words) {
  std::vector<std::string> files;
  int max_ply = BOOK_BUILD_MAX_PLY_DEFAULT, min_count = BOOK_BUILD_MIN_COUNT_DEFAULT;
  std::string error;
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (take_number(words, i, "--max-ply", max_ply, error) || take_number(words, i, "--min-count", min_count, error)) {
      if (!error.empty()) return fail(error);
    } else {
      files.push_back(words[i]);
    }
  }
  if (files.size() != 2) return fail(BOOK_USAGE);

  std::string text;
  if (!read_whole_file(files[0], text, error)) return fail(error);
  BookBuilder builder;
  int used = 0, skipped = 0;
  for (const PgnReadGame& read : read_pgn_games(text)) {
    if (!read.error.empty()) {
      send_error_line("book: skipped " + read.error);
      ++skipped;
      continue;
    }
    load_fen(read.game.fen);
    const int plies = std::min<int>(max_ply, static_cast<int>(read.game.moves.size()));
    for (int ply = 0; ply < plies; ++ply) {
      const Move& m = read.game.moves[ply];
      add_book_move(builder, m, result_weight(read.game.result, side));
      make_move(m);
    }
    ++used;
  }
  const std::vector<BookEntry> entries = finish_book(builder, min_count);
  if (entries.empty()) return fail("nothing to build from " + files[0] + ": no game gave a move seen " +
                                   std::to_string(min_count) + " times or more");
  const std::vector<unsigned char> bytes = book_bytes(entries);
  if (!write_file_atomically(files[1], std::string(bytes.begin(), bytes.end()), error)) return fail(error);
  send_line(counted(used, "game", "games") + " read, " + std::to_string(skipped) + " skipped; " +
            counted(static_cast<std::int64_t>(entries.size()), "entry", "entries") + " written to " + files[1]);
  return 0;
}

int probe_book(const std::vector<std::string>& words) {
  if (words.size() < 2) return fail(BOOK_USAGE);
  std::string error;
  std::vector<BookEntry> book;
  if (!read_book_file(words[1], book, error)) return fail(error);
  std::string fen;
  for (std::size_t i = 2; i < words.size(); ++i) fen += (fen.empty() ? "" : " ") + words[i];
  if (fen.empty()) {
    init_board_startpos();
  } else {
    load_fen(fen);
    const std::string_view why = why_unplayable();
    if (!why.empty()) return fail("the FEN " + quoted(fen) + " " + std::string(why));
  }
  char key[17];
  std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(book_key()));
  const std::span<const BookEntry> here = book_entries_of(book, book_key());
  send_line(std::string("key ") + key + ", moves in the book: " + std::to_string(here.size()));
  std::uint64_t total = 0;
  for (const BookEntry& entry : here) total += entry.weight;
  for (const BookEntry& entry : here) {
    const Move m = decode_book_move(entry.move);
    const std::string name = is_empty_move(m) ? "(not legal here)" : move_to_san(m);
    const int percent = total == 0 ? 0 : static_cast<int>(entry.weight * 100 / total);
    send_line(name + " weight " + std::to_string(entry.weight) + " (" + std::to_string(percent) + "%)");
  }
  return 0;
}

}  // namespace

int run_book_command(const std::vector<std::string>& words) {
  if (!words.empty() && words[0] == "build") return build_book(words);
  if (!words.empty() && words[0] == "probe") return probe_book(words);
  return fail(BOOK_USAGE);
}
