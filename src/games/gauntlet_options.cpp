#include "games/gauntlet_options.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <sstream>
#include <string_view>
#include <thread>

#include "base/text.h"
#include "board/notation.h"
#include "search/strength.h"
#include "style/style_strength.h"

namespace {

constexpr std::string_view OPTION_NAMES[] = {"--games",   "--nodes", "--movetime",       "--max-plies",
                                             "--seed",    "--styles", "--jobs",          "--out",
                                             "--openings", "--level", "--shard",         "--strength"};
constexpr std::string_view FLAG_NAMES[] = {"--quick", "--per-side", "--gate", "--book"};

// The whole text as a number in [low, the type's largest]; value is unchanged otherwise.
template <typename Number>
bool number_from(const std::string& text, Number low, Number& value) {
  const LeadingInteger read = read_leading_integer(text);
  if (read.length == 0 || read.length != text.size() || read.overflow) return false;
  if (read.value < static_cast<std::int64_t>(low) ||
      static_cast<std::uint64_t>(read.value) > static_cast<std::uint64_t>(std::numeric_limits<Number>::max()))
    return false;
  value = static_cast<Number>(read.value);
  return true;
}

template <typename Number>
bool positive_number(const std::string& text, Number& value) {
  return number_from(text, Number{1}, value);
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

// Applies one option with its value; false with error when the value is bad.
bool apply_option(const std::string& name, const std::string& value, GauntletOptions& options,
                  std::string& error) {
  bool ok = true;
  if (name == "--games") {
    ok = positive_number(value, options.games);
  } else if (name == "--nodes") {
    ok = positive_number(value, options.nodes);
    options.movetime_ms = 0;
  } else if (name == "--movetime") {
    ok = positive_number(value, options.movetime_ms);
    options.nodes = 0;
  } else if (name == "--max-plies") {
    ok = positive_number(value, options.max_plies);
  } else if (name == "--seed") {
    ok = number_from(value, std::uint64_t{0}, options.seed);
  } else if (name == "--strength") {
    ok = number_from(value, STYLE_STRENGTH_MIN, options.strength) && options.strength <= STYLE_STRENGTH_MAX;
  } else if (name == "--jobs") {
    ok = positive_number(value, options.jobs);
  } else if (name == "--styles") {
    return parse_styles(value, options.rows, error);
  } else if (name == "--out") {
    ok = !value.empty();
    options.out_dir = value;
  } else if (name == "--openings") {
    ok = !value.empty();
    options.openings_file = value;
  } else if (name == "--level") {
    ok = positive_number(value, options.level) && options.level >= STRENGTH_MIN_ELO &&
         options.level <= STRENGTH_MAX_ELO;
    if (!ok) error = "--level needs an Elo from " + std::to_string(STRENGTH_MIN_ELO) + " to " +
                     std::to_string(STRENGTH_MAX_ELO) + ", not \"" + value + "\"";
    return ok;
  } else if (name == "--shard") {
    const std::size_t slash = value.find('/');
    ok = slash != std::string::npos && positive_number(value.substr(0, slash), options.part) &&
         positive_number(value.substr(slash + 1), options.parts) && options.part <= options.parts;
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

}  // namespace

const char* row_name(const GauntletRow& row) { return row.tactics ? mode_name(row.style) : NO_TACTICS_NAME; }

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

bool parse_gauntlet_options(const std::vector<std::string>& words, GauntletOptions& options, std::string& error) {
  options = GauntletOptions{};
  options.jobs = std::max(1u, std::thread::hardware_concurrency());
  for (const StyleEntry& style : STYLES) options.rows.push_back({style.mode, true});
  options.rows.push_back({Balanced, false});
  if (std::find(words.begin(), words.end(), "--quick") != words.end()) {
    options.games = QUICK_GAMES;
    options.nodes = QUICK_NODES;
  }
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (std::find(std::begin(FLAG_NAMES), std::end(FLAG_NAMES), word) != std::end(FLAG_NAMES)) {
      options.per_side |= word == "--per-side";
      options.gate |= word == "--gate";
      options.book |= word == "--book";
      continue;
    }
    const std::size_t equals = word.find('=');
    std::string name = word.substr(0, equals), value;
    if (std::find(std::begin(OPTION_NAMES), std::end(OPTION_NAMES), name) == std::end(OPTION_NAMES)) {
      error = name.starts_with("--") ? "unknown option " + name : "unexpected word \"" + word + "\"";
      return false;
    }
    if (equals != std::string::npos) {
      value = word.substr(equals + 1);
    } else if (i + 1 < words.size()) {
      value = words[++i];
    } else {
      error = name + " needs a value";
      return false;
    }
    if (!apply_option(name, value, options, error)) return false;
  }
  if (options.book && (!options.openings_file.empty() || chess960)) {
    error = "--book plays from the start position: it takes no --openings and no Chess960";
    return false;
  }
  if (options.gate && options.parts > 1) {
    error = "--gate needs the whole run: check the joined parts with \"styles merge --gate\"";
    return false;
  }
  return true;
}
