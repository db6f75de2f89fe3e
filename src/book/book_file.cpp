#include "book/book_file.h"

#include <algorithm>

#include "base/whole_file.h"
#include "book/book_move.h"

namespace {

std::uint64_t read_big_endian(const unsigned char* bytes, int count) {
  std::uint64_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[i];
  return value;
}

void write_big_endian(std::vector<unsigned char>& out, std::uint64_t value, int count) {
  for (int i = count - 1; i >= 0; --i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

}  // namespace

bool read_book_bytes(std::span<const unsigned char> bytes, std::vector<BookEntry>& entries, std::string& error) {
  entries.clear();
  if (bytes.empty()) {
    error = "empty, not a book";
    return false;
  }
  if (bytes.size() % BOOK_ENTRY_BYTES != 0) {
    error = "truncated: " + std::to_string(bytes.size()) + " bytes is not a whole number of entries";
    return false;
  }
  const std::size_t count = bytes.size() / BOOK_ENTRY_BYTES;
  std::vector<BookEntry> read;
  read.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned char* at = bytes.data() + i * BOOK_ENTRY_BYTES;
    BookEntry entry;
    entry.key = read_big_endian(at, 8);
    entry.move = static_cast<std::uint16_t>(read_big_endian(at + 8, 2));
    entry.weight = static_cast<std::uint16_t>(read_big_endian(at + 10, 2));
    entry.learn = static_cast<std::uint32_t>(read_big_endian(at + 12, 4));
    if (!read.empty() && entry.key < read.back().key) {
      error = "not sorted by key (entry " + std::to_string(i) + "), not a book";
      return false;
    }
    if (!book_move_well_formed(entry.move)) {
      error = "entry " + std::to_string(i) + " holds no move, not a book";
      return false;
    }
    read.push_back(entry);
  }
  entries = std::move(read);
  return true;
}

bool read_book_file(const std::string& path, std::vector<BookEntry>& entries, std::string& error) {
  entries.clear();
  std::string bytes;
  if (!read_whole_file(path, bytes, error)) return false;
  if (read_book_bytes({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}, entries, error)) return true;
  error = path + ": " + error;
  return false;
}

std::vector<unsigned char> book_bytes(std::span<const BookEntry> entries) {
  std::vector<unsigned char> out;
  out.reserve(entries.size() * BOOK_ENTRY_BYTES);
  for (const BookEntry& entry : entries) {
    write_big_endian(out, entry.key, 8);
    write_big_endian(out, entry.move, 2);
    write_big_endian(out, entry.weight, 2);
    write_big_endian(out, entry.learn, 4);
  }
  return out;
}

std::span<const BookEntry> book_entries_of(std::span<const BookEntry> book, std::uint64_t key) {
  const auto by_key = [](const BookEntry& entry, std::uint64_t k) { return entry.key < k; };
  const auto first = std::lower_bound(book.begin(), book.end(), key, by_key);
  auto last = first;
  while (last != book.end() && last->key == key) ++last;
  return {first, last};
}
