#include <sstream>
#include <string>

#include "base/output.h"
#include "board/position.h"
#include "frontend/go.h"
#include "frontend/search_thread.h"
#include "frontend/uci.h"
#include "frontend/uci_commands.h"
#include "search/search_state.h"

bool uci_command(std::string line) {
  trim_cr(line);
  if (line.empty()) return true;

  std::istringstream words(line);
  std::string command;
  next_word(words, command);  // a line of blanks leaves it empty, which matches nothing

  if (command == "uci") {
    handle_uci(words);
  } else if (command == "isready") {
    send_line("readyok");
  } else if (command == "setoption") {
    handle_setoption(words);
  } else if (command == "ucinewgame") {
    handle_ucinewgame(words);
  } else if (command == "position") {
    handle_position(words);
  } else if (command == "stop") {
    wait_search_done();
  } else if (command == "quit") {
    wait_search_done();
    return false;
  } else if (command == "ponderhit") {
    // The search goes on, now on our own clock; without a ponder search nothing happens.
    signal_ponderhit();
  } else if (command == "go") {
    handle_go(words);
  } else if (command == "d") {
    // The search keeps running on its own copy: this is the game position.
    print_board();
  }
  // Anything else is not ours to answer: silence.
  return true;
}
