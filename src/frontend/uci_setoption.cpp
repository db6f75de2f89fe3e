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

}  // namespace

// A GUI reads only standard output: a name or value that is not understood is
// reported on standard error and changes nothing.
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
  int parsed = 0;
  if (!read_option_value(*option, value, parsed)) {
    send_error_line("setoption " + std::string(option->name) + ": " + quoted(value) + " is not " +
                    expected_value(option->type) + "; unchanged");
    return;
  }
  if (option->type == OptionType::String)
    option->apply_text(value);
  else
    option->apply(parsed);
}
