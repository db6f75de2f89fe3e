#pragma once
// The UCI options, one descriptor each: "uci" lists them from this table and
// "setoption" reads and applies values through it, so the two cannot disagree.

#include <span>
#include <string>
#include <string_view>

enum class OptionType { Spin, Check, Combo, Button, String };

struct UciOption {
  std::string_view name;
  OptionType type;
  int min, max;     // a spin's range; values outside it are clamped
  bool advertised;  // listed by "uci" (SearchMode is accepted but not listed)
  // The value "uci" shows as the default: a spin's number, a check's 0 or 1, a combo's SearchMode.
  int (*shown)();
  // Applies a value read by read_option_value. False when the change could not be
  // made; the option has then said why on standard error and changed nothing.
  bool (*apply)(int value);
  // A string option's text in place of the two above: its default, and what sets it.
  std::string (*shown_text)() = nullptr;
  void (*apply_text)(const std::string& text) = nullptr;
};

std::span<const UciOption> uci_options();

// The option of that name, matched without regard to case; null when there is none.
const UciOption* find_uci_option(std::string_view name);

// The "option name ..." line of the identification block.
std::string uci_option_line(const UciOption& option);

// What became of a text read as an option's value.
enum class OptionRead { Refused, Taken, Clamped };

// Reads a value for the option: a spin's whole integer (clamped to its range, also
// when it overflows), a check's true or false (or 1 or 0), a combo's style name,
// each without regard to case; anything for a button or a string (whose text
// apply_text takes). Refused for other text, Clamped for a spin outside its range.
OptionRead read_option_value(const UciOption& option, const std::string& text, int& value);
