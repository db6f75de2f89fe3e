#include "frontend/output.h"

#include <cstdio>
#include <mutex>

namespace {
std::mutex output_mutex;
bool output_muted = false;
}  // namespace

void send_line(std::string_view line) {
  std::lock_guard<std::mutex> lock(output_mutex);
  if (output_muted) return;
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

void set_output_muted(bool muted) {
  std::lock_guard<std::mutex> lock(output_mutex);
  output_muted = muted;
}
