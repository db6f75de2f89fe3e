#pragma once
// The handlers of the UCI commands. Each takes the word stream of its line,
// positioned after the command word, and reads the words it needs from it.

#include <istream>
#include <string>

// Reads the next blank-separated word into word; leaves word unchanged when the
// line has no further word.
inline bool next_word(std::istream& words, std::string& word) {
  std::string w;
  if (!(words >> w)) return false;
  word = std::move(w);
  return true;
}

void handle_uci(std::istream& words);
void handle_setoption(std::istream& words);
void handle_position(std::istream& words);
void handle_ucinewgame(std::istream& words);
