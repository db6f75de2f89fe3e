#include "base/whole_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

bool read_whole_file(const std::string& path, std::string& text, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  if (file) content << file.rdbuf();
  if (!file || file.bad()) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  text = content.str();
  return true;
}
