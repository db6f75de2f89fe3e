#include "match/match_options.h"

#include <charconv>

const char* const MATCH_USAGE =
    "usage: brisvane_match --engine name=A cmd=PATH [arg=WORD]... [option.NAME=VALUE]...\n"
    "                      --engine name=B cmd=PATH ... [--tc BASE+INC] [--openings FILE.epd]\n"
    "                      [--rounds N] [--concurrency N] [--pgn FILE] [--results FILE] [--max-plies N]\n"
    "                      [--resign CP,MOVES|off] [--draw AFTER_MOVE,CP,MOVES|off] [--chess960] [--seed N]\n";

namespace {

bool parse_count(const std::string& text, int low, int& value) {
  const char* end = text.data() + text.size();
  const auto [stop, fault] = std::from_chars(text.data(), end, value);
  return fault == std::errc() && stop == end && value >= low;
}

// One key=value word of an --engine group.
bool read_engine_word(const std::string& word, EngineSetup& engine, std::string& error) {
  const std::size_t equals = word.find('=');
  if (equals == std::string::npos) {
    error = "engine setting without '=': " + word;
    return false;
  }
  const std::string key = word.substr(0, equals), value = word.substr(equals + 1);
  if (key == "name") {
    engine.name = value;
  } else if (key == "cmd") {
    engine.command = value;
  } else if (key == "arg") {
    engine.args.push_back(value);
  } else if (key.starts_with("option.") && key.size() > 7) {
    engine.options.emplace_back(key.substr(7), value);
  } else {
    error = "unknown engine setting: " + key;
    return false;
  }
  return true;
}

}  // namespace

bool parse_match_args(const std::vector<std::string>& args, MatchSettings& settings, std::string& error) {
  int engines = 0;
  int seed = 1;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word == "--engine") {
      if (engines == 2) {
        error = "more than two engines";
        return false;
      }
      EngineSetup& engine = settings.engines[engines++];
      while (i + 1 < args.size() && !args[i + 1].starts_with("--"))
        if (!read_engine_word(args[++i], engine, error)) return false;
      if (engine.command.empty()) {
        error = "an engine needs cmd=PATH";
        return false;
      }
      if (engine.name.empty()) engine.name = engine.command.substr(engine.command.find_last_of('/') + 1);
      continue;
    }
    if (word == "--chess960") {
      settings.chess960 = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = "missing value after " + word;
      return false;
    }
    const std::string& value = args[++i];
    bool ok = true;
    if (word == "--tc") ok = parse_time_control(value, settings.tc);
    else if (word == "--openings") settings.openings_path = value;
    else if (word == "--rounds") ok = parse_count(value, 1, settings.rounds);
    else if (word == "--concurrency") ok = parse_count(value, 1, settings.concurrency);
    else if (word == "--pgn") settings.pgn_path = value;
    else if (word == "--results") settings.results_path = value;
    else if (word == "--max-plies") ok = parse_count(value, 0, settings.max_plies);
    else if (word == "--resign") ok = read_resign_rule(value, settings.rules);
    else if (word == "--draw") ok = read_draw_rule(value, settings.rules);
    else if (word == "--seed") ok = parse_count(value, 0, seed);
    else {
      error = "unknown option " + word;
      return false;
    }
    if (!ok) {
      error = "bad value for " + word + ": " + value;
      return false;
    }
  }
  if (engines != 2) {
    error = "two engines are needed";
    return false;
  }
  if (settings.engines[0].name == settings.engines[1].name) settings.engines[1].name += "-2";
  settings.seed = static_cast<std::uint64_t>(seed);
  if (settings.chess960)
    for (EngineSetup& engine : settings.engines) engine.options.emplace_back("UCI_Chess960", "true");
  return true;
}
