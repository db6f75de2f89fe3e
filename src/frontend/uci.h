#pragma once
// Reads UCI commands from standard input until "quit" or end of input.
void uci_loop();
