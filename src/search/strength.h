#pragma once
// Playing below full strength (UCI_LimitStrength with UCI_Elo). A level plays
// weaker the way people do: it looks at fewer nodes, so it misses deep tactics,
// and it does not always play its best move but one of the root moves that score
// close to it, drawn at random and weighted toward the better ones. It never
// throws material away at random, and its style still decides what it calls good.

#include <cstdint>
#include <span>

#include "search/limits.h"

// The levels on offer. The numbers are measured, not guessed: docs/strength.md gives the
// games behind them.
constexpr int STRENGTH_MIN_ELO = 1000;
constexpr int STRENGTH_MAX_ELO = 1700;
constexpr int STRENGTH_DEFAULT_ELO = 1500;

// Root lines a limited search scores each iteration to choose among.
constexpr int STRENGTH_LINES = 4;

struct StrengthLevel {
  std::int64_t nodes;  // node budget per move
  int margin_cp;       // root moves this close to the best may be played instead
};

// The level for an Elo, clamped to the range; between the calibrated points the
// budget grows geometrically and the margin shrinks linearly.
StrengthLevel strength_level(int elo);

// Against a lone king every level plays its best move (no close choice and, in the
// caller, no sharper swap), with nodes enough to drive the king to the edge: a level
// gives away depth and close choices, not the technique of mating with king and rook.
constexpr std::int64_t LONE_KING_NODES = 100'000;
StrengthLevel playing_level(int elo, bool opponent_has_lone_king);

// The limits of mover's move at the level elo in the current position: the level's node budget
// (or the limits' own, when smaller), its choice among close root moves, and against
// a lone king the best move only.
void limit_to_level(SearchLimits& limits, int elo, int mover);

// Which of the scored root lines (best first) to play: one whose score is within
// margin_cp of the first, with weights falling from the best to the edge of the
// margin. draw is a uniform random number. A mate for the mover is always played.
int choose_line(std::span<const int> scores, int margin_cp, std::uint64_t draw);

// The last ply of the game a level plays from its opening book: the weaker the
// level, the sooner it is on its own, from STRENGTH_BOOK_PLIES_MIN at the lowest
// level to STRENGTH_BOOK_PLIES_MAX at the highest.
constexpr int STRENGTH_BOOK_PLIES_MIN = 4;
constexpr int STRENGTH_BOOK_PLIES_MAX = 16;
int strength_book_plies(int elo);

// The random numbers behind the choice (and behind the book's choice of move). Seed 0 takes a fresh seed from the system,
// so that every game is different; any other seed repeats the same sequence.
void seed_strength_random(std::uint64_t seed);
std::uint64_t next_strength_random();
