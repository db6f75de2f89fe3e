// Entry point: build the tables in their order, set the start position, then
// read the command line and run one task or the UCI loop.

#include <string>
#include <vector>

#include "board/attacks.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "eval/passed_pawns.h"
#include "frontend/cmdline.h"

int main(int argc, char** argv) {
  init_leapers();
  init_magics();
  init_zobrist();
  init_passed_pawn_masks();
  init_board_startpos();

  const std::vector<std::string> args(argv + 1, argv + argc);
  return run_command(apply_command_line(args));
}
