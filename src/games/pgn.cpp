#include "games/pgn.h"

#include <sstream>

#include "board/notation.h"
#include "board/position.h"
#include "board/san.h"

namespace {

constexpr std::size_t PGN_LINE_LIMIT = 79;

std::string tag(const std::string& name, const std::string& value) {
  std::string escaped;
  for (char c : value) {
    if (c == '"' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return "[" + name + " \"" + escaped + "\"]\n";
}

// Appends one movetext token, starting a new line when the current one would grow too long.
void add_token(std::string& text, std::size_t& line_length, const std::string& token) {
  if (line_length > 0 && line_length + 1 + token.size() > PGN_LINE_LIMIT) {
    text += '\n';
    line_length = 0;
  }
  if (line_length > 0) {
    text += ' ';
    ++line_length;
  }
  text += token;
  line_length += token.size();
}

int fullmove_of(const std::string& fen) {
  std::istringstream in(fen);
  std::string field;
  int number = 1;
  for (int i = 0; i < 5; ++i) in >> field;
  if (!(in >> number) || number < 1) number = 1;
  return number;
}

}  // namespace

PgnTags start_position_tags(const std::string& fen) {
  PgnTags tags;
  if (chess960) tags.emplace_back("Variant", "Chess960");
  tags.emplace_back("SetUp", "1");
  tags.emplace_back("FEN", fen);
  return tags;
}

std::string pgn_text(const PgnGame& game) {
  std::string text = tag("Event", game.event) + tag("Site", "?") + tag("Date", "????.??.??") +
                     tag("Round", game.round) + tag("White", game.white) + tag("Black", game.black) +
                     tag("Result", game.result);
  for (const auto& [name, value] : game.extra_tags) text += tag(name, value);
  text += '\n';

  load_fen(game.fen);
  int fullmove = fullmove_of(game.fen);
  std::size_t line_length = 0;
  bool first = true;
  for (const Move& m : game.moves) {
    // A move number stays on the line of its move.
    std::string token;
    if (side == WHITE)
      token = std::to_string(fullmove) + ". ";
    else if (first)
      token = std::to_string(fullmove) + "... ";
    add_token(text, line_length, token + move_to_san(m));
    make_move(m);
    if (side == WHITE) ++fullmove;
    first = false;
  }
  if (!game.final_comment.empty()) add_token(text, line_length, "{" + game.final_comment + "}");
  add_token(text, line_length, game.result);
  return text + "\n\n";
}
