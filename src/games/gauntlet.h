#pragma once
// The "styles" command: every style plays Balanced from a set of balanced openings,
// and the measured fingerprints are reported as a table, a CSV file and a PGN file.

#include <string>
#include <vector>

// Runs the gauntlet with the words that follow "styles"; returns the exit status.
// Faults in the input are reported on standard error with a non-zero status. With the
// single word "--list" it prints the style table as scripts read it (style_list) instead.
int run_styles_command(const std::vector<std::string>& words);
