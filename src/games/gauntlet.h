#pragma once
// The "styles" command: every style plays Balanced from a set of balanced openings,
// and the measured fingerprints are reported as a table, a CSV file and a PGN file.

#include <string>
#include <vector>

// Runs the gauntlet with the words that follow "styles"; returns the exit status.
// Faults in the input are reported on standard error with a non-zero status.
int run_styles_command(const std::vector<std::string>& words);
