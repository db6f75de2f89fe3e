// Makes the style gauntlet's openings: short random walks from the start position
// through moves that a shallow search finds reasonable, each kept when a deeper
// search scores its last position within a small margin of equality.
//
//   build/make_openings [count] [seed] > tests/data/openings.epd
//   build/make_openings 30 7 30 40 > tests/data/middlegames.epd
//
// The last two numbers set the walk's length. Walks longer than an opening's make
// middlegame positions, kept only while each side still has a rook or a queen and a
// knight or a bishop, so that every kind of ending is still ahead: the quick style
// check (make styles-check) starts from them. Deterministic: the same numbers give
// the same file.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>

#include "base/output.h"
#include "board/legal.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/san.h"
#include "search/fixed_depth.h"
#include "search/search_state.h"
#include "search/startup.h"

namespace {

constexpr int MIN_PLIES = 6;
constexpr int MAX_PLIES = 9;
constexpr int MIDDLEGAME_PLIES = 20;  // walks this long keep only positions with every kind of piece
constexpr int WALK_DEPTH = 3;          // the search that judges each step
constexpr int WALK_MARGIN_CP = 30;     // steps this close to the best move are all fine
constexpr int CHECK_DEPTH = 9;         // the search that judges the final position
constexpr int BALANCE_MARGIN_CP = 40;  // kept when it scores within this of equality

std::string placement() {
  std::string text;
  for (int rank = 7; rank >= 0; --rank) {
    int empty = 0;
    for (int file = 0; file < 8; ++file) {
      char shown = 0;
      for (int code = 0; code < 12; ++code)
        if (bitboards[code] & square_bb(rank * 8 + file)) shown = PIECE_LETTERS[code];
      if (!shown) {
        ++empty;
        continue;
      }
      if (empty) text += std::to_string(empty);
      empty = 0;
      text += shown;
    }
    if (empty) text += std::to_string(empty);
    if (rank) text += '/';
  }
  return text;
}

// Each side still has a rook or a queen and a knight or a bishop.
bool every_kind_of_piece() {
  const bool white = (bitboards[R] | bitboards[Q]) && (bitboards[N] | bitboards[B]);
  const bool black = (bitboards[r] | bitboards[q]) && (bitboards[n] | bitboards[b]);
  return white && black;
}

std::string castling_text() {
  std::string text;
  if (castle & 1) text += 'K';
  if (castle & 2) text += 'Q';
  if (castle & 4) text += 'k';
  if (castle & 8) text += 'q';
  return text.empty() ? "-" : text;
}

// The en-passant field only when a capture there is possible, as most tools write it.
std::string ep_text() {
  if (ep_sq == NO_SQUARE) return "-";
  MoveList legal;
  generate_legal_moves(legal);
  for (const Move& m : legal.moves)
    if (m.en_passant) return sq_to_str(ep_sq);
  return "-";
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 48;
  const unsigned long long seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 2024;
  const int min_plies = argc > 3 ? std::atoi(argv[3]) : MIN_PLIES;
  const int max_plies = argc > 4 ? std::max(min_plies, std::atoi(argv[4])) : std::max(min_plies, MAX_PLIES);
  init_tables();
  set_line_sink(drop_line);
  std::mt19937_64 random(seed);

  std::printf("# Balanced start positions for the style gauntlet (brisvane styles), made by\n");
  std::printf("# tools/make_openings.cpp %d %llu %d %d: random walks of %d to %d plies through moves within\n", count,
              seed, min_plies, max_plies, min_plies, max_plies);
  std::printf("# %d cp of the best at depth %d, kept when a depth-%d search scores them within %d cp.\n",
              WALK_MARGIN_CP, WALK_DEPTH, CHECK_DEPTH, BALANCE_MARGIN_CP);
  std::set<std::string> seen;
  int kept = 0;
  while (kept < count) {
    init_board_startpos();
    const int plies = min_plies + static_cast<int>(random() % (max_plies - min_plies + 1));
    int halfmove = 0;
    std::string moves_text;
    bool ended = false;
    for (int ply = 0; ply < plies; ++ply) {
      MoveList legal;
      generate_legal_moves(legal);
      // A long walk may end in mate or stalemate: it makes no position.
      if (legal.moves.empty()) {
        ended = true;
        break;
      }
      std::vector<std::pair<Move, int>> scored;
      int best = -SCORE_INFINITY;
      for (const Move& m : legal.moves) {
        scored.push_back({m, fixed_depth_score_after(m, WALK_DEPTH)});
        best = std::max(best, scored.back().second);
      }
      std::vector<Move> fine;
      for (const auto& [m, score] : scored)
        if (score >= best - WALK_MARGIN_CP) fine.push_back(m);
      const Move chosen = fine[random() % fine.size()];
      if (side == WHITE) moves_text += std::to_string(ply / 2 + 1) + ". ";
      moves_text += move_to_san(chosen) + " ";
      halfmove = chosen.capture || chosen.piece % 6 == P ? 0 : halfmove + 1;
      make_move(chosen);
      repetition_stack.push_back(zobrist_key);
    }
    const std::string fen = placement() + (side == WHITE ? " w " : " b ") + castling_text() + " " + ep_text();
    if (ended || seen.count(fen) || king_attacked(side)) continue;
    if (plies >= MIDDLEGAME_PLIES && !every_kind_of_piece()) continue;
    repetition_stack.clear();
    repetition_stack.push_back(zobrist_key);
    const int score = fixed_depth_score(CHECK_DEPTH);
    if (std::abs(score) > BALANCE_MARGIN_CP) continue;
    seen.insert(fen);
    ++kept;
    moves_text.pop_back();
    std::printf("%s hmvc %d; fmvn %d; ce %d; c0 \"%s\";\n", fen.c_str(), halfmove, plies / 2 + 1, score,
                moves_text.c_str());
    std::fflush(stdout);
  }
  return 0;
}
