#include "games/gauntlet_parts.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <limits>
#include <sstream>
#include <type_traits>
#include <variant>

#include "base/text.h"
#include "games/atomic_file.h"

namespace {

constexpr const char* SETTINGS_MARK = "# brisvane styles";

// The columns of games.csv after the game's number, the measured colour, its score and the ending:
// one table drives the column names, the writing and the reading.
struct GameColumn {
  const char* name;
  std::variant<int GameStats::*, long GameStats::*, bool GameStats::*> count;
  // Files written before the column existed lack it, and read 0 there (no book moves
  // in a run from before the books), so that recorded runs can be reported again.
  bool newer = false;
};
constexpr GameColumn GAME_COLUMNS[] = {
    {"plies", &GameStats::plies},
    {"moves", &GameStats::moves},
    {"book_moves", &GameStats::book_moves, true},
    {"checks", &GameStats::checks},
    {"captures", &GameStats::captures},
    {"pressure", &GameStats::pressure},
    {"wing_pawn_moves", &GameStats::wing_pawn_moves},
    {"passers_6th_7th", &GameStats::passers_advanced},
    {"baits", &GameStats::baits},
    {"sacrifices", &GameStats::sacrifices},
    {"tactical_picks", &GameStats::tactical_picks},
    {"pawn_ending", &GameStats::pawn_ending},
    {"major_ending", &GameStats::major_ending},
    {"minor_ending", &GameStats::minor_ending},
    {"depth_sum", &GameStats::depth_sum},
    {"stood_ahead", &GameStats::stood_ahead},
};
constexpr std::size_t LEADING_COLUMNS = 4;

// This program's heading, or with older the one written before the newer columns.
std::string column_names(bool older = false) {
  std::string names = "game,colour,score,end";
  for (const GameColumn& column : GAME_COLUMNS)
    if (!older || !column.newer) names += std::string(",") + column.name;
  return names;
}

// A count of a part file: a whole number, never negative (a flag: 0 or 1).
template <typename Number>
bool read_count(const std::string& text, Number& value) {
  if constexpr (std::is_same_v<Number, bool>) {
    int flag = 0;
    if (!read_whole_number(text, 0, 1, flag)) return false;
    value = flag != 0;
    return true;
  } else {
    return read_whole_number(text, Number{0}, std::numeric_limits<Number>::max(), value);
  }
}

std::string game_line(const PartGame& game) {
  const GameStats& g = game.stats;
  const char* score = g.score == 1 ? "1" : g.score == 0 ? "0" : "0.5";
  std::string line = std::to_string(game.job + 1) + "," + (game.colour == 0 ? "white" : "black") + "," + score +
                     "," + game_end_name(game.end);
  for (const GameColumn& column : GAME_COLUMNS)
    std::visit(
        [&](auto count) {
          line += ',';
          line += std::to_string(g.*count);
        },
        column.count);
  return line + "\n";
}

bool read_game_line(const std::string& line, bool older, PartGame& game) {
  const std::vector<std::string> cells = split_fields(line, ',');
  std::size_t at = LEADING_COLUMNS;
  for (const GameColumn& column : GAME_COLUMNS) at += older && column.newer ? 0 : 1;
  if (cells.size() != at) return false;
  GameStats& g = game.stats;
  if (!read_whole_number(cells[0], 1, std::numeric_limits<int>::max(), game.job)) return false;
  --game.job;
  if (cells[1] != "white" && cells[1] != "black") return false;
  game.colour = cells[1] == "white" ? 0 : 1;
  if (cells[2] != "1" && cells[2] != "0" && cells[2] != "0.5") return false;
  g.score = cells[2] == "1" ? 1.0 : cells[2] == "0" ? 0.0 : 0.5;
  if (!game_end_from_name(cells[3], game.end)) return false;
  at = LEADING_COLUMNS;
  for (const GameColumn& column : GAME_COLUMNS) {
    if (older && column.newer) continue;
    const std::string& cell = cells[at++];
    if (!std::visit([&](auto count) { return read_count(cell, g.*count); }, column.count)) return false;
  }
  return true;
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
    if (close == std::string::npos || !read_count(game.substr(digits, close - digits), number)) return false;
    if (!games.emplace(number - 1, std::move(game)).second) return false;
  }
  return true;
}

}  // namespace

std::string part_csv(const RunSettings& settings, const std::vector<PartGame>& games) {
  std::string text = SETTINGS_MARK;
  for (const auto& [name, value] : settings_fields(settings)) text += " " + name + "=" + value;
  text += '\n';
  text += column_names() + "\n";
  for (const PartGame& game : games) text += game_line(game);
  return text;
}

bool write_part(const std::string& folder, const RunSettings& settings, const std::vector<PartGame>& games,
                std::string& error) {
  std::string pgn;
  for (const PartGame& game : games) pgn += game.pgn;
  return write_file_atomically(folder + "/games.pgn", pgn, error) &&
         write_file_atomically(folder + "/games.csv", part_csv(settings, games), error);
}

