// libFuzzer target: reads arbitrary bytes as a book file. Bytes it takes for a book
// must write back the same; every probe finds only its own key, and every move it
// decodes is legal and encodes back to the same bits.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "board/position.h"
#include "book/book_file.h"
#include "book/book_key.h"
#include "book/book_move.h"
#include "search/startup.h"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

constexpr const char* POSITIONS[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "3r3k/4P3/8/8/8/8/1p6/4K3 w - - 0 1",
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  init_tables();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<BookEntry> book;
  std::string error;
  if (!read_book_bytes({data, size}, book, error)) {
    check(!error.empty() && book.empty());
    return 0;
  }
  check(book_bytes(book) == std::vector<unsigned char>(data, data + size));
  for (const BookEntry& entry : book) check(!book_entries_of(book, entry.key).empty());
  for (const char* fen : POSITIONS) {
    load_fen(fen);
    const std::uint64_t key = book_key();
    for (const BookEntry& entry : book_entries_of(book, key)) {
      check(entry.key == key);
      const Move m = decode_book_move(entry.move);
      if (!is_empty_move(m)) check(encode_book_move(m) == entry.move);
    }
    // The bits of every entry, tried as a move of this position.
    for (const BookEntry& entry : book) {
      const Move m = decode_book_move(entry.move);
      if (!is_empty_move(m)) check(encode_book_move(m) == entry.move);
    }
  }
  return 0;
}
