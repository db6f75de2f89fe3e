#include "games/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool write_file_atomically(const std::string& path, const std::string& text, std::string& error) {
  const std::string temporary = path + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) {
    error = "cannot write " + temporary + ": " + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const int saved_errno = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
    error = "cannot write " + path + ": " + std::strerror(written && closed ? errno : saved_errno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}
