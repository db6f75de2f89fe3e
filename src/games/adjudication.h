#pragma once
// When a game of the style gauntlet is over, and how it ended.

#include <cstdint>
#include <string>
#include <vector>

#include "board/move.h"
#include "games/fingerprint.h"

// The endings by the rules of chess first, then those a match runner decides:
// the length cap (a draw), and the two score rules below.
enum class GameEnd : int {
  None,
  Checkmate,
  Stalemate,
  Repetition,
  FiftyMoves,
  DeadPosition,
  LengthCap,
  Resigned,    // the resign rule: the side both engines see lost loses
  ScoreDraw,   // the draw rule
};
constexpr GameEnd LAST_GAME_END = GameEnd::ScoreDraw;

// The state of a game the position alone does not hold.
struct GameProgress {
  // Keys of the positions since the last capture or pawn move, the current one last:
  // no earlier position can come back.
  std::vector<std::uint64_t> keys;
  int halfmove_clock = 0;  // plies since the last capture or pawn move
  int plies = 0;           // plies played in this game
  int max_plies = 0;       // the length cap, a draw; 0: none
};

// Brings the progress up to date after the legal move m was made on the global position.
void record_move(const Move& m, GameProgress& progress);

// How the game stands in the current global position. Mate and stalemate come
// first, so a mate given on the fiftieth move still wins.
GameEnd adjudicate(const GameProgress& progress);

// Adjudication on both engines' own search scores, as match runners do it. A move
// counts when it was searched (depth above 0; book moves are not); each side's
// score is from its own view.
//  - resign: over the last resign_moves moves of each side, one side scored at least
//    resign_cp and the other at most -resign_cp on every one: the second loses.
//  - draw: over the last draw_moves moves of each side, every score lay within
//    draw_cp of 0, all of them played after move draw_after_move of the game
//    (counted from its opening position).
// A count of moves of 0 turns its rule off.
struct ScoreRules {
  int resign_cp = 600;
  int resign_moves = 4;
  int draw_after_move = 40;
  int draw_cp = 10;
  int draw_moves = 8;
  bool operator==(const ScoreRules&) const = default;
};
// Both rules off: the games run to a rule of chess.
constexpr ScoreRules SCORE_RULES_OFF{.resign_moves = 0, .draw_moves = 0};

// The score rules' verdict after the last of plies, with side_to_move to move next:
// GameEnd::Resigned (loser set to the side that resigns), GameEnd::ScoreDraw or GameEnd::None.
GameEnd adjudicate_scores(const std::vector<PlayedMove>& plies, const ScoreRules& rules, int side_to_move,
                          int& loser);

// How the game stands after the last of plies, in the current global position: the
// rules of chess first, then the score rules, which come before the length cap. loser
// is set to the side that lost a decisive ending (the side to move when mated) and to
// the side to move otherwise.
GameEnd adjudicate_game(const GameProgress& progress, const std::vector<PlayedMove>& plies, const ScoreRules& rules,
                        int& loser);

// Whether an ending has a winner: checkmate, or a resignation.
constexpr bool decisive(GameEnd end) { return end == GameEnd::Checkmate || end == GameEnd::Resigned; }
// Whether a match runner's rule ended the game rather than a rule of chess.
constexpr bool adjudicated(GameEnd end) {
  return end == GameEnd::LengthCap || end == GameEnd::Resigned || end == GameEnd::ScoreDraw;
}

// The PGN result for an ending, with loser the side that lost a decisive one (the
// side to move when mated).
const char* game_result(GameEnd end, int loser);
// A short description of the ending, e.g. "threefold repetition".
const char* game_end_name(GameEnd end);
// The PGN's words on an ending: its final comment ("Black resigns (resign rule)", or
// the ending's name) and its Termination tag ("adjudication" for a match runner's rule).
std::string game_end_comment(GameEnd end, int loser);
const char* termination_tag(GameEnd end);
// The ending a description names; false for none.
bool game_end_from_name(const std::string& name, GameEnd& end);

// The rules as the settings line and the options write them: "600,4" (resign_cp,
// resign_moves) and "40,10,8" (draw_after_move, draw_cp, draw_moves), or "off".
std::string resign_rule_text(const ScoreRules& rules);
std::string draw_rule_text(const ScoreRules& rules);
// Reads them back within the ranges below; false on anything else.
bool read_resign_rule(const std::string& text, ScoreRules& rules);
bool read_draw_rule(const std::string& text, ScoreRules& rules);
constexpr int RULE_CP_MAX = 10000;
constexpr int RULE_MOVES_MAX = 100;
constexpr int DRAW_AFTER_MOVE_MAX = 1000;

// The report's line on what the match runner's rules decided, e.g. "Adjudication:
// resign at 600 cp for 4 moves decided 31 games; draw within 10 cp for 8 moves after
// move 40 decided 12 games; no ply cap".
std::string adjudication_summary(const ScoreRules& rules, int max_plies, int resigned, int drawn, int capped);
