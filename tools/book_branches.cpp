// Branches a built-in book's lines so that its games differ more: for each line it
// picks a few of its plies at random, finds there the best move other than the
// line's own that a depth-8 search scores within 20 cp of it, and continues from
// that move with the search's best moves up to the 16th ply. The side the book plays
// the line for searches with the book's style, the other side as Balanced. The new lines are
// printed in the books' text format, with the parent's side, weight and name, to be
// pasted below the lines they branch from.
//
//   build/book_branches data/books/king_attack.txt [branches] [seed] > branches.txt
//
// Deterministic: the same text and numbers give the same lines. A branch is not
// printed when its first moves are already a line of the book, so running it on a
// book that holds its earlier output adds only new lines.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/output.h"
#include "board/legal.h"
#include "board/position.h"
#include "board/san.h"
#include "book/book_lines.h"
#include "book/builtin_books.h"
#include "search/fixed_depth.h"
#include "search/search_state.h"
#include "search/startup.h"

namespace {

constexpr std::size_t BRANCH_FROM_PLY = 6;  // the opening's first moves stay as written
constexpr std::size_t LINE_PLIES = BOOK_ALIKE_PLIES;
constexpr int SHALLOW_DEPTH = 4;  // picks the few moves worth a deeper look
constexpr int DEEP_DEPTH = 8;     // judges them
constexpr int CANDIDATES = 3;
constexpr int MARGIN_CP = 20;     // a branch may score this much below the line's own move

std::string joined(const std::vector<std::string>& moves, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count && i < moves.size(); ++i) text += (i ? " " : "") + moves[i];
  return text;
}

// The legal moves, best first by a shallow search, at most `count`, skipping `except`.
std::vector<Move> shallow_best(std::size_t count, const std::vector<Move>& except) {
  MoveList legal;
  generate_legal_moves(legal);
  std::vector<std::pair<int, Move>> scored;
  for (const Move& m : legal.moves) {
    const bool skipped = std::any_of(except.begin(), except.end(), [&](const Move& e) { return same_move(e, m); });
    if (!skipped) scored.push_back({fixed_depth_score_after(m, SHALLOW_DEPTH), m});
  }
  std::stable_sort(scored.begin(), scored.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<Move> best;
  for (std::size_t i = 0; i < scored.size() && i < count; ++i) best.push_back(scored[i].second);
  return best;
}

void play(const Move& m, std::vector<std::string>& moves) {
  moves.push_back(move_to_san(m));
  make_move(m);
  repetition_stack.push_back(zobrist_key);
}

void play_line(const BookLine& line, std::size_t plies, std::vector<std::string>& moves) {
  init_board_startpos();
  repetition_stack.clear();
  repetition_stack.push_back(zobrist_key);
  for (std::size_t ply = 0; ply < plies; ++ply) play(san_to_move(line.moves[ply]), moves);
}

// The line branched at ply (0 = White's first move), or nothing when no move is close enough.
std::vector<std::string> branch(const BookLine& line, std::size_t ply, const std::set<std::string>& known) {
  std::vector<std::string> moves;
  play_line(line, ply, moves);
  const Move own = san_to_move(line.moves[ply]);
  const int own_score = fixed_depth_score_after(own, DEEP_DEPTH);
  Move chosen{};
  int chosen_score = own_score - MARGIN_CP - 1;
  for (const Move& m : shallow_best(CANDIDATES, {own})) {
    moves.push_back(move_to_san(m));
    const bool is_new = !known.count(joined(moves, moves.size()));
    moves.pop_back();
    if (!is_new) continue;
    const int score = fixed_depth_score_after(m, DEEP_DEPTH);
    if (score > chosen_score) chosen = m, chosen_score = score;
  }
  if (is_empty_move(chosen)) return {};
  play(chosen, moves);
  while (moves.size() < LINE_PLIES) {
    const Move next = fixed_depth_best_move(DEEP_DEPTH);
    if (is_empty_move(next)) break;
    play(next, moves);
  }
  return moves;
}

// The style whose book a text makes; Balanced for the main book.
SearchMode style_of_book(const std::string& name) {
  for (int mode = 0; mode < SEARCH_MODE_COUNT; ++mode)
    if (builtin_book_name(static_cast<SearchMode>(mode)) == name) return static_cast<SearchMode>(mode);
  return Balanced;
}

std::string move_number(std::size_t ply, const std::string& san) {
  return std::to_string(ply / 2 + 1) + (ply % 2 ? "..." : ".") + san;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: book_branches BOOK.txt [branches] [seed]\n");
    return 2;
  }
  const int branches = argc > 2 ? std::atoi(argv[2]) : 3;
  const unsigned long long seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
  init_tables();
  set_line_sink(drop_line);
  NamedBookLines book;
  std::string error;
  if (!read_book_lines_file(argv[1], book, error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  const std::vector<BookLine>& lines = book.lines;
  // Every beginning of every line, so that a branch never repeats what the book holds.
  std::set<std::string> known;
  for (const BookLine& line : lines)
    for (std::size_t plies = 1; plies <= line.moves.size() && plies <= LINE_PLIES; ++plies)
      known.insert(joined(line.moves, plies));
  std::printf("# Branches made by tools/book_branches.cpp %d %llu: at plies chosen at random from the %zuth on,\n",
              branches, seed, BRANCH_FROM_PLY + 1);
  std::printf("# the best other move within %d cp of the line's own at depth %d, then the search's best moves\n",
              MARGIN_CP, DEEP_DEPTH);
  std::printf("# to ply %zu.\n", LINE_PLIES);
  const SearchMode style = style_of_book(book.name);
  for (const BookLine& line : lines) {
    white_search_mode = line.colour == WHITE ? style : Balanced;
    black_search_mode = line.colour == BLACK ? style : Balanced;
    const std::size_t last = std::min(line.moves.size(), LINE_PLIES);
    std::vector<std::size_t> plies;
    for (std::size_t ply = BRANCH_FROM_PLY; ply < last; ++ply) plies.push_back(ply);
    std::mt19937_64 random(seed * 1000003 + static_cast<unsigned long long>(line.number));
    std::shuffle(plies.begin(), plies.end(), random);
    int made = 0;
    for (std::size_t i = 0; i < plies.size() && made < branches; ++i) {
      const std::vector<std::string> moves = branch(line, plies[i], known);
      if (moves.empty()) continue;
      for (std::size_t k = 1; k <= moves.size(); ++k) known.insert(joined(moves, k));
      ++made;
      std::printf("%s %d | %s, %s | %s\n", line.colour == WHITE ? "white" : "black", line.weight, line.name.c_str(),
                  move_number(plies[i], moves[plies[i]]).c_str(), joined(moves, moves.size()).c_str());
      std::fflush(stdout);
    }
  }
  return 0;
}
