#include "base/output.h"

#include <cstdio>
#include <mutex>

namespace {
std::mutex output_mutex;
LineSink line_sink = nullptr;
}  // namespace

void send_line(std::string_view line) {
  std::lock_guard<std::mutex> lock(output_mutex);
  if (line_sink) {
    line_sink(line);
    return;
  }
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

bool error_lines_enabled = true;

void send_error_line(std::string_view line) {
  if (!error_lines_enabled) return;
  std::lock_guard<std::mutex> lock(output_mutex);
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

void drop_line(std::string_view) {}

void set_line_sink(LineSink sink) {
  std::lock_guard<std::mutex> lock(output_mutex);
  line_sink = sink;
}
