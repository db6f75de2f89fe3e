#include "frontend/output.h"

#include <cstdio>
#include <mutex>

namespace {
std::mutex output_mutex;
}

void send_line(std::string_view line) {
  std::lock_guard<std::mutex> lock(output_mutex);
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void send_error_line(std::string_view line) {
  std::lock_guard<std::mutex> lock(output_mutex);
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}
