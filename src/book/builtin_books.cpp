#include "book/builtin_books.h"

#include "book/book_lines.h"

std::string_view builtin_book_name(SearchMode mode) {
  const char* book = style_entry(mode).book;
  return book ? std::string_view(book) : MAIN_BOOK;
}

std::span<const BookEntry> builtin_book(SearchMode mode) {
  const std::string_view name = builtin_book_name(mode);
  for (const BuiltinBook& book : builtin_books())
    if (book.name == name) return book.entries;
  return {};
}
