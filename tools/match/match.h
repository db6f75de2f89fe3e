#pragma once
// A whole match: every opening twice with colours swapped, concurrency games at
// a time, one line per finished game, the PGN file, and the first engine's score.

#include <string>
#include <vector>

#include "games/openings.h"
#include "match/elo.h"
#include "match/match_options.h"

// Plays the match, printing as games finish. False with error when the openings
// cannot be read or an engine cannot be started; result then holds the games
// finished so far.
bool run_match(const MatchSettings& settings, MatchScore& result, std::string& error);

// The closing lines: games, wins-draws-losses, score and Elo with its interval.
std::string summary_text(const std::string& name, const std::string& opponent, const MatchScore& result);
// One CSV line: name1,name2,games,w,d,l,elo,lo,hi
std::string results_line(const std::string& name, const std::string& opponent, const MatchScore& result);

// The openings of the settings: the file, or the bundled set.
bool load_match_openings(const MatchSettings& settings, std::vector<Opening>& openings, std::string& error);
