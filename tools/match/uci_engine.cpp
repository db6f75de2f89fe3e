#include "match/uci_engine.h"

#include <chrono>
#include <limits>
#include <sstream>

#include "base/text.h"

namespace {

using Clock = std::chrono::steady_clock;

bool alive(const UciPlayer& player) { return player.process && !player.process->output_closed(); }

bool ready(UciPlayer& player) {
  return player.process->send("isready") && player.process->read_until("readyok", UCI_HANDSHAKE_MS).found;
}

}  // namespace

bool read_info_score(const std::string& line, int& score, int& depth) {
  constexpr int LARGEST = std::numeric_limits<int>::max();
  std::istringstream words(line);
  std::string word;
  if (!(words >> word) || word != "info") return false;
  int read_score = 0, read_depth = 0;
  bool scored = false;
  // "string" starts free text, which may hold any word.
  while (words >> word && word != "string") {
    std::string kind, number;
    if (word == "depth") {
      words >> number;
      read_whole_number(number, 0, LARGEST, read_depth);
    } else if (word == "multipv") {
      words >> number;
      if (number != "1") return false;
    } else if (word == "score") {
      words >> kind >> number;
      scored = (kind == "cp" || kind == "mate") && read_whole_number(number, -LARGEST, LARGEST, read_score);
      if (!scored) return false;
      // "mate 0" and below: the mover is mated.
      if (kind == "mate") read_score = read_score > 0 ? MATE_SCORE_CP : -MATE_SCORE_CP;
    }
  }
  if (!scored) return false;
  score = read_score;
  depth = read_depth;
  return true;
}

bool ensure_started(UciPlayer& player, std::string& error) {
  if (alive(player)) return true;
  player.process = std::make_unique<ChildProcess>(player.setup.command, player.setup.args);
  bool ok = player.process->send("uci") && player.process->read_until("uciok", UCI_HANDSHAKE_MS).found;
  for (const auto& [name, value] : player.setup.options)
    ok = ok && player.process->send("setoption name " + name + " value " + value);
  ok = ok && ready(player);
  if (!ok) {
    error = player.setup.name + " (" + player.setup.command + ") does not answer uci and isready";
    player.process.reset();
  }
  return ok;
}

bool start_new_game(UciPlayer& player) { return player.process->send("ucinewgame") && ready(player); }

EngineReply ask_move(UciPlayer& player, const std::string& position_command, const GameClock& clock, int mover) {
  ChildProcess& process = *player.process;
  const std::string go = "go wtime " + std::to_string(clock.remaining_ms[0]) + " btime " +
                         std::to_string(clock.remaining_ms[1]) + " winc " + std::to_string(clock.increment_ms) +
                         " binc " + std::to_string(clock.increment_ms);
  EngineReply reply;
  const auto started = Clock::now();
  const bool sent = process.send(position_command) && process.send(go);
  const auto deadline = started + std::chrono::milliseconds(clock.remaining_ms[mover] + NO_REPLY_GRACE_MS);
  while (sent) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    const auto line = process.read_line(static_cast<int>(std::max<std::int64_t>(left, 0)));
    if (!line) break;
    if (line->starts_with("info")) read_info_score(*line, reply.score, reply.depth);
    if (line->starts_with("bestmove")) {
      reply.elapsed_ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
      const std::size_t begin = line->find_first_not_of(' ', 8);
      reply.move = begin == std::string::npos ? "" : line->substr(begin, line->find(' ', begin) - begin);
      reply.kind = EngineReply::Move;
      return reply;
    }
  }
  reply.elapsed_ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
  reply.kind = sent && !process.output_closed() ? EngineReply::NoReply : EngineReply::Crashed;
  // Either way the process is of no more use: the next game starts a fresh one.
  process.kill_now();
  player.process.reset();
  return reply;
}

void stop_player(UciPlayer& player) {
  if (!player.process) return;
  player.process->send("quit", 1000);
  player.process->close_stdin();
  player.process->wait_exit(2000);
  player.process.reset();
}
