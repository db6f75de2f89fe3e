#include "games/gauntlet.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/output.h"
#include "base/text.h"
#include "board/notation.h"
#include "games/atomic_file.h"
#include "games/fingerprint_report.h"
#include "games/gauntlet_options.h"
#include "games/gauntlet_parts.h"
#include "games/gauntlet_pool.h"
#include "games/opening_variety.h"
#include "games/pgn.h"
#include "games/recognition.h"
#include "games/run_fields.h"
#include "games/style_gate.h"
#include "style/tactical.h"

namespace {

constexpr int EXIT_BAD_INPUT = 2;
constexpr int EXIT_FAILED = 1;
constexpr int EXIT_GATE_FAILED = 3;

void report_fault(const std::string& message) { std::fprintf(stderr, "brisvane styles: %s\n", message.c_str()); }

// The opening list and a hash of its text, which a part's settings carry. With
// --chess960 and no file, the 960 start positions: the seed picks among them.
// With --book, the start position alone.
bool load_openings(const RunSettings& settings, std::vector<Opening>& openings, std::string& hash,
                   std::string& error) {
  // With books, every game starts from the start position and the books make them differ.
  if (settings.game.book) {
    openings = {{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0}};
    hash = "start-position";
    return true;
  }
  if (chess960 && settings.openings_file.empty()) {
    openings = chess960_openings();
    hash = "chess960";
    return true;
  }
  std::string text = BUNDLED_OPENINGS;
  std::string source = "the bundled openings";
  if (!settings.openings_file.empty()) {
    source = settings.openings_file;
    if (!read_whole_file(source, text, error)) return false;
  }
  hash = text_hash(text) + (chess960 ? "-960" : "");
  if (parse_openings(text, openings, error)) return true;
  error = source + ", " + error;
  return false;
}

// Makes the folder and proves that files can be written in it, before any game is played.
bool prepare_output_folder(const std::string& folder, std::string& error) {
  std::error_code fault;
  std::filesystem::create_directories(folder, fault);
  if (fault || !std::filesystem::is_directory(folder)) {
    error = "cannot use the output folder " + folder + (fault ? ": " + fault.message() : ": not a folder");
    return false;
  }
  const std::string probe = folder + "/.write-test";
  if (!write_file_atomically(probe, "", error)) {
    error = "cannot write in the output folder " + folder + " (" + error + ")";
    return false;
  }
  std::remove(probe.c_str());
  return true;
}

// Each pair of games shares an opening, the style playing White first, then Black.
// Every game has its own seed, drawn from the run's seed and its place in the list.
// The opponent is the baseline's row, the first, so that it plays itself at one strength.
std::vector<GameJob> make_jobs(const RunSettings& settings, const std::vector<int>& order) {
  std::vector<GameJob> jobs;
  for (const GauntletRow& row : settings.rows)
    for (int g = 0; g < settings.games; ++g) {
      const std::uint64_t seed = settings.seed * 0x9E3779B97F4A7C15ULL + jobs.size() + 1;
      jobs.push_back({row, g % 2, order[static_cast<std::size_t>(g / 2) % order.size()], seed == 0 ? 1 : seed,
                      settings.rows.front()});
    }
  return jobs;
}

// A terminal sees the count change in place; a log gets a line at every tenth.
void show_progress(int done, int total) {
  if (isatty(STDERR_FILENO)) {
    std::fprintf(stderr, "\rstyles: %d/%d games%s", done, total, done == total ? "\n" : "");
  } else if (done * 10 / total != (done - 1) * 10 / total) {
    std::fprintf(stderr, "styles: %d/%d games\n", done, total);
  }
}

double styled_score(const GameRecord& record, int styled_colour) {
  if (!decisive(record.end)) return 0.5;
  return record.final_side == styled_colour ? 0.0 : 1.0;
}

std::string player_name(const GauntletRow& row) {
  return row.tactics ? mode_name(row.style) : mode_name(row.style) + std::string(" (no tactics)");
}

std::string pgn_of_game(int round, const GameJob& job, const GameRecord& record, const Opening& opening) {
  PgnGame game;
  game.event = "Brisvane style gauntlet";
  game.round = std::to_string(round);
  const std::string baseline = player_name(job.opponent), styled = player_name(job.row);
  game.white = job.styled_colour == WHITE ? styled : baseline;
  game.black = job.styled_colour == WHITE ? baseline : styled;
  game.result = game_result(record.end, record.final_side);
  game.fen = opening.fen;
  game.extra_tags = start_position_tags(opening.fen);
  game.extra_tags.insert(game.extra_tags.end(), {{"Termination", termination_tag(record.end)},
                                                 {"PlyCount", std::to_string(record.plies.size())}});
  for (const PlayedMove& played : record.plies) game.moves.push_back(played.move);
  game.final_comment = game_end_comment(record.end, record.final_side);
  return pgn_text(game);
}


// The report's texts, from the settings and the measured games of the whole run.
struct RunReport {
  std::vector<StyleRow> rows;
  std::string table;
  Recognition recognition;
};

RunReport compose_report(const RunSettings& settings, const std::vector<PartGame>& games,
                         int block_games = RECOGNITION_BLOCK_GAMES) {
  RunReport report;
  std::vector<RecognitionRow> named;
  for (std::size_t r = 0; r < settings.rows.size(); ++r) {
    const auto first = games.begin() + static_cast<std::ptrdiff_t>(r * static_cast<std::size_t>(settings.games));
    std::vector<GameStats> stats;
    for (auto game = first; game != first + settings.games; ++game) stats.push_back(game->stats);
    const GauntletRow& row = settings.rows[r];
    report.rows.push_back({row_name(row), settings.game.tactics && row.tactics, row.strength, summarise(stats)});
    // NoTactics is a yardstick, not a style a player picks: it is not named.
    if (row.tactics || !settings.game.tactics) named.push_back({row_name(row), row.style, std::move(stats)});
  }
  report.recognition = recognise(named, block_games);
  int resigned = 0, drawn = 0, capped = 0;
  for (const PartGame& game : games) {
    resigned += game.end == GameEnd::Resigned;
    drawn += game.end == GameEnd::ScoreDraw;
    capped += game.end == GameEnd::LengthCap;
  }
  report.table = fingerprint_table(report.rows, settings.game, row_name(settings.baseline)) +
                 adjudication_summary(settings.game.rules, settings.game.max_plies, resigned, drawn, capped) +
                 recognition_text(report.recognition);
  return report;
}

// Prints the table and, when the settings ask, the gate's verdict; returns the exit status.
int print_report(const RunSettings& settings, const RunReport& report) {
  std::fwrite(report.table.data(), 1, report.table.size(), stdout);
  if (!settings.gate) return 0;
  const std::vector<StyleRow>& rows = report.rows;
  const std::string baseline = row_name(settings.baseline);
  const std::vector<PromiseCheck> checks = check_promises(rows, baseline);
  const CostTest costs = check_costs(rows, settings.game.max_plies, baseline);
  const std::string verdict = gate_report(checks) + cost_report(costs);
  std::fwrite(verdict.data(), 1, verdict.size(), stdout);
  return gate_passes(checks) && cost_passes(costs) ? 0 : EXIT_GATE_FAILED;
}

// Writes the report of a whole run in its output folder: the table, the fingerprint and
// recognition CSVs, the per-game CSV and the PGN, all from the settings and the measured
// games, so that joined parts give the same bytes as one run; then prints it.
int write_report(const RunSettings& settings, const std::vector<PartGame>& games) {
  const RunReport report = compose_report(settings, games);
  const std::string& folder = settings.out_dir;
  const std::string fingerprint = fingerprint_csv(report.rows, settings.game, row_name(settings.baseline));
  std::string error;
  if (!write_part(folder, settings, games, error) ||
      !write_file_atomically(folder + "/fingerprint.csv", fingerprint, error) ||
      !write_file_atomically(folder + "/recognition.csv", recognition_csv(report.recognition), error) ||
      !write_file_atomically(folder + "/table.txt", report.table, error)) {
    report_fault(error);
    return EXIT_FAILED;
  }
  return print_report(settings, report);
}

// With books: how many games of each row open as an earlier one did, and how many of
// its side's moves the book played, on screen and in variety.txt; from every game of the
// run in job order, with its moves.
bool write_variety(const RunSettings& settings, const std::vector<PartGame>& games,
                   const std::vector<std::vector<Move>>& lines) {
  std::string text = "\nOpening variety with books:\n";
  std::string book_text = "Book moves of each row's style, left out of Depth and the per-move columns:\n";
  const auto per_row = static_cast<std::size_t>(settings.games);
  for (std::size_t r = 0; r < settings.rows.size(); ++r) {
    const std::size_t first = r * per_row;
    long book_moves = 0, searched_moves = 0;
    for (std::size_t g = first; g < first + per_row; ++g) {
      book_moves += games[g].stats.book_moves;
      searched_moves += games[g].stats.moves;
    }
    const std::string name = row_name(settings.rows[r]);
    const auto begin = lines.begin() + static_cast<std::ptrdiff_t>(first);
    text += variety_line(name, repeated_openings({begin, begin + settings.games}), settings.games);
    book_text += book_moves_line(name, book_moves, searched_moves, settings.games);
  }
  text += book_text;
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::string error;
  if (write_file_atomically(settings.out_dir + "/variety.txt", text.substr(1), error)) return true;
  report_fault(error);
  return false;
}

// The moves of joined games, read back from their PGN. False with error naming the game.
bool moves_of_games(const std::vector<PartGame>& games, std::vector<std::vector<Move>>& lines, std::string& error) {
  for (const PartGame& game : games) {
    const std::vector<PgnReadGame> read = read_pgn_games(game.pgn);
    if (read.size() != 1 || !read[0].error.empty()) {
      error = "game " + std::to_string(game.job + 1) + " of the parts is not one game of legal moves" +
              (read.size() == 1 ? ": " + read[0].error : "");
      return false;
    }
    lines.push_back(read[0].game.moves);
  }
  return true;
}

// "styles merge [--out DIR] [--gate] PART_DIR...": the parts joined into one run's report.
int run_merge_command(const std::vector<std::string>& words) {
  RunSettings asked, settings;
  std::vector<std::string> parts;
  std::vector<PartGame> games;
  std::vector<std::vector<Move>> lines;
  std::string error;
  // Nothing is written unless every part is there and they all agree.
  if (!read_run_options(words, true, asked, parts, error) || !join_parts(parts, settings, games, error) ||
      (settings.game.book && !moves_of_games(games, lines, error)) || !prepare_output_folder(asked.out_dir, error)) {
    report_fault(error);
    return EXIT_BAD_INPUT;
  }
  settings.out_dir = asked.out_dir;
  settings.gate = asked.gate;
  const int status = write_report(settings, games);
  if (status == EXIT_FAILED || (settings.game.book && !write_variety(settings, games, lines))) return EXIT_FAILED;
  std::fflush(stdout);
  std::fprintf(stderr, "styles: %zu parts, %zu games, joined in %s\n", parts.size(), games.size(),
               settings.out_dir.c_str());
  return status;
}

// "styles report [--gate] [--block N] RUN_DIR...": a played run's report again from its
// games.csv, on the screen only. Nothing is replayed and the PGN is not needed: the recorded
// runs keep games.csv alone. Several runs of the same rows from other openings are pooled.
// --block names styles from blocks of N games instead of 20, to see how many games it takes.
int run_report_command(const std::vector<std::string>& words) {
  RunSettings settings;
  std::vector<std::string> folders;
  std::vector<PartGame> games;
  std::string error;
  bool gate = false;
  int block_games = RECOGNITION_BLOCK_GAMES;
  for (std::size_t i = 0; i < words.size() && error.empty(); ++i) {
    const std::string& word = words[i];
    if (word == "--gate") gate = true;
    else if (word == "--block") {
      if (i + 1 == words.size() || !read_whole_number(std::string_view(words[++i]), 1, RECOGNITION_BLOCK_MAX, block_games))
        error = "--block needs a count of games from 1 to " + std::to_string(RECOGNITION_BLOCK_MAX);
    } else if (word.starts_with("--")) error = "unknown option " + word + " of report";
    else folders.push_back(word);
  }
  if (error.empty() && folders.empty()) error = "report needs the folder of a run";
  if (!error.empty() || !pool_runs(folders, settings, games, error)) {
    report_fault(error);
    return EXIT_BAD_INPUT;
  }
  settings.gate = gate;
  return print_report(settings, compose_report(settings, games, block_games));
}

}  // namespace

