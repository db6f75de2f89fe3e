#pragma once
// The books compiled into the program, one for each steering style and a main
// book that Balanced, Deep and Wide share. The build makes them from the lines in
// data/books, so that no file path is needed to use them.

#include <span>
#include <string_view>

#include "book/book_file.h"
#include "style/search_mode.h"

struct BuiltinBook {
  std::string_view name;  // the source file's name without ".txt"
  std::span<const BookEntry> entries;
};

// Every built-in book, as the build made them (defined in the generated source).
std::span<const BuiltinBook> builtin_books();

// The name of the book a style plays from.
std::string_view builtin_book_name(SearchMode mode);

// The entries of the book a style plays from (empty if the build made none of that name).
std::span<const BookEntry> builtin_book(SearchMode mode);
