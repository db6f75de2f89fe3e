#include "games/opening_variety.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>

namespace {

// A move as the fields that tell it apart, so that a line of moves can be ordered.
std::vector<int> line_key(const std::vector<Move>& game, int plies) {
  std::vector<int> key;
  const std::size_t length = std::min<std::size_t>(game.size(), static_cast<std::size_t>(plies));
  for (std::size_t i = 0; i < length; ++i)
    key.insert(key.end(), {game[i].from, game[i].to, game[i].promoted, game[i].castling});
  return key;
}

}  // namespace

int repeated_openings(const std::vector<std::vector<Move>>& games, int plies) {
  std::set<std::vector<int>> seen;
  int repeats = 0;
  for (const std::vector<Move>& game : games)
    if (!seen.insert(line_key(game, plies)).second) ++repeats;
  return repeats;
}

std::string variety_line(const std::string& row, int repeats, int games) {
  char percent[16];
  std::snprintf(percent, sizeof percent, "%.1f%%", games > 0 ? 100.0 * repeats / games : 0.0);
  return row + ": " + std::to_string(repeats) + " of " + std::to_string(games) + " games repeat the first " +
         std::to_string(VARIETY_PLIES) + " plies of an earlier game (" + percent + ")\n";
}

std::string book_moves_line(const std::string& row, long book_moves, long searched_moves, int games) {
  const long moves = book_moves + searched_moves;
  char figures[64];
  std::snprintf(figures, sizeof figures, "%.1f%% of its moves from the book, %.1f a game",
                moves > 0 ? 100.0 * static_cast<double>(book_moves) / static_cast<double>(moves) : 0.0,
                games > 0 ? static_cast<double>(book_moves) / games : 0.0);
  return row + ": " + std::to_string(book_moves) + " book moves and " + std::to_string(searched_moves) +
         " searched, " + figures + "\n";
}
