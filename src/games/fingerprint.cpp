#include "games/fingerprint.h"

#include <algorithm>
#include <climits>

#include "board/legal.h"
#include "board/position.h"
#include "eval/king_safety.h"
#include "eval/passed_pawns.h"
#include "search/ordering.h"
#include "style/bait.h"

namespace {

// Material of colour minus the other colour's, kings left out.
int material_balance(int colour) {
  int balance = 0;
  for (int code = 0; code < 12; ++code) {
    if (code % 6 == K) continue;
    const int value = popcount(bitboards[code]) * mvv_lva_value[code];
    balance += code / 6 == colour ? value : -value;
  }
  return balance;
}

// The files of the wing the king stands on; none while it stands on the d- or e-file.
bool on_kings_wing(int file, int king_square) {
  const int king_file = file_of(king_square);
  if (king_file <= 2) return file <= 2;
  if (king_file >= 5) return file >= 5;
  return false;
}

void note_endings(GameStats& stats) {
  const Bitboard minors = bitboards[N] | bitboards[B] | bitboards[n] | bitboards[b];
  const Bitboard majors = bitboards[R] | bitboards[Q] | bitboards[r] | bitboards[q];
  const Bitboard pawns = bitboards[P] | bitboards[p];
  stats.pawn_ending |= !minors && !majors && pawns;
  stats.major_ending |= !minors && majors;
  stats.minor_ending |= minors && !majors;
}

bool is_advanced_passer(const Move& m, int colour) {
  if (m.piece % 6 != P || m.promoted != NO_PIECE) return false;
  const int relative_rank = colour == WHITE ? rank_of(m.to) : 7 - rank_of(m.to);
  const Bitboard enemy_pawns = bitboards[colour == WHITE ? p : P];
  return relative_rank >= 5 && !(passed_pawn_mask[colour][m.to] & enemy_pawns);
}

}  // namespace

GameStats measure_game(const std::string& fen, const std::vector<PlayedMove>& plies, int measured, double score) {
  load_fen(fen);
  GameStats stats;
  stats.score = score;
  stats.plies = static_cast<int>(plies.size());
  note_endings(stats);

  const int enemy_king = measured == WHITE ? k : K;
  int latest_score = INT_MIN;  // no search of its own yet
  int down_plies = 0;
  int ahead_moves = 0;
  for (const PlayedMove& played : plies) {
    const Move& m = played.move;
    const bool ours = side == measured;
    // A book move is not the style's choice: it counts in what the game reached, not per move.
    const bool searched = ours && !played.book;
    int taken = 0;
    if (ours) {
      stats.book_moves += played.book ? 1 : 0;
      if (m.piece % 6 == P && on_kings_wing(file_of(m.to), lsb(bitboards[enemy_king]))) ++stats.wing_pawn_moves;
    }
    if (searched) {
      ++stats.moves;
      stats.captures += m.capture ? 1 : 0;
      stats.tactical_picks += played.tactical_pick ? 1 : 0;
      taken = material_taken(m);
      latest_score = played.score;
      stats.depth_sum += played.depth;
      ahead_moves = played.score >= AHEAD_SCORE_CP ? ahead_moves + 1 : 0;
      stats.stood_ahead |= ahead_moves >= AHEAD_MOVES;
    }
    make_move(m);
    if (ours) stats.passers_advanced += is_advanced_passer(m, measured) ? 1 : 0;
    if (searched) {
      stats.checks += king_attacked(side) ? 1 : 0;
      stats.pressure += king_zone_pressure(side);
      if (bait_offered(m, taken, BaitRule::Exchange).offered) ++stats.baits;
    }
    note_endings(stats);

    // A sacrifice: material down for a spell of plies while its own search sees no trouble.
    const bool down = material_balance(measured) <= -SACRIFICE_DEFICIT_CP && latest_score != INT_MIN &&
                      latest_score >= SACRIFICE_SCORE_FLOOR;
    down_plies = down ? down_plies + 1 : 0;
    if (down_plies == SACRIFICE_MIN_PLIES) ++stats.sacrifices;
  }
  return stats;
}
