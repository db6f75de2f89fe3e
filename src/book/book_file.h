#pragma once
// Book files: 16-byte entries, big-endian (key, move, weight, learn), sorted by key,
// so that the moves of a position are found by binary search.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct BookEntry {
  std::uint64_t key = 0;
  std::uint16_t move = 0;
  std::uint16_t weight = 0;
  std::uint32_t learn = 0;
  bool operator==(const BookEntry&) const = default;
};

constexpr std::size_t BOOK_ENTRY_BYTES = 16;

// The entries of a book file's bytes. False, with a one-line reason in error, for bytes
// that are not a book: empty, a size that is not a whole number of entries, keys out of
// order, or a move that no position can have.
bool read_book_bytes(std::span<const unsigned char> bytes, std::vector<BookEntry>& entries, std::string& error);

// The entries of the book file at path. False, with a one-line reason in error naming
// the file: one that cannot be read, or bytes that are not a book.
bool read_book_file(const std::string& path, std::vector<BookEntry>& entries, std::string& error);

// The bytes of the entries in file order; the caller has sorted them.
std::vector<unsigned char> book_bytes(std::span<const BookEntry> entries);

// The entries of key, in file order (an empty span when the book has none).
std::span<const BookEntry> book_entries_of(std::span<const BookEntry> book, std::uint64_t key);
