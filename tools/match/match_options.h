#pragma once
// The match runner's command line.
//
//   brisvane_match --engine name=A cmd=PATH [arg=WORD]... [option.NAME=VALUE]...
//                  --engine name=B cmd=PATH ... [--tc 10+0.1] [--openings FILE.epd]
//                  [--rounds N] [--concurrency N] [--pgn FILE] [--results FILE]
//                  [--max-plies N] [--resign CP,MOVES|off] [--draw AFTER_MOVE,CP,MOVES|off]
//                  [--chess960] [--seed N]

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "games/adjudication.h"
#include "match/game_clock.h"

struct EngineSetup {
  std::string name;
  std::string command;
  std::vector<std::string> args;                              // for its command line
  std::vector<std::pair<std::string, std::string>> options;  // setoption name, value
};

struct MatchSettings {
  EngineSetup engines[2];  // the summary is the first one's
  TimeControl tc;
  std::string openings_path;  // empty: the bundled openings
  int rounds = 0;             // openings played, each with both colours; 0: all of them
  int concurrency = 1;
  std::string pgn_path;
  std::string results_path;  // a CSV line is appended there
  int max_plies = 0;         // a draw after this many plies; 0: no cap
  // Resignation and draw on both engines' scores, as the style gauntlet reads them;
  // off unless asked for, so that games run to a rule of chess.
  ScoreRules rules = SCORE_RULES_OFF;
  // Chess960: both engines get UCI_Chess960, castling is refereed as king takes rook,
  // and without a file the openings are 960 start positions in the seed's order.
  bool chess960 = false;
  std::uint64_t seed = 1;
};

// False with error naming the fault. Everything but the two engines has a default.
bool parse_match_args(const std::vector<std::string>& args, MatchSettings& settings, std::string& error);

extern const char* const MATCH_USAGE;
