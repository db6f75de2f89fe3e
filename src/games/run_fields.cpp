#include "games/run_fields.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string_view>
#include <type_traits>
#include <variant>

#include "base/text.h"
#include "search/strength.h"
#include "style/search_mode.h"
#include "style/style_strength.h"
#include "style/tactical.h"

namespace {

// A value's home: a member of the run's settings or of its games' settings.
template <typename Settings, typename T>
auto& at(Settings& settings, T RunSettings::*member) {
  return settings.*member;
}
template <typename Settings, typename T>
auto& at(Settings& settings, T GameSettings::*member) {
  return settings.game.*member;
}

// As a high bound: the largest number the member holds.
constexpr std::int64_t LARGEST = -1;
// A 0 in the settings line stands for none of that limit.
constexpr bool ZERO_IS_NONE = true;

using NumberAt = std::variant<std::monostate, int RunSettings::*, std::uint64_t RunSettings::*, int GameSettings::*,
                              std::int64_t GameSettings::*>;

// A whole number from low to high. With zero_is_none a settings line may hold 0 too,
// which no option gives: no limit of that kind, full strength. The option sets clears
// to 0, as a move has one limit.
struct Number {
  NumberAt member;
  std::int64_t low = 1, high = LARGEST;
  bool zero_is_none = false;
  NumberAt clears = {};
  const char* noun = "a whole number";

  bool read_within(const std::string& text, RunSettings& s, std::int64_t from, std::int64_t to) const {
    return std::visit(
        [&](auto member_at) {
          if constexpr (std::is_same_v<decltype(member_at), std::monostate>) {
            return false;
          } else {
            auto& value = at(s, member_at);
            using Value = std::remove_reference_t<decltype(value)>;
            const Value top = to == LARGEST ? std::numeric_limits<Value>::max() : static_cast<Value>(to);
            return read_whole_number(text, static_cast<Value>(from), top, value);
          }
        },
        member);
  }
  bool take(const std::string& value, RunSettings& s, std::string&) const {
    if (!read_within(value, s, low, high)) return false;
    std::visit(
        [&](auto cleared) {
          if constexpr (!std::is_same_v<decltype(cleared), std::monostate>) at(s, cleared) = 0;
        },
        clears);
    return true;
  }
  bool read(const std::string& text, RunSettings& s) const {
    return (zero_is_none && read_within(text, s, 0, 0)) || read_within(text, s, low, high);
  }
  std::string write(const RunSettings& s) const {
    return std::visit(
        [&](auto member_at) {
          if constexpr (std::is_same_v<decltype(member_at), std::monostate>)
            return std::string();
          else
            return std::to_string(at(s, member_at));
        },
        member);
  }
  std::string wanted() const {
    if (high != LARGEST) return noun + std::string(" from ") + std::to_string(low) + " to " + std::to_string(high);
    return low == 0 ? noun : noun + std::string(" above ") + std::to_string(low - 1);
  }
  std::string note() const {
    return high == LARGEST ? "" : " (" + std::to_string(low) + " to " + std::to_string(high) + ")";
  }
};

// A flag: the option alone sets it; the settings line writes one of two words.
struct Flag {
  std::variant<bool RunSettings::*, bool GameSettings::*> member;
  const char* on = "on";
  const char* off = "off";

  bool take(const std::string&, RunSettings& s, std::string&) const {
    std::visit([&](auto member_at) { at(s, member_at) = true; }, member);
    return true;
  }
  bool read(const std::string& text, RunSettings& s) const {
    if (text != on && text != off) return false;
    std::visit([&](auto member_at) { at(s, member_at) = text == on; }, member);
    return true;
  }
  std::string write(const RunSettings& s) const {
    return std::visit([&](auto member_at) { return at(s, member_at) ? on : off; }, member);
  }
  std::string wanted() const { return "no value"; }
  std::string note() const { return ""; }
};

// Text as given: a path from the option, which may not be empty; a hash in the line.
struct Text {
  std::string RunSettings::*member;

