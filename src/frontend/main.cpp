// Entry point: build the tables in their order, set the start position, then
// read the command line and run one task or the UCI loop.

#include <string>
#include <vector>

#include "board/position.h"
#include "frontend/cmdline.h"
#include "search/startup.h"

int main(int argc, char** argv) {
  init_tables();
  init_board_startpos();

  const std::vector<std::string> args(argv + 1, argv + argc);
  return run_command(apply_command_line(args));
}
