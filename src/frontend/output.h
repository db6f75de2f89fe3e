#pragma once
// Every line the engine writes goes through here: whole, newline-terminated,
// flushed, and never interleaved with a line from the other thread.

#include <string_view>

void send_line(std::string_view line);

// Receives the lines instead of standard output while it is set.
using LineSink = void (*)(std::string_view line);
// Set (and cleared with nullptr) only by the style gauntlet, which reads the
// search's lines instead of showing them, while no search thread runs.
void set_line_sink(LineSink sink);
