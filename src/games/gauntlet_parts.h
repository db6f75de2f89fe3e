#pragma once
// A gauntlet run split into parts (--shard I/N) and joined again (styles merge).
// Each part writes its games as a per-game CSV and a PGN file. The CSV's first line
// names the part and everything the games depend on, the program included, so that
// parts played on different machines can be checked before they are joined.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "games/adjudication.h"
#include "games/fingerprint.h"
#include "games/gauntlet_options.h"
#include "games/run_fields.h"

// The part of the job list a game belongs to: games are dealt out in turn.
constexpr bool in_part(int job, int part, int parts) { return job % parts == part - 1; }

// One measured game of a part: its place in the job list, its counts and its PGN text.
struct PartGame {
  int job = 0;
  int colour = 0;  // the colour of the side measured
  GameEnd end = GameEnd::None;
  GameStats stats;
  std::string pgn;
};

// The per-game CSV: the settings line, the column names, one line per game.
std::string part_csv(const RunSettings& settings, const std::vector<PartGame>& games);

// Writes a part folder's games.pgn and games.csv. False with error when one cannot be written.
bool write_part(const std::string& folder, const RunSettings& settings, const std::vector<PartGame>& games,
                std::string& error);

// Whether a part's games are read with their PGN text, as a merge writes it again, or
// without it, for their figures alone (the recorded runs keep games.csv only).
enum class PartPgn { Read, Skipped };

// Reads a part folder's games.csv (and games.pgn unless skipped) into the settings the
// games depend on and the games. False with error naming the file and the fault (a
// setting out of its range by its name and value).
bool read_part(const std::string& folder, RunSettings& settings, std::vector<PartGame>& games, std::string& error,
               PartPgn pgn = PartPgn::Read);

// Joins the parts (each folder read whole) into the games of one run, in job order,
// with settings saying part 1 of 1. False with error naming the first mismatch:
// a setting that differs (with both values and their folders), a part missing or
// given twice, a game missing.
bool join_parts(const std::vector<std::string>& folders, RunSettings& settings, std::vector<PartGame>& games,
                std::string& error, PartPgn pgn = PartPgn::Read);

// Pools whole runs of the same rows and settings played from other openings (or another
// seed, count of games or build) into one run's games, each row's games from every run
// in turn: the same measure on more games. False with error naming a setting that
// differs, or two runs that play the same games.
bool pool_runs(const std::vector<std::string>& folders, RunSettings& settings, std::vector<PartGame>& games,
               std::string& error);

// A hash of a text (64-bit FNV-1a), as hexadecimal digits; and of this running program.
std::string text_hash(const std::string& text);
std::string program_hash();
