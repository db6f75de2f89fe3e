#pragma once
// Small text helpers shared by the command line and the UCI options.

#include <cstddef>
#include <string>
#include <string_view>

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
