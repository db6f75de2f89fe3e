#include "games/gauntlet_parts.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

#include "base/text.h"
#include "games/atomic_file.h"

namespace {

constexpr const char* SETTINGS_MARK = "# brisvane styles";
constexpr const char* GAME_COLUMNS =
    "game,colour,score,plies,moves,checks,captures,pressure,wing_pawn_moves,passers_6th_7th,baits,sacrifices,"
    "tactical_picks,pawn_ending,major_ending,minor_ending,depth_sum,stood_ahead";

// A count or setting of a part file: a whole number, never negative.
template <typename Number>
bool read_number(const std::string& text, Number& value) {
  std::int64_t read = 0;
  if (!read_whole_integer(text, read) || read < 0) return false;
  value = static_cast<Number>(read);
  return true;
}

std::string joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) {
    if (!text.empty()) text += ',';
    text += item;
  }
  return text;
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> items;
  std::istringstream in(text);
  for (std::string item; std::getline(in, item, separator);) items.push_back(item);
  return items;
}

// The settings from the fields of a settings line; false when one is missing or bad.
bool settings_from_fields(const std::map<std::string, std::string>& fields, RunSettings& s) {
  auto field = [&](const char* name) -> const std::string* {
    const auto at = fields.find(name);
    return at == fields.end() ? nullptr : &at->second;
  };
  for (const char* name : {"part", "build", "openings", "nodes", "movetime_ms", "max_plies", "seed", "games", "rows",
                           "strengths", "tactics", "threshold", "setup", "level"})
    if (field(name) == nullptr) return false;
  const std::vector<std::string> part = split(*field("part"), '/');
  s.build = *field("build");
  s.openings = *field("openings");
  s.rows = split(*field("rows"), ',');
  s.strengths.clear();
  for (const std::string& strength : split(*field("strengths"), ',')) {
    s.strengths.push_back(0);
    if (!read_number(strength, s.strengths.back())) return false;
  }
  s.tactics = *field("tactics") == "on";
  s.per_side = *field("setup") == "per-side";
  return part.size() == 2 && read_number(part[0], s.part) && read_number(part[1], s.parts) && s.part >= 1 &&
         s.part <= s.parts && read_number(*field("nodes"), s.nodes) &&
         read_number(*field("movetime_ms"), s.movetime_ms) && read_number(*field("max_plies"), s.max_plies) &&
         read_number(*field("seed"), s.seed) && read_number(*field("games"), s.games) && s.games > 0 &&
         !s.rows.empty() && s.strengths.size() == s.rows.size() && read_number(*field("threshold"), s.threshold) &&
         read_number(*field("level"), s.level);
}

std::string game_line(const PartGame& game) {
  const GameStats& g = game.stats;
  const char* score = g.score == 1 ? "1" : g.score == 0 ? "0" : "0.5";
  std::string line = std::to_string(game.job + 1) + "," + (game.colour == 0 ? "white" : "black") + "," + score;
  for (long long count : {static_cast<long long>(g.plies), static_cast<long long>(g.moves),
                          static_cast<long long>(g.checks), static_cast<long long>(g.captures),
                          static_cast<long long>(g.pressure), static_cast<long long>(g.wing_pawn_moves),
                          static_cast<long long>(g.passers_advanced), static_cast<long long>(g.baits),
                          static_cast<long long>(g.sacrifices), static_cast<long long>(g.tactical_picks),
                          static_cast<long long>(g.pawn_ending), static_cast<long long>(g.major_ending),
                          static_cast<long long>(g.minor_ending), static_cast<long long>(g.depth_sum),
                          static_cast<long long>(g.stood_ahead)})
  {
    line += ',';
    line += std::to_string(count);
  }
  return line + "\n";
}