int run_styles_command(const std::vector<std::string>& words) {
  if (std::find(words.begin(), words.end(), "--help") != words.end() ||
      std::find(words.begin(), words.end(), "-h") != words.end()) {
    const std::string usage = styles_usage();
    std::fwrite(usage.data(), 1, usage.size(), stdout);
    return 0;
  }
  if (!words.empty() && words.front() == "merge") return run_merge_command({words.begin() + 1, words.end()});
  if (!words.empty() && words.front() == "report") return run_report_command({words.begin() + 1, words.end()});
  if (words.size() == 1 && words.front() == "--list") {
    const std::string list = style_list();
    std::fwrite(list.data(), 1, list.size(), stdout);
    return 0;
  }
  RunSettings settings;
  std::vector<Opening> openings;
  std::string error;
  if (!parse_gauntlet_options(words, settings, error) || !load_openings(settings, openings, settings.openings, error) ||
      !prepare_output_folder(settings.out_dir, error)) {
    report_fault(error);
    return EXIT_BAD_INPUT;
  }
  settings.build = program_hash();

  const auto start = std::chrono::steady_clock::now();
  const std::vector<GameJob> all_jobs =
      make_jobs(settings, opening_order(static_cast<int>(openings.size()), settings.seed));
  std::vector<GameJob> jobs;
  std::vector<int> numbers;  // each played game's place in the whole list
  for (std::size_t i = 0; i < all_jobs.size(); ++i) {
    if (!in_part(static_cast<int>(i), settings.part, settings.parts)) continue;
    jobs.push_back(all_jobs[i]);
    numbers.push_back(static_cast<int>(i));
  }
  std::vector<GameRecord> records;
  // Nobody reads the searches' lines: each game keeps what it needs from the results.
  set_line_sink(drop_line);
  const bool played = play_jobs(jobs, openings, settings.game, settings.jobs, records, error, show_progress);
  set_line_sink(nullptr);
  if (!played) {
    report_fault(error);
    return EXIT_FAILED;
  }

  std::vector<PartGame> games;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    const GameJob& job = jobs[i];
    const std::string& fen = openings[job.opening].fen;
    const double score = styled_score(records[i], job.styled_colour);
    games.push_back({numbers[i], job.styled_colour, records[i].end,
                     measure_game(fen, records[i].plies, job.styled_colour, score),
                     pgn_of_game(numbers[i] + 1, job, records[i], openings[job.opening])});
  }
  int status = 0;
  if (settings.parts > 1) {
    // A part keeps its games for the merge; the report needs them all.
    if (!write_part(settings.out_dir, settings, games, error)) {
      report_fault(error);
      return EXIT_FAILED;
    }
  } else {
    status = write_report(settings, games);
    if (status == EXIT_FAILED) return status;
    if (settings.game.book) {
      std::vector<std::vector<Move>> lines;
      for (const GameRecord& record : records) {
        lines.emplace_back();
        for (const PlayedMove& played : record.plies) lines.back().push_back(played.move);
      }
      if (!write_variety(settings, games, lines)) return EXIT_FAILED;
    }
  }
  std::fflush(stdout);
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
  std::fprintf(stderr, "styles: %zu games%s in %lld s, written to %s\n", jobs.size(),
               settings.parts > 1
                   ? (" of part " + std::to_string(settings.part) + "/" + std::to_string(settings.parts)).c_str()
                   : "",
               static_cast<long long>(seconds.count()), settings.out_dir.c_str());
  return status;
}
