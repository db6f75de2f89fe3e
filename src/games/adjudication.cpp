#include "games/adjudication.h"

#include <algorithm>

#include "board/draw.h"
#include "board/legal.h"
#include "board/position.h"

namespace {
constexpr int REPETITIONS_FOR_DRAW = 3;
}  // namespace

void record_move(const Move& m, GameProgress& progress) {
  // A capture or pawn move resets the clock, and no earlier position can recur.
  const bool irreversible = m.capture || m.piece % 6 == P;
  progress.halfmove_clock = irreversible ? 0 : progress.halfmove_clock + 1;
  if (irreversible) progress.keys.clear();
  progress.keys.push_back(zobrist_key);
  ++progress.plies;
}

GameEnd adjudicate(const GameProgress& progress) {
  if (!has_legal_move()) return king_attacked(side) ? GameEnd::Checkmate : GameEnd::Stalemate;
  if (is_dead_position()) return GameEnd::DeadPosition;
  if (std::count(progress.keys.begin(), progress.keys.end(), zobrist_key) >= REPETITIONS_FOR_DRAW)
    return GameEnd::Repetition;
  if (progress.halfmove_clock >= FIFTY_MOVE_PLIES) return GameEnd::FiftyMoves;
  if (progress.plies >= progress.max_plies) return GameEnd::LengthCap;
  return GameEnd::None;
}

const char* game_result(GameEnd end, int side_to_move) {
  if (end == GameEnd::None) return "*";
  if (end != GameEnd::Checkmate) return "1/2-1/2";
  return side_to_move == WHITE ? "0-1" : "1-0";
}

const char* game_end_name(GameEnd end) {
  switch (end) {
    case GameEnd::Checkmate: return "checkmate";
    case GameEnd::Stalemate: return "stalemate";
    case GameEnd::Repetition: return "threefold repetition";
    case GameEnd::FiftyMoves: return "fifty-move rule";
    case GameEnd::DeadPosition: return "dead position";
    case GameEnd::LengthCap: return "length cap";
    default: return "unterminated";
  }
}
