#include "book/builtin_books.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::string_view, SEARCH_MODE_COUNT> BOOK_OF_STYLE = [] {
  std::array<std::string_view, SEARCH_MODE_COUNT> names{};
  for (std::string_view& name : names) name = "main";
  names[KingAttack] = "king_attack";
  names[PassedPawn] = "passed_pawn";
  names[PawnStorm] = "pawn_storm";
  names[Provocation] = "provocation";
  names[PawnEnding] = "pawn_ending";
  names[MajorPieceEnding] = "major_piece_ending";
  names[MinorPieceEnding] = "minor_piece_ending";
  return names;
}();

}  // namespace

std::string_view builtin_book_name(SearchMode mode) {
  return mode >= 0 && mode < SEARCH_MODE_COUNT ? BOOK_OF_STYLE[mode] : BOOK_OF_STYLE[Balanced];
}

std::span<const BookEntry> builtin_book(SearchMode mode) {
  const std::string_view name = builtin_book_name(mode);
  for (const BuiltinBook& book : builtin_books())
    if (book.name == name) return book.entries;
  return {};
}
