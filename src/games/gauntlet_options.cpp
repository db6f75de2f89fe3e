#include "games/gauntlet_options.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <sstream>
#include <string_view>
#include <thread>

#include "base/text.h"
#include "games/style_gate.h"
#include "board/notation.h"
#include "search/strength.h"
#include "style/style_strength.h"
#include "style/tactical.h"

namespace {

constexpr std::string_view OPTION_NAMES[] = {"--games",   "--nodes", "--movetime",       "--max-plies",
                                             "--seed",    "--styles", "--jobs",          "--out",
                                             "--openings", "--level", "--shard",         "--strength",
                                             "--resign",  "--draw"};
constexpr std::string_view FLAG_NAMES[] = {"--quick", "--per-side", "--gate", "--book"};

template <typename Number>
bool positive_number(const std::string& text, Number& value) {
  return read_whole_number(text, Number{1}, std::numeric_limits<Number>::max(), value);
}

constexpr const char* NO_TACTICS_NAME = "NoTactics";

bool parse_styles(const std::string& list, std::vector<GauntletRow>& rows, std::string& error) {
  rows = {GauntletRow{}};
  std::istringstream in(list);
  for (std::string name; std::getline(in, name, ',');) {
    GauntletRow row;
    if (!row_from_name(name, row)) {
      error = "unknown style \"" + name + "\" (styles: " + joined_style_names(", ") + ", " + NO_TACTICS_NAME + ")";
      return false;
    }
    if (std::find(rows.begin(), rows.end(), row) == rows.end()) rows.push_back(row);
  }
  return true;
}

// Applies one option with its value; false with error when the value is bad. strength
// receives --strength, which the rows take once every option is read.
bool apply_option(const std::string& name, const std::string& value, RunSettings& settings, int& strength,
                  std::string& error) {
  GameSettings& game = settings.game;
  bool ok = true;
  if (name == "--games") {
    ok = positive_number(value, settings.games);
  } else if (name == "--nodes") {
    ok = positive_number(value, game.nodes);
    game.movetime_ms = 0;
  } else if (name == "--movetime") {
    ok = positive_number(value, game.movetime_ms);
    game.nodes = 0;
  } else if (name == "--max-plies") {
    ok = positive_number(value, game.max_plies);
  } else if (name == "--resign" || name == "--draw") {
    ok = name == "--resign" ? read_resign_rule(value, game.rules) : read_draw_rule(value, game.rules);
    if (!ok)
      error = name == "--resign"
                  ? "--resign needs CP,MOVES (1 to " + std::to_string(RULE_CP_MAX) + " cp, 1 to " +
                        std::to_string(RULE_MOVES_MAX) + " moves) or off, not \"" + value + "\""
                  : "--draw needs AFTER_MOVE,CP,MOVES (0 to " + std::to_string(DRAW_AFTER_MOVE_MAX) + ", 0 to " +
                        std::to_string(RULE_CP_MAX) + " cp, 1 to " + std::to_string(RULE_MOVES_MAX) +
                        " moves) or off, not \"" + value + "\"";
    return ok;
  } else if (name == "--seed") {
    ok = read_whole_number(value, std::uint64_t{0}, std::numeric_limits<std::uint64_t>::max(), settings.seed);
  } else if (name == "--strength") {
    ok = read_whole_number(value, STYLE_STRENGTH_MIN, STYLE_STRENGTH_MAX, strength);
  } else if (name == "--jobs") {
    ok = positive_number(value, settings.jobs);
  } else if (name == "--styles") {
    return parse_styles(value, settings.rows, error);
  } else if (name == "--out") {
    ok = !value.empty();
    settings.out_dir = value;
  } else if (name == "--openings") {
    ok = !value.empty();
    settings.openings_file = value;
  } else if (name == "--level") {
    ok = read_whole_number(value, STRENGTH_MIN_ELO, STRENGTH_MAX_ELO, game.level);
    if (!ok) error = "--level needs an Elo from " + std::to_string(STRENGTH_MIN_ELO) + " to " +
                     std::to_string(STRENGTH_MAX_ELO) + ", not \"" + value + "\"";
    return ok;
  } else if (name == "--shard") {
    const std::size_t slash = value.find('/');
    ok = slash != std::string::npos && positive_number(value.substr(0, slash), settings.part) &&
         positive_number(value.substr(slash + 1), settings.parts) && settings.part <= settings.parts;
    if (!ok) error = "--shard needs I/N, part I of N with 1 <= I <= N, not \"" + value + "\"";
    return ok;
  }
  if (!ok) {
    const bool path = name == "--out" || name == "--openings";
    const std::string wanted = path               ? "a path"
                               : name == "--seed" ? "a whole number"
                               : name == "--strength"
                                   ? "a whole number from " + std::to_string(STYLE_STRENGTH_MIN) + " to " +
                                         std::to_string(STYLE_STRENGTH_MAX)
                                   : "a whole number above 0";
    error = name + " needs " + wanted + ", not \"" + value + "\"";
  }
  return ok;
}

// The value of the option at words[i], "--name=value" or "--name value" (moving i on).
bool option_value(const std::vector<std::string>& words, std::size_t& i, std::string& name, std::string& value,
                  std::string& error) {
  const std::size_t equals = words[i].find('=');
  name = words[i].substr(0, equals);
  if (equals != std::string::npos) {
    value = words[i].substr(equals + 1);
  } else if (i + 1 < words.size()) {
    value = words[++i];
  } else {
    error = name + " needs a value";
    return false;
  }
  return true;
}

}  // namespace

