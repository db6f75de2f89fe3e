#pragma once
// Small text helpers shared by every layer that reads words or numbers.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include <utility>

// ASCII comparison without regard to case: UCI names and values are matched so.
constexpr bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// Text from the input quoted in a diagnostic, cut short so that a megabyte line
// gives a readable message.
inline std::string quoted(std::string_view text) {
  constexpr std::size_t LIMIT = 40;
  std::string shown = "'";
  shown.append(text.substr(0, LIMIT));
  shown.append(text.size() > LIMIT ? "...'" : "'");
  return shown;
}

// A count and its noun: "1 game", "3 games".
inline std::string counted(std::int64_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// A decimal integer at the start of a text: an optional sign, then digits. Every
// place that reads a number from a person or a GUI goes through here and then
// applies its own rule (whole text or leading digits, its range, what a fault means).
struct LeadingInteger {
  std::int64_t value = 0;  // 0 without digits; past the 64-bit range, the nearest end
  std::size_t length = 0;  // characters used, sign included; 0 when no digit follows the sign
  bool overflow = false;   // the digits went past the 64-bit range
};
LeadingInteger read_leading_integer(std::string_view text);

// The whole text as one integer, saturated like read_leading_integer; false for an
// empty text, a sign alone, or anything after the digits.
bool read_whole_integer(std::string_view text, std::int64_t& value);

// The whole text as a number from low to high; false, with value unchanged, for
// anything else, a number past the 64-bit range included.
template <typename Number>
bool read_whole_number(std::string_view text, Number low, Number high, Number& value) {
  const LeadingInteger read = read_leading_integer(text);
  if (read.length == 0 || read.length != text.size() || read.overflow) return false;
  if (std::cmp_less(read.value, low) || std::cmp_greater(read.value, high)) return false;
  value = static_cast<Number>(read.value);
  return true;
}

// The fields of a text between separators, empty ones included ("a,,b," has four);
// an empty text has none.
std::vector<std::string> split_fields(std::string_view text, char separator);
