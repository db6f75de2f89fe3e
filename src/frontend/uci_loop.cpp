#include <iostream>
#include <string>

#include "frontend/uci.h"

void trim_cr(std::string& line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
}

void uci_loop() {
  // A GUI talks to us through pipes: answers must leave at once, and reading a
  // command must not wait for output to be flushed first.
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  std::cout << std::unitbuf;

  std::string line;
  // At the end of input the loop returns without joining; main joins the search.
  while (std::getline(std::cin, line)) {
    if (!uci_command(line)) return;
  }
}
