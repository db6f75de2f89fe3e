#include <string>

#include "frontend/output.h"
#include "frontend/uci_commands.h"
#include "style/search_mode.h"
#include "style/tactical.h"

// The option defaults shown are the current settings, so a GUI sees what the
// command line and earlier setoption commands chose. Only Hash is fixed.
void handle_uci(std::istream&) {
  send_line("id name Brisvane");
  send_line("id author Temmerok");
  send_line("option name Hash type spin default 16 min 1 max 1024");
  send_line(std::string("option name WhiteSearchMode type combo default ") +
            mode_name(white_search_mode) + search_mode_uci_vars());
  send_line(std::string("option name BlackSearchMode type combo default ") +
            mode_name(black_search_mode) + search_mode_uci_vars());
  send_line(std::string("option name TacticalMoveSelection type check default ") +
            (tactical_move_selection ? "true" : "false"));
  send_line("option name TacticThreshold type spin default " + std::to_string(tactic_threshold_cp) +
            " min 0 max 300");
  send_line("uciok");
}