const char* row_name(const GauntletRow& row) { return row.tactics ? mode_name(row.style) : NO_TACTICS_NAME; }

int row_strength(SearchMode style, int strength) {
  if (style == Balanced) return STYLE_STRENGTH_DEFAULT;
  return strength >= 0 ? strength : published_strength(style);
}

bool row_from_name(const std::string& name, GauntletRow& row) {
  if (equal_ignoring_case(name, NO_TACTICS_NAME)) {
    row = {Balanced, false};
    return true;
  }
  SearchMode mode = Balanced;
  if (!read_search_mode(name, mode)) return false;
  row = {mode, true};
  return true;
}

bool parse_gauntlet_options(const std::vector<std::string>& words, RunSettings& settings, std::string& error) {
  settings = RunSettings{};
  settings.jobs = std::max(1u, std::thread::hardware_concurrency());
  settings.game.tactics = tactical_move_selection;
  settings.game.threshold = tactic_threshold_cp;
  for (const StyleEntry& style : STYLES) settings.rows.push_back({style.mode, true});
  settings.rows.push_back({Balanced, false});
  if (std::find(words.begin(), words.end(), "--quick") != words.end()) {
    settings.games = QUICK_GAMES;
    settings.game.nodes = QUICK_NODES;
  }
  int strength = -1;  // each style's published one
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (std::find(std::begin(FLAG_NAMES), std::end(FLAG_NAMES), word) != std::end(FLAG_NAMES)) {
      settings.game.per_side |= word == "--per-side";
      settings.gate |= word == "--gate";
      settings.game.book |= word == "--book";
      continue;
    }
    const std::string name = word.substr(0, word.find('='));
    if (std::find(std::begin(OPTION_NAMES), std::end(OPTION_NAMES), name) == std::end(OPTION_NAMES)) {
      error = name.starts_with("--") ? "unknown option " + name : "unexpected word \"" + word + "\"";
      return false;
    }
    std::string key, value;
    if (!option_value(words, i, key, value, error) || !apply_option(key, value, settings, strength, error))
      return false;
  }
  if (settings.game.book && (!settings.openings_file.empty() || chess960)) {
    error = "--book plays from the start position: it takes no --openings and no Chess960";
    return false;
  }
  if (settings.gate && settings.parts > 1) {
    error = "--gate needs the whole run: check the joined parts with \"styles merge --gate\"";
    return false;
  }
  // With the selection off for everyone, the row without it is the baseline again.
  if (!settings.game.tactics) std::erase(settings.rows, GauntletRow{Balanced, false});
  for (GauntletRow& row : settings.rows) row.strength = row_strength(row.style, strength);
  return true;
}

bool parse_merge_options(const std::vector<std::string>& words, RunSettings& settings,
                         std::vector<std::string>& parts, std::string& error) {
  int strength = -1;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    std::string name, value;
    if (word == "--gate") {
      settings.gate = true;
    } else if (word == "--out" || word.starts_with("--out=")) {
      if (!option_value(words, i, name, value, error) || !apply_option(name, value, settings, strength, error))
        return false;
    } else if (word.starts_with("--")) {
      error = "unknown option " + word + " of merge";
      return false;
    } else {
      parts.push_back(word);
    }
  }
  return true;
}
