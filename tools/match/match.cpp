#include "match/match.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include "board/notation.h"
#include "games/pgn.h"
#include "match/referee.h"
#include "match/uci_engine.h"

namespace {

// What the game threads share; every field is guarded by the mutex but the counter.
struct MatchState {
  const MatchSettings* settings;
  const std::vector<Opening>* openings;
  int games = 0;
  std::atomic<int> next_game{0};
  std::mutex mutex;
  MatchScore score;
  std::ofstream pgn;
  std::string error;
};

// Starts both players for a game, again after a crash; false when one cannot be.
bool prepare_players(UciPlayer players[2], std::string& error) {
  for (int i = 0; i < 2; ++i) {
    for (int attempt = 0;; ++attempt) {
      if (!ensure_started(players[i], error)) return false;
      if (start_new_game(players[i])) break;
      stop_player(players[i]);
      if (attempt == 1) {
        error = players[i].setup.name + " does not answer ucinewgame";
        return false;
      }
    }
  }
  return true;
}

void record_game(MatchState& state, int number, const PgnGame& pgn, const std::string& pgn_record,
                 const GameOutcome& outcome, int first_colour) {
  std::lock_guard lock(state.mutex);
  std::printf("Game %d: %s - %s: %s (%s), %d plies\n", number, pgn.white.c_str(), pgn.black.c_str(),
              outcome.result.c_str(), outcome.reason.c_str(), static_cast<int>(pgn.moves.size()));
  std::fflush(stdout);
  if (outcome.result == "1/2-1/2") ++state.score.draws;
  else if ((outcome.result == "1-0") == (first_colour == WHITE)) ++state.score.wins;
  else ++state.score.losses;
  if (state.pgn.is_open()) state.pgn << pgn_record << std::flush;
}

// A game thread: its own pair of engine processes and its own position.
void play_games(MatchState& state) {
  const MatchSettings& settings = *state.settings;
  UciPlayer players[2] = {{settings.engines[0], nullptr}, {settings.engines[1], nullptr}};
  RefereeGame game;
  for (int index; (index = state.next_game.fetch_add(1)) < state.games;) {
    std::string error;
    if (!prepare_players(players, error)) {
      std::lock_guard lock(state.mutex);
      if (state.error.empty()) state.error = error;
      state.next_game = state.games;  // the other threads stop after their game
      break;
    }
    const int round = index / 2;
    const Opening& opening = (*state.openings)[round % state.openings->size()];
    // The first engine has White in the first game of each round.
    const int first_colour = index % 2 == 0 ? WHITE : BLACK;
    UciPlayer& white = players[first_colour == WHITE ? 0 : 1];
    UciPlayer& black = players[first_colour == WHITE ? 1 : 0];
    const GameOutcome outcome = play_game(game, opening, white, black, settings.tc, settings.max_plies, settings.rules);

    PgnGame pgn;
    pgn.event = "brisvane_match";
    pgn.round = std::to_string(round + 1);
    pgn.white = white.setup.name;
    pgn.black = black.setup.name;
    pgn.result = outcome.result;
    pgn.fen = game.start_fen;
    for (const PlayedMove& played : game.plies) pgn.moves.push_back(played.move);
    pgn.final_comment = outcome.reason;
    pgn.extra_tags = start_position_tags(game.start_fen);
    pgn.extra_tags.insert(pgn.extra_tags.end(), {{"TimeControl", time_control_text(settings.tc)},
                                                 {"Termination", outcome.termination},
                                                 {"PlyCount", std::to_string(game.plies.size())}});
    // pgn_text replays the moves on this thread's own position, outside the lock.
    record_game(state, index + 1, pgn, pgn_text(pgn), outcome, first_colour);
  }
  stop_player(players[0]);
  stop_player(players[1]);
}

}  // namespace

bool load_match_openings(const MatchSettings& settings, std::vector<Opening>& openings, std::string& error) {
  // Chess960 without a file: the start positions, in an order drawn from the seed.
  if (settings.chess960 && settings.openings_path.empty()) {
    const std::vector<Opening> all = chess960_openings();
    for (int number : opening_order(static_cast<int>(all.size()), settings.seed)) openings.push_back(all[number]);
    return true;
  }
  std::string text = BUNDLED_OPENINGS;
  if (!settings.openings_path.empty()) {
    std::ifstream in(settings.openings_path);
    if (!in) {
      error = "cannot read " + settings.openings_path;
      return false;
    }
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
  }
  if (parse_openings(text, openings, error)) return true;
  error = (settings.openings_path.empty() ? "bundled openings" : settings.openings_path) + ": " + error;
  return false;
}

bool run_match(const MatchSettings& settings, MatchScore& result, std::string& error) {
  // The referee reads and writes castling as the engines were told to (parse_match_args).
  chess960 = settings.chess960;
  std::vector<Opening> openings;
  if (!load_match_openings(settings, openings, error)) return false;
  MatchState state;
  state.settings = &settings;
  state.openings = &openings;
  const int rounds = settings.rounds > 0 ? settings.rounds : static_cast<int>(openings.size());
  state.games = 2 * rounds;
  if (!settings.pgn_path.empty()) {
    state.pgn.open(settings.pgn_path, std::ios::app);
    if (!state.pgn) {
      error = "cannot write " + settings.pgn_path;
      return false;
    }
  }
  std::vector<std::thread> threads;
  const int count = std::min(settings.concurrency, state.games);
  for (int i = 0; i < count; ++i) threads.emplace_back(play_games, std::ref(state));
  for (std::thread& t : threads) t.join();
  result = state.score;
  error = state.error;
  return error.empty();
}

std::string summary_text(const std::string& name, const std::string& opponent, const MatchScore& result) {
  const EloEstimate elo = estimate_elo(result);
  char text[512];
  std::snprintf(text, sizeof text,
                "%s vs %s: %d games, +%d =%d -%d, score %.1f%%\n"
                "Elo difference: %s (95%% interval %s to %s)\n",
                name.c_str(), opponent.c_str(), result.games(), result.wins, result.draws, result.losses,
                100.0 * result.score(), elo_text(elo.elo).c_str(), elo_text(elo.low).c_str(),
                elo_text(elo.high).c_str());
  return text;
}

std::string results_line(const std::string& name, const std::string& opponent, const MatchScore& result) {
  const EloEstimate elo = estimate_elo(result);
  return name + "," + opponent + "," + std::to_string(result.games()) + "," + std::to_string(result.wins) + "," +
         std::to_string(result.draws) + "," + std::to_string(result.losses) + "," + elo_text(elo.elo) + "," +
         elo_text(elo.low) + "," + elo_text(elo.high);
}