  bool take(const std::string& value, RunSettings& s, std::string&) const {
    s.*member = value;
    return !value.empty();
  }
  bool read(const std::string& text, RunSettings& s) const {
    s.*member = text;
    return true;
  }
  std::string write(const RunSettings& s) const { return s.*member; }
  std::string wanted() const { return "a path"; }
  std::string note() const { return ""; }
};

// Any other value, by its own functions. take_value reads the option when it differs
// from the field (and may word its own error); wanted_text names what the option needs.
struct Custom {
  bool (*take_value)(const std::string& value, RunSettings& s, std::string& error) = nullptr;
  bool (*read_text)(const std::string& text, RunSettings& s) = nullptr;
  std::string (*write_text)(const RunSettings& s) = nullptr;
  std::string (*wanted_text)() = nullptr;

  bool take(const std::string& value, RunSettings& s, std::string& error) const {
    return take_value ? take_value(value, s, error) : read_text(value, s);
  }
  bool read(const std::string& text, RunSettings& s) const { return read_text(text, s); }
  std::string write(const RunSettings& s) const { return write_text ? write_text(s) : ""; }
  std::string wanted() const { return wanted_text ? wanted_text() : ""; }
  std::string note() const { return ""; }
};

using FieldValue = std::variant<Number, Flag, Text, Custom>;

// How a field's option behaves besides its value.
enum FieldTraits : unsigned {
  SHOWS_DEFAULT = 1,  // the usage text gives the default
  MERGE_TOO = 2,      // an option of "styles merge" as well
  APPLIES_FIRST = 4,  // before the other options, so that theirs win (--quick)
  AFTER_ROWS = 8,     // after the options that choose the rows (--baseline)
  APPLIES_LAST = 16,  // after the other options, over the rows they chose (--strength)
};

struct RunField {
  const char* field;   // its name in the settings line; nullptr: not recorded
  const char* option;  // nullptr: set by the engine's own options, or by the run itself
  const char* value;   // what the option takes, as the usage text names it; nullptr: a flag
  FieldValue kind;
  const char* help = nullptr;
  unsigned traits = 0;
  // What an older settings line without the field means; nullptr: every line has it.
  const char* absent = nullptr;
};

bool read_shard(const std::string& text, RunSettings& s) {
  constexpr int INT_LARGEST = std::numeric_limits<int>::max();
  const std::vector<std::string> numbers = split_fields(text, '/');
  return numbers.size() == 2 && read_whole_number(numbers[0], 1, INT_LARGEST, s.part) &&
         read_whole_number(numbers[1], s.part, INT_LARGEST, s.parts);
}
std::string shard_text(const RunSettings& s) { return std::to_string(s.part) + "/" + std::to_string(s.parts); }
std::string shard_wanted() { return "I/N, part I of N with 1 <= I <= N"; }

bool read_resign(const std::string& text, RunSettings& s) { return read_resign_rule(text, s.game.rules); }
std::string resign_text(const RunSettings& s) { return resign_rule_text(s.game.rules); }
std::string resign_wanted() {
  return "CP,MOVES (1 to " + std::to_string(RULE_CP_MAX) + " cp, 1 to " + std::to_string(RULE_MOVES_MAX) +
         " moves) or off";
}

bool read_draw(const std::string& text, RunSettings& s) { return read_draw_rule(text, s.game.rules); }
std::string draw_text(const RunSettings& s) { return draw_rule_text(s.game.rules); }
std::string draw_wanted() {
  return "AFTER_MOVE,CP,MOVES (0 to " + std::to_string(DRAW_AFTER_MOVE_MAX) + ", 0 to " +
         std::to_string(RULE_CP_MAX) + " cp, 1 to " + std::to_string(RULE_MOVES_MAX) + " moves) or off";
}

std::string joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ",") + item;
  return text;
}

// Every name a row may have, for the errors that refuse another.
std::string row_names() { return joined_style_names(", ") + ", " + row_name({Balanced, false}); }

// --styles: Balanced first, then each row named once, at its published strength.
bool take_styles(const std::string& list, RunSettings& s, std::string& error) {
  s.rows = {GauntletRow{}};
  std::istringstream in(list);
  for (std::string name; std::getline(in, name, ',');) {
    GauntletRow row;
    if (!row_from_name(name, row)) {
      error = "unknown style \"" + name + "\" (styles: " + row_names() + ")";
      return false;
    }
    if (!strength_named(row)) row.strength = row_strength(row.style, PUBLISHED_STRENGTH);
    if (std::find(s.rows.begin(), s.rows.end(), row) == s.rows.end()) s.rows.push_back(row);
  }
  return true;
}
bool read_rows(const std::string& text, RunSettings& s) {
  const std::vector<std::string> names = split_fields(text, ',');
  s.rows.assign(names.size(), GauntletRow{});
  for (std::size_t r = 0; r < names.size(); ++r)
    if (!row_from_name(names[r], s.rows[r])) return false;
  return !names.empty();
}
std::string rows_text(const RunSettings& s) {
  std::vector<std::string> names;
  for (const GauntletRow& row : s.rows) names.push_back(row_name(row));
  return joined(names);
}

