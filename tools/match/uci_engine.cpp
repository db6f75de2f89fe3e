#include "match/uci_engine.h"

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

bool alive(const UciPlayer& player) { return player.process && !player.process->output_closed(); }

bool ready(UciPlayer& player) {
  return player.process->send("isready") && player.process->read_until("readyok", UCI_HANDSHAKE_MS).found;
}

}  // namespace

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
