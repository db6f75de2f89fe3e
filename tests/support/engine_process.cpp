#include "support/engine_process.h"

#include <chrono>

EngineRun run_engine(std::string_view input, const std::vector<std::string>& args, int timeout_ms) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  const auto ms_left = [&deadline] {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
  };
  EngineProcess engine(args);
  EngineRun run;
  engine.send_raw(input, timeout_ms);
  engine.close_stdin();
  while (auto line = engine.read_line(ms_left())) run.lines.push_back(*line);
  if (engine.output_closed()) run.exit_code = engine.wait_exit(ms_left() + 1000);
  return run;
}
