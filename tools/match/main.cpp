// Plays a match between two UCI engines under real clocks, as the playing-strength
// levels are calibrated:
//
//   build/brisvane_match --engine name=A cmd=./build/brisvane option.Threads=1
//                        --engine name=B cmd=/usr/games/stockfish option.UCI_LimitStrength=true
//                        option.UCI_Elo=1400 --tc 10+0.1 --rounds 20 --concurrency 2 --pgn out.pgn

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "match/match.h"
#include "match/match_options.h"
#include "search/startup.h"

int main(int argc, char** argv) {
  init_tables();
  MatchSettings settings;
  std::string error;
  if (!parse_match_args(std::vector<std::string>(argv + 1, argv + argc), settings, error)) {
    std::fprintf(stderr, "brisvane_match: %s\n%s", error.c_str(), MATCH_USAGE);
    return 2;
  }
  MatchScore score;
  const bool ok = run_match(settings, score, error);
  const std::string& name = settings.engines[0].name;
  const std::string& opponent = settings.engines[1].name;
  std::printf("%s", summary_text(name, opponent, score).c_str());
  // A match cut short by an engine fault leaves no line in the table.
  if (ok && !settings.results_path.empty()) {
    std::ofstream out(settings.results_path, std::ios::app);
    out << results_line(name, opponent, score) << "\n";
    if (!out) std::fprintf(stderr, "brisvane_match: cannot write %s\n", settings.results_path.c_str());
  }
  if (!ok) {
    std::fprintf(stderr, "brisvane_match: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
