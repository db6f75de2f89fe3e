#pragma once
// Runs an engine as a child process and talks to it over pipes, the way a chess
// GUI does. Every wait has a timeout, and the child is killed when the object
// goes away, so a hanging engine costs a game or fails a test instead of hanging
// the match or the suite. Shared by the match runner and the process tests.
//
//   ChildProcess engine("/usr/games/stockfish", {});
//   engine.send("isready");
//   if (engine.read_line() != "readyok") ...
//   engine.close_stdin();
//   engine.wait_exit();

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Generous enough for sanitizer builds on a busy machine; a healthy engine
// answers these commands in milliseconds.
constexpr int ENGINE_TIMEOUT_MS = 10000;

class ChildProcess {
 public:
  // Starts binary with the given arguments (after the program name). A binary
  // that cannot be run exits at once with status 127.
  ChildProcess(const std::string& binary, const std::vector<std::string>& args);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Writes text followed by "\n". False when the engine stopped reading.
  bool send(std::string_view line, int timeout_ms = ENGINE_TIMEOUT_MS);
  // Writes bytes exactly as given (no newline added), e.g. "uci\r\n".
  bool send_raw(std::string_view bytes, int timeout_ms = ENGINE_TIMEOUT_MS);
  // Ends the engine's standard input (end of file on its side).
  void close_stdin();

  // The next output line without its "\n"; nullopt on timeout or end of output.
  std::optional<std::string> read_line(int timeout_ms = ENGINE_TIMEOUT_MS);
  // Lines up to and including the first one starting with prefix. The last
  // element is the matching line; when it never comes (timeout or end of
  // output), found is false and lines holds what was read.
  struct ReadResult {
    std::vector<std::string> lines;
    bool found = false;
  };
  ReadResult read_until(std::string_view prefix, int timeout_ms = ENGINE_TIMEOUT_MS);
  // Every line the engine writes within quiet_ms of the previous one (or of the call).
  std::vector<std::string> read_available(int quiet_ms = 200);
  // True once the engine has closed its standard output.
  bool output_closed() const { return out_closed_; }

  // Exit code (128 + signal number when killed by a signal); nullopt on timeout,
  // in which case the engine is killed.
  std::optional<int> wait_exit(int timeout_ms = ENGINE_TIMEOUT_MS);
  void kill_now();
  pid_t pid() const { return pid_; }

 private:
  // Moves whatever output is ready into the buffer; waits at most timeout_ms.
  // False on timeout without new data or at end of output.
  bool pump_output(int timeout_ms);
  std::optional<std::string> take_buffered_line();

  pid_t pid_ = -1;
  int to_child_ = -1;
  int from_child_ = -1;
  bool out_closed_ = false;
  std::optional<int> exit_status_;
  std::string buffer_;
};