bool take_strength(const std::string& value, RunSettings& s, std::string&) {
  int strength = 0;
  if (!read_whole_number(value, STYLE_STRENGTH_MIN, STYLE_STRENGTH_MAX, strength)) return false;
  for (GauntletRow& row : s.rows)
    if (!strength_named(row)) row.strength = row_strength(row.style, strength);
  return true;
}
// One for each row read before it.
bool read_strengths(const std::string& text, RunSettings& s) {
  const std::vector<std::string> items = split_fields(text, ',');
  if (items.size() != s.rows.size()) return false;
  for (std::size_t r = 0; r < items.size(); ++r)
    if (!read_whole_number(items[r], STYLE_STRENGTH_MIN, STYLE_STRENGTH_MAX, s.rows[r].strength)) return false;
  return true;
}
std::string strengths_text(const RunSettings& s) {
  std::vector<std::string> strengths;
  for (const GauntletRow& row : s.rows) strengths.push_back(std::to_string(row.strength));
  return joined(strengths);
}
std::string strength_wanted() {
  return "a whole number from " + std::to_string(STYLE_STRENGTH_MIN) + " to " + std::to_string(STYLE_STRENGTH_MAX);
}

// --baseline: its row first, at its published strength unless the run has it already;
// Balanced stays a row whatever the baseline.
bool take_baseline(const std::string& name, RunSettings& s, std::string& error) {
  if (!row_from_name(name, s.baseline)) {
    error = "--baseline needs a row name, not \"" + name + "\" (rows: " + row_names() + ")";
    return false;
  }
  GauntletRow first = s.baseline;
  if (!strength_named(first)) first.strength = row_strength(first.style, PUBLISHED_STRENGTH);
  const auto same = [&](const GauntletRow& row) {
    return row.style == first.style && row.tactics == first.tactics &&
           (first.style != Balanced || row.strength == first.strength);
  };
  if (const auto found = std::find_if(s.rows.begin(), s.rows.end(), same); found != s.rows.end()) {
    first = *found;
    s.rows.erase(found);
  }
  s.rows.insert(s.rows.begin(), first);
  return true;
}
bool read_baseline(const std::string& text, RunSettings& s) { return row_from_name(text, s.baseline); }
std::string baseline_text(const RunSettings& s) { return row_name(s.baseline); }

bool take_quick(const std::string&, RunSettings& s, std::string&) {
  s.games = QUICK_GAMES;
  s.game.nodes = QUICK_NODES;
  return true;
}

