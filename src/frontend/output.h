#pragma once
// Every line the engine writes goes through here: whole, newline-terminated,
// flushed, and never interleaved with a line from the other thread.

#include <string_view>

void send_line(std::string_view line);

// A diagnostic for a person reading standard error (a refused option, a failed
// allocation); never written to standard output, where a GUI reads.
void send_error_line(std::string_view line);
