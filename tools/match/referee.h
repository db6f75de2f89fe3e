#pragma once
// One game between two UCI players under a clock, refereed on this thread's
// position: every move is checked for legality, and the game ends by the rules
// (mate, stalemate, repetition, fifty moves, dead position, the optional length
// cap), by the optional score rules on the engines' own scores, or by a forfeit
// (time, an illegal move, no reply, a crash).

#include <string>
#include <vector>

#include "board/move.h"
#include "games/adjudication.h"
#include "games/openings.h"
#include "match/game_clock.h"
#include "match/uci_engine.h"

enum class Forfeit { None, Time, IllegalMove, NoReply, Crash };

struct GameOutcome {
  std::string result = "*";  // PGN result
  std::string reason;        // e.g. "checkmate", "White loses on time"
  std::string termination;   // the PGN Termination tag: normal, time forfeit, rules infraction
};

// The game as the referee keeps it. The position itself is the thread's global one.
struct RefereeGame {
  std::string start_fen;
  GameProgress progress;
  GameClock clock;
  ScoreRules rules = SCORE_RULES_OFF;
  std::vector<PlayedMove> plies;  // each move with its mover's score and depth
  std::string position_command;  // "position fen ... moves ..." for the next go
};

// Sets up the opening on this thread's position. max_plies 0 means no length cap.
void begin_game(RefereeGame& game, const Opening& opening, const TimeControl& tc, int max_plies,
                const ScoreRules& rules = SCORE_RULES_OFF);
// Makes the move the UCI text names if it is legal here; false (position unchanged) if
// not. The mover's score and depth go with it; depth 0: not searched.
bool play_move_text(RefereeGame& game, const std::string& text, int score = 0, int depth = 0);
// The ending the rules give in the current position, or an unfinished outcome.
GameOutcome rules_outcome(const RefereeGame& game);
// The outcome when loser forfeits. Running out of time (or not answering) is a draw
// when the opponent has no mating material left; every other forfeit loses.
GameOutcome forfeit_outcome(Forfeit why, int loser, const std::string& detail = "");

// Plays one game from the opening; white and black must have been started.
GameOutcome play_game(RefereeGame& game, const Opening& opening, UciPlayer& white, UciPlayer& black,
                      const TimeControl& tc, int max_plies, const ScoreRules& rules = SCORE_RULES_OFF);