// The recorded fields in the order the settings line writes them, the part first;
// then the options that only say how this process plays the run.
constexpr RunField RUN_FIELDS[] = {
    {"part", "--shard", "I/N", Custom{nullptr, read_shard, shard_text, shard_wanted},
     "play only part I of N of the games, dealt out in turn, for \"styles merge\""},
    {"build", nullptr, nullptr, Text{&RunSettings::build}},
    {"openings", nullptr, nullptr, Text{&RunSettings::openings}},
    {"nodes", "--nodes", "N", Number{&GameSettings::nodes, 1, LARGEST, ZERO_IS_NONE, &GameSettings::movetime_ms},
     "the node budget per move", SHOWS_DEFAULT},
    {"movetime_ms", "--movetime", "MS",
     Number{&GameSettings::movetime_ms, 1, LARGEST, ZERO_IS_NONE, &GameSettings::nodes},
     "a fixed time per move instead (games then depend on the machine)"},
    {"max_plies", "--max-plies", "N", Number{&GameSettings::max_plies, 1, LARGEST, ZERO_IS_NONE},
     "a length cap for quick looks, adjudicated a draw (default: none)"},
    {"resign", "--resign", "CP,MOVES", Custom{nullptr, read_resign, resign_text, resign_wanted},
     "the side both engines see CP behind for MOVES moves of each loses; off: no resigning", SHOWS_DEFAULT},
    {"draw", "--draw", "AFTER_MOVE,CP,MOVES", Custom{nullptr, read_draw, draw_text, draw_wanted},
     "drawn when both engines score within CP of 0 for MOVES moves of each after move AFTER_MOVE; off: never",
     SHOWS_DEFAULT},
    {"seed", "--seed", "N", Number{&RunSettings::seed, 0}, "chooses and orders the openings", SHOWS_DEFAULT},
    {"games", "--games", "N", Number{&RunSettings::games}, "games per row, half with each colour", SHOWS_DEFAULT},
    // Written before the rows it reorders, so that parts against different baselines are
    // refused by the baseline's name.
    {"baseline", "--baseline", "ROW", Custom{take_baseline, read_baseline, baseline_text},
     "every row plays against this row, which heads the table, instead of Balanced", SHOWS_DEFAULT | AFTER_ROWS,
     "Balanced"},
    {"rows", "--styles", "A,B,...", Custom{take_styles, read_rows, rows_text},
     "the rows besides Balanced, any letter case; Balanced@N is Balanced at strength N (default: every style "
     "and NoTactics)"},
    // After the rows: one for each.
    {"strengths", "--strength", "N", Custom{take_strength, read_strengths, strengths_text, strength_wanted},
     "every style row at this StyleStrength instead of its published one", APPLIES_LAST},
    {"tactics", nullptr, nullptr, Flag{&GameSettings::tactics}},
    {"threshold", nullptr, nullptr, Number{&GameSettings::threshold, TACTIC_THRESHOLD_MIN, TACTIC_THRESHOLD_MAX}},
    {"setup", "--per-side", nullptr, Flag{&GameSettings::per_side, "per-side", "engines"},
     "one engine reading each side's style (default: each side its own engine)"},
    {"level", "--level", "ELO",
     Number{&GameSettings::level, STRENGTH_MIN_ELO, STRENGTH_MAX_ELO, ZERO_IS_NONE, {}, "an Elo"},
     "both sides at this UCI_Elo, as UCI_LimitStrength plays"},
    {"book", "--book", nullptr, Flag{&GameSettings::book},
     "from the start position, each side from its own style's book", 0, "off"},
    {nullptr, "--jobs", "N", Number{&RunSettings::jobs},
     "games played at once, in worker processes (default: one per core)"},
    {nullptr, "--out", "DIR", Text{&RunSettings::out_dir}, "the folder for the report's files",
     SHOWS_DEFAULT | MERGE_TOO},
    {nullptr, "--openings", "FILE", Text{&RunSettings::openings_file},
     "an EPD file of start positions instead of the bundled set"},
    {nullptr, "--quick", nullptr, Custom{take_quick}, "a look in a few seconds: 2 games a row at 5000 nodes a move",
     APPLIES_FIRST},
    {nullptr, "--gate", nullptr, Flag{&RunSettings::gate},
     "check each style's promise against Balanced and the baseline; exit status 3 when one fails", MERGE_TOO},
};

// The merge tells the part apart from the fields that every part shares.
static_assert(std::string_view(RUN_FIELDS[0].field) == "part");

std::string value_text(const RunField& field, const RunSettings& s) {
  return std::visit([&](const auto& kind) { return kind.write(s); }, field.kind);
}

bool read_field(const RunField& field, const std::string& text, RunSettings& s) {
  return std::visit([&](const auto& kind) { return kind.read(text, s); }, field.kind);
}

// The option with its value; false with error naming what it needs.
bool take_option(const RunField& field, const std::string& value, RunSettings& s, std::string& error) {
  error.clear();
  if (std::visit([&](const auto& kind) { return kind.take(value, s, error); }, field.kind)) return true;
  if (error.empty())
    error = std::string(field.option) + " needs " +
            std::visit([](const auto& kind) { return kind.wanted(); }, field.kind) + ", not \"" + value + "\"";
  return false;
}

const RunField* find_option(std::string_view name, bool merge) {
  for (const RunField& field : RUN_FIELDS)
    if (field.option && name == field.option && (!merge || (field.traits & MERGE_TOO))) return &field;
  return nullptr;
}

