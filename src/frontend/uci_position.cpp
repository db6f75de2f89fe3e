#include <algorithm>
#include <sstream>
#include <string>

#include "base/output.h"
#include "base/text.h"
#include "board/legal.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/types.h"
#include "frontend/own_book.h"
#include "frontend/search_thread.h"
#include "frontend/uci_commands.h"
#include "search/tt.h"

namespace {

// Plays each remaining word that names a legal move of the current position;
// other words are skipped and the following ones still tried. The first word
// skipped is named to the GUI, with the count of the others.
void play_moves(std::istream& words) {
  std::string text, first_skipped;
  long long skipped = 0;
  while (words >> text) {
    const Move move = parse_uci_move(text);
    const SavedPosition saved = save_position();
    if (is_empty_move(move) || !make_move(move)) {
      restore_position(saved);
      if (skipped++ == 0) first_skipped = text;
      continue;
    }
    repetition_stack.push_back(zobrist_key);
  }
  if (skipped == 0) return;
  std::string line = "info string position: skipped " + quoted(first_skipped) + ", not a legal move there";
  if (skipped > 1) line += ", and " + counted(skipped - 1, "later move", "later moves") + " not legal either";
  send_line(line);
}

// Plies played before a FEN's position: from its move number (the sixth field, 1
// when missing or not a number) and the side to move.
int plies_before(const std::string& fen) {
  std::istringstream fields(fen);
  std::string field, to_move;
  for (int i = 0; i < 6 && fields >> field; ++i) {
    if (i == 1) to_move = field;
    if (i == 5) {
      const LeadingInteger number = read_leading_integer(field);
      const std::int64_t moves = number.length == field.size() ? std::clamp<std::int64_t>(number.value, 1, 100000) : 1;
      return static_cast<int>(2 * (moves - 1)) + (to_move == "b" ? 1 : 0);
    }
  }
  return to_move == "b" ? 1 : 0;
}

}  // namespace

void handle_position(std::istream& words) {
  wait_search_done();
  std::string sub;
  next_word(words, sub);

  if (sub == "startpos") {
    init_board_startpos();
    setup_ply = 0;
    next_word(words, sub);
  } else if (sub == "fen") {
    // At most the six FEN fields; an early "moves" ends the FEN.
    std::string fen, word;
    for (int fields = 0; fields < 6 && next_word(words, word); ++fields) {
      if (word == "moves") {
        sub = word;
        break;
      }
      if (!fen.empty()) fen += ' ';
      fen += word;
    }
    // A board the engine cannot play is refused whole, its moves with it.
    const PositionSnapshot before = take_position_snapshot();
    load_fen(fen);
    const std::string_view why = why_unplayable();
    if (!why.empty()) {
      install_position_snapshot(before);
      send_line("info string position: the FEN " + quoted(fen) + " " + std::string(why) +
                "; the position is unchanged");
      return;
    }
    setup_ply = plies_before(fen);
    if (sub != "moves") next_word(words, sub);
  }
  // "moves" straight after "position" plays on the current position.
  if (sub == "moves") play_moves(words);
}

void handle_ucinewgame(std::istream&) {
  wait_search_done();
  init_board_startpos();
  setup_ply = 0;
  tt_clear();
}
