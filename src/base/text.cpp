#include "base/text.h"

#include <limits>

LeadingInteger read_leading_integer(std::string_view text) {
  constexpr std::uint64_t LARGEST = std::numeric_limits<std::int64_t>::max();
  LeadingInteger read;
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
  const std::size_t first_digit = i;
  // The magnitude may reach one past LARGEST, the size of the most negative value.
  std::uint64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const unsigned digit = static_cast<unsigned>(text[i] - '0');
    if (magnitude > (LARGEST + 1 - digit) / 10) {
      read.overflow = true;
      magnitude = LARGEST + 1;
    } else {
      magnitude = magnitude * 10 + digit;
    }
  }
  if (i == first_digit) return read;
  read.length = i;
  if (!negative && magnitude > LARGEST) {
    read.overflow = true;
    magnitude = LARGEST;
  }
  read.value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
  return read;
}

bool read_whole_integer(std::string_view text, std::int64_t& value) {
  const LeadingInteger read = read_leading_integer(text);
  if (read.length == 0 || read.length != text.size()) return false;
  value = read.value;
  return true;
}

std::vector<std::string> split_fields(std::string_view text, char separator) {
  std::vector<std::string> fields;
  if (text.empty()) return fields;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    fields.emplace_back(text.substr(start, end == std::string_view::npos ? text.size() - start : end - start));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}