bool read_game_line(const std::string& line, PartGame& game) {
  const std::vector<std::string> cells = split(line, ',');
  if (cells.size() != 18) return false;
  GameStats& g = game.stats;
  if (!read_number(cells[0], game.job) || game.job < 1) return false;
  --game.job;
  if (cells[1] != "white" && cells[1] != "black") return false;
  game.colour = cells[1] == "white" ? 0 : 1;
  if (cells[2] != "1" && cells[2] != "0" && cells[2] != "0.5") return false;
  g.score = cells[2] == "1" ? 1.0 : cells[2] == "0" ? 0.0 : 0.5;
  int flags[4] = {};
  const bool counted = read_number(cells[3], g.plies) && read_number(cells[4], g.moves) &&
                       read_number(cells[5], g.checks) && read_number(cells[6], g.captures) &&
                       read_number(cells[7], g.pressure) && read_number(cells[8], g.wing_pawn_moves) &&
                       read_number(cells[9], g.passers_advanced) && read_number(cells[10], g.baits) &&
                       read_number(cells[11], g.sacrifices) && read_number(cells[12], g.tactical_picks) &&
                       read_number(cells[13], flags[0]) && read_number(cells[14], flags[1]) &&
                       read_number(cells[15], flags[2]) && read_number(cells[16], g.depth_sum) &&
                       read_number(cells[17], flags[3]);
  g.pawn_ending = flags[0] != 0;
  g.major_ending = flags[1] != 0;
  g.minor_ending = flags[2] != 0;
  g.stood_ahead = flags[3] != 0;
  return counted;
}

