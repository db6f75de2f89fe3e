#pragma once
// One player of the match: an engine process spoken to over UCI. A player whose
// process died or stopped answering is started again before its next game.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "games/adjudication.h"
#include "match/child_process.h"
#include "match/game_clock.h"
#include "match/match_options.h"

struct UciPlayer {
  EngineSetup setup;
  std::unique_ptr<ChildProcess> process;
};

// How long an engine may take over the start-up dialogue and "isready".
constexpr int UCI_HANDSHAKE_MS = 10000;
// How long past its flag an engine may stay silent before it is killed as hung.
constexpr int NO_REPLY_GRACE_MS = 5000;

// Starts the process if it is not running (or has died) and sends uci, the options
// and isready. False when the engine does not answer; the process is then stopped.
bool ensure_started(UciPlayer& player, std::string& error);
// ucinewgame and isready; false when the engine does not answer.
bool start_new_game(UciPlayer& player);

struct EngineReply {
  enum Kind { Move, NoReply, Crashed } kind = NoReply;
  std::string move;            // the bestmove text
  std::int64_t elapsed_ms = 0;  // from sending go to reading bestmove
  // From the last info line with a score before bestmove, the mover's view; depth 0
  // when no such line came (the move was not searched, as far as the rules can tell).
  int score = 0;
  int depth = 0;
};

// A mate score counts as this many centipawns: past every bound the score rules take.
constexpr int MATE_SCORE_CP = RULE_CP_MAX + 1;

// The score and depth of an info line ("score cp N" or "score mate N"; depth 0 when the
// line has none). False, with both unchanged, for a line without a score, and for
// the lines of MultiPV's second and later moves.
bool read_info_score(const std::string& line, int& score, int& depth);

// Sends the position and a go with both clocks, and waits for bestmove up to the
// mover's remaining time plus the grace. An engine that stays silent is killed.
EngineReply ask_move(UciPlayer& player, const std::string& position_command, const GameClock& clock, int mover);

// quit, then a kill if it lingers.
void stop_player(UciPlayer& player);
