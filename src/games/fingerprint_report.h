#pragma once
// The fingerprints of a gauntlet run as a CSV file and as a table for the screen.

#include <string>
#include <vector>

#include "games/fingerprint_summary.h"
#include "games/gauntlet_options.h"

struct StyleRow {
  std::string name;  // the style, or NoTactics
  bool tactics;      // whether its moves could be tactical picks
  int strength;      // the StyleStrength its style played at
  Fingerprint print;
};

// One row per style: style, games, the settings its games were played with (tactics: whether the row's
// side used the tactical selection; setup: engines or per-side; level: the UCI_Elo of
// both sides or 0; strength: the row's StyleStrength), then each figure followed by
// the low and high ends of its interval (columns <figure>, <figure>_lo, <figure>_hi),
// last the row every row played against (baseline).
std::string fingerprint_csv(const std::vector<StyleRow>& rows, const GameSettings& run, const std::string& baseline);

// Aligned columns, one row per style: each figure with the half-width of its
// interval ("12.3 ±4.5", the longer side where the range cut it); the Elo
// difference with its bounds. The heading names the baseline every row played against.
std::string fingerprint_table(const std::vector<StyleRow>& rows, const GameSettings& run, const std::string& baseline);
