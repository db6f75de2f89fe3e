#pragma once
// The fields of a style gauntlet run, in one table: each with its command-line option,
// its name in the settings line that starts a part's games.csv (or none: how a run is
// played, not what its games depend on), its member and its range. The table drives the
// reading of the options, the usage text, the settings line written and read back, and
// so the merge's check that parts agree.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "games/gauntlet_options.h"

// Reads the options among words into settings: "--name value" or "--name=value", the
// flags alone. Explicit values win over --quick wherever they stand, and --strength
// plays whichever rows --styles chose. With merge, only the options of "styles merge"
// are known and its other words are the part folders (into folders). False with error
// on an unknown word or a bad value.
bool read_run_options(const std::vector<std::string>& words, bool merge, RunSettings& settings,
                      std::vector<std::string>& folders, std::string& error);

// "usage: brisvane styles ...", then one line per option with its value and default.
std::string styles_usage();

// The settings line's fields by name, in the order written; the part is the first.
// Two parts join when every field but the part is the same.
std::vector<std::pair<std::string, std::string>> settings_fields(const RunSettings& settings);

// The settings from the fields of a settings line. A field that older lines lack reads
// as what those runs were played with. False with bad empty when a field is missing, or
// naming the first field out of its range ("level=999").
bool settings_from_fields(const std::map<std::string, std::string>& fields, RunSettings& settings,
                          std::string& bad);
