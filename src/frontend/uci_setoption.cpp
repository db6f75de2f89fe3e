#include <string>

#include "base/output.h"
#include "base/text.h"
#include "frontend/search_thread.h"
#include "frontend/uci_commands.h"
#include "frontend/uci_options.h"

namespace {

// Joins the remaining words of the line with single blanks, stopping before
// the word stop_at (which is consumed) when it is given.
std::string join_words(std::istream& words, const char* stop_at) {
  std::string joined, word;
  while (words >> word) {
    if (stop_at && word == stop_at) break;
    if (!joined.empty()) joined += ' ';
    joined += word;
  }
  return joined;
}

const char* expected_value(OptionType type) {
  switch (type) {
    case OptionType::Spin: return "a whole number";
    case OptionType::Check: return "true or false";
    case OptionType::Combo: return "a style name";
    case OptionType::Button:
    case OptionType::String: break;
  }
  return "nothing";
}

// A value that is refused or changed is said where a GUI shows it, in an "info
// string", and on standard error for a person at a terminal.
void report(const std::string& message) {
  send_error_line(message);
  send_line("info string " + message);
}

}  // namespace

// A name that is not understood is reported on standard error and changes nothing.
void handle_setoption(std::istream& words) {
  wait_search_done();
  std::string ignored;
  next_word(words, ignored);  // normally "name"; not checked
  const std::string name = join_words(words, "value");
  const std::string value = join_words(words, nullptr);

  const UciOption* option = find_uci_option(name);
  if (!option) {
    send_error_line("setoption: no option named " + quoted(name));
    return;
  }
  const std::string named = "setoption " + std::string(option->name) + ": ";
  int parsed = 0;
  const OptionRead read = read_option_value(*option, value, parsed);
  if (read == OptionRead::Refused) {
    report(named + quoted(value) + " is not " + expected_value(option->type) + "; unchanged");
    return;
  }
  if (option->type == OptionType::String) {
    option->apply_text(value);
  } else if (!option->apply(parsed)) {
    // The option has said why on standard error.
    send_line("info string " + named + std::to_string(parsed) + " could not be set; unchanged");
    return;
  }
  if (read == OptionRead::Clamped)
    report(named + quoted(value) + " is outside " + std::to_string(option->min) + " to " +
           std::to_string(option->max) + "; set to " + std::to_string(parsed));
}
