#pragma once
// Every line the engine writes goes through here: whole, newline-terminated,
// flushed, and never interleaved with a line from the other thread.

#include <string_view>

void send_line(std::string_view line);

// A diagnostic for a person reading standard error (a refused option, a failed
// allocation); never written to standard output, where a GUI reads.
void send_error_line(std::string_view line);
// While muted, send_line drops its lines. Set only by the one-shot speed command on
// the main thread, which times searches without their info lines.
void set_output_muted(bool muted);
// Whether send_error_line writes at all. Turned off only by the fuzzers, whose logs
// would otherwise fill with refused options; written before any search thread exists.
extern bool error_lines_enabled;
