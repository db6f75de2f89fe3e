#include "games/gauntlet_options.h"

#include <algorithm>
#include <thread>

#include "base/text.h"
#include "board/notation.h"
#include "games/run_fields.h"
#include "games/style_gate.h"
#include "style/tactical.h"

namespace {

constexpr const char* NO_TACTICS_NAME = "NoTactics";

}  // namespace

std::string row_name(const GauntletRow& row) {
  if (!row.tactics) return NO_TACTICS_NAME;
  std::string name = mode_name(row.style);
  if (strength_named(row)) {
    name += '@';
    name += std::to_string(row.strength);
  }
  return name;
}

bool strength_named(const GauntletRow& row) {
  return row.style == Balanced && row.tactics && row.strength != STYLE_STRENGTH_DEFAULT;
}

int row_strength(SearchMode style, int strength) {
  if (style == Balanced) return STYLE_STRENGTH_DEFAULT;
  return strength != PUBLISHED_STRENGTH ? strength : published_strength(style);
}

bool row_from_name(const std::string& name, GauntletRow& row) {
  if (equal_ignoring_case(name, NO_TACTICS_NAME)) {
    row = {Balanced, false};
    return true;
  }
  SearchMode mode = Balanced;
  const std::size_t at = name.find('@');
  if (!read_search_mode(name.substr(0, at), mode)) return false;
  row = {mode, true};
  if (at == std::string::npos) return true;
  // Only Balanced is named with its strength: every other row takes the run's.
  return mode == Balanced &&
         read_whole_number(name.substr(at + 1), STYLE_STRENGTH_MIN, STYLE_STRENGTH_MAX, row.strength);
}

bool parse_gauntlet_options(const std::vector<std::string>& words, RunSettings& settings, std::string& error) {
  settings = RunSettings{};
  settings.jobs = std::max(1u, std::thread::hardware_concurrency());
  settings.game.tactics = tactical_move_selection;
  settings.game.threshold = tactic_threshold_cp;
  for (const StyleEntry& style : STYLES)
    settings.rows.push_back({style.mode, true, row_strength(style.mode, PUBLISHED_STRENGTH)});
  settings.rows.push_back({Balanced, false});
  std::vector<std::string> folders;  // stays empty: a word that is no option is refused
  if (!read_run_options(words, false, settings, folders, error)) return false;
  if (settings.game.book && (!settings.openings_file.empty() || chess960)) {
    error = "--book plays from the start position: it takes no --openings and no Chess960";
    return false;
  }
  if (settings.gate && settings.parts > 1) {
    error = "--gate needs the whole run: check the joined parts with \"styles merge --gate\"";
    return false;
  }
  if (!settings.game.tactics && !settings.baseline.tactics) {
    error = "with the tactical selection off, NoTactics is Balanced: --baseline Balanced measures against it";
    return false;
  }
  // With the selection off for everyone, the row without it is the baseline again.
  if (!settings.game.tactics) std::erase(settings.rows, GauntletRow{Balanced, false});
  return true;
}