// The games of a PGN text, each from its "[Event" tag to the next, keyed by the Round tag.
bool split_pgn(const std::string& pgn, std::map<int, std::string>& games) {
  std::vector<std::size_t> starts;
  for (std::size_t at = 0; (at = pgn.find("[Event \"", at)) != std::string::npos; ++at)
    if (at == 0 || pgn[at - 1] == '\n') starts.push_back(at);
  if (starts.empty() ? !pgn.empty() : starts.front() != 0) return false;
  for (std::size_t i = 0; i < starts.size(); ++i) {
    const std::size_t end = i + 1 < starts.size() ? starts[i + 1] : pgn.size();
    std::string game = pgn.substr(starts[i], end - starts[i]);
    const std::size_t round = game.find("\n[Round \"");
    int number = 0;
    if (round == std::string::npos) return false;
    const std::size_t digits = round + 9, close = game.find('"', digits);
    if (close == std::string::npos || !read_number(game.substr(digits, close - digits), number)) return false;
    if (!games.emplace(number - 1, std::move(game)).second) return false;
  }
  return true;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> settings_fields(const RunSettings& s) {
  std::vector<std::string> strengths;
  for (int strength : s.strengths) strengths.push_back(std::to_string(strength));
  return {{"part", std::to_string(s.part) + "/" + std::to_string(s.parts)},
          {"build", s.build},
          {"openings", s.openings},
          {"nodes", std::to_string(s.nodes)},
          {"movetime_ms", std::to_string(s.movetime_ms)},
          {"max_plies", std::to_string(s.max_plies)},
          {"seed", std::to_string(s.seed)},
          {"games", std::to_string(s.games)},
          {"rows", joined(s.rows)},
          {"strengths", joined(strengths)},
          {"tactics", s.tactics ? "on" : "off"},
          {"threshold", std::to_string(s.threshold)},
          {"setup", s.per_side ? "per-side" : "engines"},
          {"level", std::to_string(s.level)}};
}

std::string part_csv(const RunSettings& settings, const std::vector<PartGame>& games) {
  std::string text = SETTINGS_MARK;
  for (const auto& [name, value] : settings_fields(settings)) text += " " + name + "=" + value;
  text += "\n" + std::string(GAME_COLUMNS) + "\n";
  for (const PartGame& game : games) text += game_line(game);
  return text;
}

bool read_part(const std::string& folder, RunSettings& settings, std::vector<PartGame>& games, std::string& error) {
  const std::string csv_path = folder + "/games.csv", pgn_path = folder + "/games.pgn";
  std::string csv, pgn;
  if (!read_whole_file(csv_path, csv, error) || !read_whole_file(pgn_path, pgn, error)) return false;
  std::istringstream lines(csv);
  std::string line;
  std::map<std::string, std::string> fields;
  if (std::getline(lines, line) && line.starts_with(SETTINGS_MARK)) {
    for (const std::string& word : split(line.substr(std::string(SETTINGS_MARK).size()), ' ')) {
      const std::size_t equals = word.find('=');
      if (equals != std::string::npos) fields[word.substr(0, equals)] = word.substr(equals + 1);
    }
  }
  if (!settings_from_fields(fields, settings)) {
    error = csv_path + " does not start with the settings line of a styles run";
    return false;
  }
  if (!std::getline(lines, line) || line != GAME_COLUMNS) {
    error = csv_path + ": the column names are not those of this program's game list";
    return false;
  }
  std::map<int, std::string> pgn_games;
  if (!split_pgn(pgn, pgn_games)) {
    error = pgn_path + " is not a list of this program's games";
    return false;
  }
  games.clear();
  for (int number = 3; std::getline(lines, line); ++number) {
    PartGame game;
    if (!read_game_line(line, game)) {
      error = csv_path + ", line " + std::to_string(number) + ": not a game line";
      return false;
    }
    const auto text = pgn_games.find(game.job);
    if (text == pgn_games.end()) {
      error = pgn_path + " lacks game " + std::to_string(game.job + 1);
      return false;
    }
    game.pgn = std::move(text->second);
    pgn_games.erase(text);
    games.push_back(std::move(game));
  }
  if (!pgn_games.empty()) {
    error = csv_path + " lacks game " + std::to_string(pgn_games.begin()->first + 1) + " of " + pgn_path;
    return false;
  }
  return true;
}

bool join_parts(const std::vector<std::string>& folders, RunSettings& settings, std::vector<PartGame>& games,
                std::string& error) {
  if (folders.empty()) {
    error = "merge needs the folders of the parts";
    return false;
  }
  std::vector<std::string> part_folders;  // by part number, once read
  games.clear();
  for (const std::string& folder : folders) {
    RunSettings part;
    std::vector<PartGame> part_games;
    if (!read_part(folder, part, part_games, error)) return false;
    if (part_folders.empty()) {
      settings = part;
      part_folders.assign(static_cast<std::size_t>(part.parts), "");
    }
    const auto expected = settings_fields(settings), found = settings_fields(part);
    for (std::size_t f = 0; f < expected.size(); ++f) {
      const std::string& name = expected[f].first;
      if (name == "part") {
        if (part.parts == settings.parts) continue;
        error = "the parts differ in their number of parts: " + expected[f].second + " in " + folders.front() +
                ", " + found[f].second + " in " + folder;
        return false;
      }
      if (expected[f].second == found[f].second) continue;
      error = "the parts differ in " + name + ": " + expected[f].second + " in " + folders.front() + ", " +
              found[f].second + " in " + folder;
      return false;
    }
    std::string& seen = part_folders[static_cast<std::size_t>(part.part - 1)];
    if (!seen.empty()) {
      error = "part " + std::to_string(part.part) + "/" + std::to_string(part.parts) + " is given twice: " + seen +
              " and " + folder;
      return false;
    }
    seen = folder;
    for (PartGame& game : part_games) {
      if (!in_part(game.job, part.part, part.parts)) {
        error = folder + ": game " + std::to_string(game.job + 1) + " is not one of part " +
                std::to_string(part.part) + "/" + std::to_string(part.parts);
        return false;
      }
      games.push_back(std::move(game));
    }
  }
  for (std::size_t p = 0; p < part_folders.size(); ++p) {
    if (part_folders[p].empty()) {
      error = "part " + std::to_string(p + 1) + "/" + std::to_string(settings.parts) + " is missing";
      return false;
    }
  }
  std::sort(games.begin(), games.end(), [](const PartGame& a, const PartGame& b) { return a.job < b.job; });
  const int total = settings.games * static_cast<int>(settings.rows.size());
  for (int job = 0; job < total; ++job) {
    if (job >= static_cast<int>(games.size()) || games[job].job != job) {
      error = "game " + std::to_string(job + 1) + " of " + std::to_string(total) + " is in no part (" +
              part_folders[static_cast<std::size_t>(job % settings.parts)] + " lacks it)";
      return false;
    }
  }
  if (static_cast<int>(games.size()) != total) {
    error = "the parts hold more games than the " + std::to_string(total) + " of their run";
    return false;
  }
  settings.part = settings.parts = 1;
  return true;
}

std::string text_hash(const std::string& text) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (unsigned char c : text) hash = (hash ^ c) * 0x100000001b3ULL;
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
  return digits;
}

std::string program_hash() {
  std::string program, error;
  return read_whole_file("/proc/self/exe", program, error) ? text_hash(program) : "unknown";
}
