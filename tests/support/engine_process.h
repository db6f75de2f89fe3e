#pragma once
// The engine under test as a child process, talking over pipes as a GUI does.
//
//   EngineProcess engine;                        // BRISVANE_BINARY, no arguments
//   engine.send("isready");
//   EXPECT_EQ(engine.read_line(), "readyok");
//   engine.close_stdin();
//   EXPECT_EQ(engine.wait_exit(), 0);
//
// For a whole scripted dialogue, run_engine() sends all input, closes standard
// input and collects every output line until the engine exits.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "match/child_process.h"

class EngineProcess : public ChildProcess {
 public:
  explicit EngineProcess(const std::vector<std::string>& args = {}, const std::string& binary = BRISVANE_BINARY)
      : ChildProcess(binary, args) {}
};

// Outcome of one scripted run.
struct EngineRun {
  std::vector<std::string> lines;  // every output line, in order
  std::optional<int> exit_code;    // nullopt when the engine had to be killed
};

// Starts the engine, writes input (each line should end in "\n"), closes its
// standard input and reads until it exits.
EngineRun run_engine(std::string_view input, const std::vector<std::string>& args = {},
                     int timeout_ms = ENGINE_TIMEOUT_MS);