std::string option_with_value(const RunField& field) {
  return std::string(field.option) + (field.value ? std::string(" ") + field.value : "");
}

}  // namespace

bool read_run_options(const std::vector<std::string>& words, bool merge, RunSettings& settings,
                      std::vector<std::string>& folders, std::string& error) {
  struct Given {
    const RunField* field;
    std::string value;
  };
  std::vector<Given> given;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    const std::size_t equals = word.find('=');
    const std::string name = word.substr(0, equals);
    if (!name.starts_with("--")) {
      if (!merge) {
        error = "unexpected word \"" + word + "\"";
        return false;
      }
      folders.push_back(word);
      continue;
    }
    const RunField* field = find_option(name, merge);
    if (!field) {
      error = "unknown option " + name + (merge ? " of merge" : "");
      return false;
    }
    if (!field->value && equals != std::string::npos) {
      error = name + " takes no value";
      return false;
    }
    if (!field->value || equals != std::string::npos) {
      given.push_back({field, equals == std::string::npos ? "" : word.substr(equals + 1)});
    } else if (i + 1 < words.size()) {
      given.push_back({field, words[++i]});
    } else {
      error = name + " needs a value";
      return false;
    }
  }
  for (const unsigned pass : {unsigned{APPLIES_FIRST}, 0u, unsigned{AFTER_ROWS}, unsigned{APPLIES_LAST}})
    for (const Given& option : given)
      if ((option.field->traits & (APPLIES_FIRST | AFTER_ROWS | APPLIES_LAST)) == pass &&
          !take_option(*option.field, option.value, settings, error))
        return false;
  return true;
}

std::string styles_usage() {
  // As wide as the program's own usage text, the options' words in a column.
  constexpr std::size_t WIDTH = 100;
  std::size_t column = 0;
  std::string merge_options;
  for (const RunField& field : RUN_FIELDS) {
    if (!field.option) continue;
    column = std::max(column, option_with_value(field).size() + 4);
    if (field.traits & MERGE_TOO) merge_options += " [" + option_with_value(field) + "]";
  }
  std::string text = "usage: brisvane styles [OPTIONS]   every style plays whole games against Balanced or the baseline\n"
                     "       brisvane styles merge" + merge_options + " PART_DIR...   joins the parts of a run\n"
                     "       brisvane styles report [--gate] [--block N] RUN_DIR...   a run's report again from its\n"
                     "           games.csv; several runs of the same rows from other openings are pooled into one;\n"
                     "           --block names each style from blocks of N games (default 20)\n"
                     "       brisvane styles --list   a line per style: published strength, gate columns, costed, book\n"
                     "options (with a value also as --name=value):\n";
  const RunSettings defaults;
  for (const RunField& field : RUN_FIELDS) {
    if (!field.option) continue;
    std::string help = field.help;
    help += std::visit([](const auto& kind) { return kind.note(); }, field.kind);
    if (field.traits & SHOWS_DEFAULT) help += " (default " + value_text(field, defaults) + ")";
    std::string line = "  " + option_with_value(field);
    for (const std::string& word : split_fields(help, ' ')) {
      if (line.size() >= column && line.size() + 1 + word.size() > WIDTH) {
        text += line + "\n";
        line.clear();
      }
      line.resize(std::max(line.size() + 1, column), ' ');
      line += word;
    }
    text += line + "\n";
  }
  return text;
}

std::vector<std::pair<std::string, std::string>> settings_fields(const RunSettings& settings) {
  std::vector<std::pair<std::string, std::string>> fields;
  for (const RunField& field : RUN_FIELDS)
    if (field.field) fields.emplace_back(field.field, value_text(field, settings));
  return fields;
}

bool settings_from_fields(const std::map<std::string, std::string>& fields, RunSettings& settings,
                          std::string& bad) {
  bad.clear();
  for (const RunField& field : RUN_FIELDS)
    if (field.field && !field.absent && !fields.contains(field.field)) return false;
  for (const RunField& field : RUN_FIELDS) {
    if (!field.field) continue;
    const auto found = fields.find(field.field);
    const std::string text = found != fields.end() ? found->second : field.absent;
    if (read_field(field, text, settings)) continue;
    bad = std::string(field.field) + "=" + text;
    return false;
  }
  return true;
}
