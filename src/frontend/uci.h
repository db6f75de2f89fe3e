#pragma once
// The UCI dialogue: a reading loop over standard input and a dispatcher that
// handles one line at a time (also usable without standard input, e.g. by a fuzzer).

#include <string>

// Reads UCI commands from standard input until "quit" or end of input.
void uci_loop();

// Removes one trailing carriage return, so CRLF input reads like LF input.
void trim_cr(std::string& line);

// Handles one input line (newline already removed). Returns false after "quit".
bool uci_command(std::string line);
