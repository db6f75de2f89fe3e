#include "base/output.h"
#include "frontend/uci_commands.h"
#include "frontend/uci_options.h"

void handle_uci(std::istream&) {
  send_line("id name Brisvane");
  send_line("id author Temmerok");
  for (const UciOption& option : uci_options())
    if (option.advertised) send_line(uci_option_line(option));
  send_line("uciok");
}