bool read_part(const std::string& folder, RunSettings& settings, std::vector<PartGame>& games, std::string& error,
               PartPgn pgn_text) {
  const std::string csv_path = folder + "/games.csv", pgn_path = folder + "/games.pgn";
  const bool with_pgn = pgn_text == PartPgn::Read;
  std::string csv, pgn;
  if (!read_whole_file(csv_path, csv, error) || (with_pgn && !read_whole_file(pgn_path, pgn, error))) return false;
  std::istringstream lines(csv);
  std::string line;
  std::map<std::string, std::string> fields;
  if (std::getline(lines, line) && line.starts_with(SETTINGS_MARK)) {
    for (const std::string& word : split_fields(line.substr(std::string(SETTINGS_MARK).size()), ' ')) {
      const std::size_t equals = word.find('=');
      if (equals != std::string::npos) fields[word.substr(0, equals)] = word.substr(equals + 1);
    }
  }
  std::string bad;
  if (!settings_from_fields(fields, settings, bad)) {
    error = bad.empty() ? csv_path + " does not start with the settings line of a styles run"
                        : csv_path + ": the setting " + bad + " is out of its range";
    return false;
  }
  const bool heading = std::getline(lines, line) && (line == column_names() || line == column_names(true));
  const bool older = heading && line != column_names();
  if (!heading) {
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
    if (!read_game_line(line, older, game)) {
      error = csv_path + ", line " + std::to_string(number) + ": not a game line";
      return false;
    }
    if (with_pgn) {
      const auto text = pgn_games.find(game.job);
      if (text == pgn_games.end()) {
        error = pgn_path + " lacks game " + std::to_string(game.job + 1);
        return false;
      }
      game.pgn = std::move(text->second);
      pgn_games.erase(text);
    }
    games.push_back(std::move(game));
  }
  if (!pgn_games.empty()) {
    error = csv_path + " lacks game " + std::to_string(pgn_games.begin()->first + 1) + " of " + pgn_path;
    return false;
  }
  return true;
}

bool join_parts(const std::vector<std::string>& folders, RunSettings& settings, std::vector<PartGame>& games,
                std::string& error, PartPgn pgn) {
  if (folders.empty()) {
    error = "merge needs the folders of the parts";
    return false;
  }
  std::vector<std::string> part_folders;  // by part number, once read
  games.clear();
  for (const std::string& folder : folders) {
    RunSettings part;
    std::vector<PartGame> part_games;
    if (!read_part(folder, part, part_games, error, pgn)) return false;
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
  const std::int64_t total = std::int64_t{settings.games} * static_cast<std::int64_t>(settings.rows.size());
  for (int job = 0; job < total; ++job) {
    if (job >= static_cast<int>(games.size()) || games[job].job != job) {
      error = "game " + std::to_string(job + 1) + " of " + std::to_string(total) + " is in no part (" +
              part_folders[static_cast<std::size_t>(job % settings.parts)] + " lacks it)";
      return false;
    }
  }
  if (static_cast<std::int64_t>(games.size()) != total) {
    error = "the parts hold more games than the " + std::to_string(total) + " of their run";
    return false;
  }
  settings.part = settings.parts = 1;
  return true;
}

bool pool_runs(const std::vector<std::string>& folders, RunSettings& settings, std::vector<PartGame>& games,
               std::string& error) {
  std::vector<RunSettings> runs(folders.size());
  std::vector<std::vector<PartGame>> run_games(folders.size());
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (!join_parts({folders[i]}, runs[i], run_games[i], error, PartPgn::Skipped)) return false;
    const auto expected = settings_fields(runs.front()), found = settings_fields(runs[i]);
    bool same_games = true;
    for (std::size_t f = 0; f < expected.size(); ++f) {
      const std::string& name = expected[f].first;
      // Other positions, another order of them, another count or another build of the
      // same engine: the games still measure the same rows.
      if (name == "openings" || name == "seed") {
        same_games = same_games && expected[f].second == found[f].second;
        continue;
      }
      if (name == "games" || name == "build" || expected[f].second == found[f].second) continue;
      error = "the runs differ in " + name + ": " + expected[f].second + " in " + folders.front() + ", " +
              found[f].second + " in " + folders[i];
      return false;
    }
    // Counting the same games twice would narrow every interval for nothing.
    if (i > 0 && same_games) {
      error = folders.front() + " and " + folders[i] + " play the same openings in the same order";
      return false;
    }
  }
  settings = runs.front();
  settings.games = 0;
  for (const RunSettings& run : runs) settings.games += run.games;
  // Row by row, each run's block of games in turn: the report reads a row's games as one block.
  games.clear();
  for (std::size_t r = 0; r < settings.rows.size(); ++r)
    for (std::size_t i = 0; i < runs.size(); ++i) {
      const auto per_row = static_cast<std::size_t>(runs[i].games);
      for (std::size_t g = r * per_row; g < (r + 1) * per_row; ++g) {
        run_games[i][g].job = static_cast<int>(games.size());
        games.push_back(std::move(run_games[i][g]));
      }
    }
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
