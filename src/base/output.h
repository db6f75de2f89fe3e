#pragma once
// Every line the engine writes goes through here: whole, newline-terminated,
// flushed, and never interleaved with a line from the other thread.

#include <string_view>

void send_line(std::string_view line);

// A diagnostic for a person reading standard error (a refused option, a failed
// allocation); never written to standard output, where a GUI reads.
void send_error_line(std::string_view line);
// Whether send_error_line writes at all. Turned off only by the fuzzers, whose logs
// would otherwise fill with refused options; written before any search thread exists.
extern bool error_lines_enabled;

// Receives the lines instead of standard output while it is set.
using LineSink = void (*)(std::string_view line);
// Set (and cleared with nullptr) only by one-shot commands on the main thread (the
// style gauntlet and the speed suite drop the search's lines), while no search
// thread runs.
void set_line_sink(LineSink sink);
// The sink of a search nobody watches: every line is dropped.
void drop_line(std::string_view line);
