#pragma once
// Complete games of the engine against itself: two engine processes over UCI with
// clocks, every move checked with the engine's own move generator in this process.

#include <algorithm>
#include <chrono>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "board/attacks.h"
#include "board/legal.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "frontend/go.h"
#include "search/startup.h"
#include "support/engine_process.h"

struct GameConfig {
  std::string white_mode;
  std::string black_mode;
  int base_ms = 1000;
  int increment_ms = 10;
  int max_plies = 160;
};

struct GameResult {
  int plies = 0;
  std::string ending;             // "checkmate", "stalemate", "repetition", "bare kings", "move limit"
  std::vector<std::string> faults;  // illegal moves, stalls, crashes
  // Moves after which the mover's clock was below zero. Counted, not a fault: the
  // clock charges wall time, and on a busy machine a move takes longer than the
  // search did. The game goes on with that clock at zero.
  int flag_falls = 0;
  int worst_overshoot_ms = 0;     // largest time taken beyond the move's budget
  int longest_move_ms = 0;
};

inline bool only_kings_left() {
  for (int code = 0; code < 12; ++code) {
    if (code != K && code != k && bitboards[code]) return false;
  }
  return true;
}

inline GameResult play_self_play_game(const GameConfig& config) {
  init_tables();
  GameResult result;
  EngineProcess white_engine;
  EngineProcess black_engine;
  EngineProcess* engines[2] = {&white_engine, &black_engine};
  for (EngineProcess* engine : engines) {
    engine->send("setoption name WhiteSearchMode value " + config.white_mode);
    engine->send("setoption name BlackSearchMode value " + config.black_mode);
    engine->send("ucinewgame");
    engine->send("isready");
    if (!engine->read_until("readyok").found) result.faults.push_back("no readyok at start");
  }
  if (!result.faults.empty()) return result;

  init_board_startpos();
  std::string moves_text;
  int clocks[2] = {config.base_ms, config.base_ms};
  while (true) {
    if (!has_legal_move()) {
      const Bitboard king = bitboards[side == WHITE ? K : k];
      result.ending = is_square_attacked(lsb(king), side ^ 1) ? "checkmate" : "stalemate";
      break;
    }
    if (std::count(repetition_stack.begin(), repetition_stack.end(), zobrist_key) >= 3) {
      result.ending = "repetition";
      break;
    }
    if (only_kings_left()) {
      result.ending = "bare kings";
      break;
    }
    if (result.plies >= config.max_plies) {
      result.ending = "move limit";
      break;
    }

    const int mover = side;
    EngineProcess& engine = *engines[mover];
    std::ostringstream go;
    go << "go wtime " << clocks[WHITE] << " btime " << clocks[BLACK] << " winc " << config.increment_ms
       << " binc " << config.increment_ms;
    std::istringstream go_words(go.str().substr(3));
    const int budget = derive_search_args(parse_go_limits(go_words), mover).movetime_ms;

    engine.send("position startpos" + (moves_text.empty() ? std::string() : " moves" + moves_text));
    const auto start = std::chrono::steady_clock::now();
    engine.send(go.str());
    const auto answer = engine.read_until("bestmove", clocks[mover] + 5000);
    const int elapsed = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
    if (!answer.found) {
      result.faults.push_back("no bestmove at ply " + std::to_string(result.plies) +
                              (engine.output_closed() ? " (engine gone)" : " (stalled)"));
      break;
    }
    // A move far over its budget is shown with the search's own lines, to see where the time went.
    if (elapsed - budget > 100) {
      std::cout << "[ slow move ] " << elapsed << " ms for a budget of " << budget << " ms after\n  position startpos moves"
                << moves_text << "\n  " << go.str() << "\n";
      for (const std::string& line : answer.lines) std::cout << "  " << line << "\n";
    }
    result.worst_overshoot_ms = std::max(result.worst_overshoot_ms, elapsed - budget);
    result.longest_move_ms = std::max(result.longest_move_ms, elapsed);
    clocks[mover] -= elapsed;
    if (clocks[mover] < 0) {
      ++result.flag_falls;
      clocks[mover] = 0;
    }
    clocks[mover] += config.increment_ms;

    const std::string text = answer.lines.back().substr(std::string("bestmove ").size());
    const Move m = parse_uci_move(text);
    const SavedPosition saved = save_position();
    if (is_empty_move(m) || !make_move(m)) {
      restore_position(saved);
      result.faults.push_back("illegal move " + text + " at ply " + std::to_string(result.plies));
      break;
    }
    repetition_stack.push_back(zobrist_key);
    moves_text += " " + text;
    ++result.plies;
  }

  for (EngineProcess* engine : engines) {
    engine->send("quit");
    const auto code = engine->wait_exit();
    if (code != 0) result.faults.push_back("engine exit code " + (code ? std::to_string(*code) : "none"));
  }
  return result;
}
