#include "games/gauntlet.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "board/notation.h"
#include "games/atomic_file.h"
#include "games/fingerprint_report.h"
#include "games/gauntlet_options.h"
#include "games/gauntlet_pool.h"
#include "games/pgn.h"
#include "style/tactical.h"

namespace {

constexpr int EXIT_BAD_INPUT = 2;
constexpr int EXIT_FAILED = 1;

void report_fault(const std::string& message) { std::fprintf(stderr, "brisvane styles: %s\n", message.c_str()); }

// With --chess960 and no file, the 960 start positions: the seed picks among them.
bool load_openings(const GauntletOptions& options, std::vector<Opening>& openings, std::string& error) {
  if (chess960 && options.openings_file.empty()) {
    openings = chess960_openings();
    return true;
  }
  std::string text = BUNDLED_OPENINGS;
  std::string source = "the bundled openings";
  if (!options.openings_file.empty()) {
    source = options.openings_file;
    std::ifstream file(source, std::ios::binary);
    if (!file) {
      error = "cannot read " + source + ": " + std::strerror(errno);
      return false;
    }
    std::ostringstream content;
    content << file.rdbuf();
    text = content.str();
  }
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
std::vector<GameJob> make_jobs(const GauntletOptions& options, const std::vector<int>& order) {
  std::vector<GameJob> jobs;
  for (const GauntletRow& row : options.rows)
    for (int g = 0; g < options.games; ++g)
      jobs.push_back({row, g % 2, order[static_cast<std::size_t>(g / 2) % order.size()]});
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
  if (record.end != GameEnd::Checkmate) return 0.5;
  return record.final_side == styled_colour ? 0.0 : 1.0;
}

std::string pgn_of_game(int round, const GameJob& job, const GameRecord& record, const Opening& opening) {
  PgnGame game;
  game.event = "Brisvane style gauntlet";
  game.round = std::to_string(round);
  const std::string baseline = mode_name(Balanced);
  const std::string styled = job.row.tactics ? mode_name(job.row.style) : baseline + " (no tactics)";
  game.white = job.styled_colour == WHITE ? styled : baseline;
  game.black = job.styled_colour == WHITE ? baseline : styled;
  game.result = game_result(record.end, record.final_side);
  game.fen = opening.fen;
  const bool by_rule = record.end != GameEnd::LengthCap;
  game.extra_tags = start_position_tags(opening.fen);
  game.extra_tags.insert(game.extra_tags.end(), {{"Termination", by_rule ? "normal" : "adjudication"},
                                                 {"PlyCount", std::to_string(record.plies.size())}});
  for (const PlayedMove& played : record.plies) game.moves.push_back(played.move);
  game.final_comment = game_end_name(record.end);
  return pgn_text(game);
}

}  // namespace

int run_styles_command(const std::vector<std::string>& words) {
  GauntletOptions options;
  std::vector<Opening> openings;
  std::string error;
  if (!parse_gauntlet_options(words, options, error) || !load_openings(options, openings, error) ||
      !prepare_output_folder(options.out_dir, error)) {
    report_fault(error);
    return EXIT_BAD_INPUT;
  }
  // With the selection off for everyone, the row without it is the baseline again.
  if (!tactical_move_selection) std::erase(options.rows, GauntletRow{Balanced, false});

  const auto start = std::chrono::steady_clock::now();
  const std::vector<GameJob> jobs = make_jobs(options, opening_order(static_cast<int>(openings.size()), options.seed));
  const GameSettings settings{options.nodes, options.movetime_ms, options.max_plies};
  std::vector<GameRecord> records;
  install_move_observer();
  const bool played = play_jobs(jobs, openings, settings, options.jobs, records, error, show_progress);
  remove_move_observer();
  if (!played) {
    report_fault(error);
    return EXIT_FAILED;
  }

  std::vector<std::vector<GameStats>> stats(options.rows.size());
  std::string pgn;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    const GameJob& job = jobs[i];
    const std::size_t row = i / static_cast<std::size_t>(options.games);
    const std::string& fen = openings[job.opening].fen;
    stats[row].push_back(
        measure_game(fen, records[i].plies, job.styled_colour, styled_score(records[i], job.styled_colour)));
    pgn += pgn_of_game(static_cast<int>(i + 1), job, records[i], openings[job.opening]);
  }
  std::vector<StyleRow> rows;
  for (std::size_t row = 0; row < options.rows.size(); ++row) {
    const GauntletRow& asked = options.rows[row];
    rows.push_back({row_name(asked), asked.tactics && tactical_move_selection, summarise(stats[row])});
  }

  const RunDescription run{options.nodes, options.movetime_ms, tactical_move_selection, tactic_threshold_cp};
  const std::string table = fingerprint_table(rows, run);
  const std::string& folder = options.out_dir;
  if (!write_file_atomically(folder + "/games.pgn", pgn, error) ||
      !write_file_atomically(folder + "/fingerprint.csv", fingerprint_csv(rows, run), error) ||
      !write_file_atomically(folder + "/table.txt", table, error)) {
    report_fault(error);
    return EXIT_FAILED;
  }
  std::fwrite(table.data(), 1, table.size(), stdout);
  std::fflush(stdout);
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
  std::fprintf(stderr, "styles: %zu games in %lld s, written to %s\n", jobs.size(),
               static_cast<long long>(seconds.count()), folder.c_str());
  return 0;
}
