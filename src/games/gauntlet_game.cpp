#include "games/gauntlet_game.h"

#include <charconv>
#include <string_view>

#include "base/output.h"
#include "board/position.h"
#include "book/book_choice.h"
#include "book/builtin_books.h"
#include "search/limits.h"
#include "search/search.h"
#include "search/search_state.h"
#include "search/strength.h"
#include "search/tt.h"
#include "style/tactical.h"

namespace {

// The move being searched; written by the line sink during search_best on this thread.
PlayedMove observed;

void observe_line(std::string_view line) { observe_search_line(line, observed); }

int number_after(std::string_view line, std::string_view word) {
  const std::size_t at = line.find(word);
  int value = 0;
  if (at != std::string_view::npos) {
    const char* begin = line.data() + at + word.size();
    std::from_chars(begin, line.data() + line.size(), value);
  }
  return value;
}

}  // namespace

void observe_search_line(std::string_view line, PlayedMove& played) {
  if (line.starts_with("info string tactical pick ")) {
    played.tactical_pick = true;
  } else if (line.starts_with("info depth ")) {
    // The tactical pick's own line tells the depth of the candidates' short searches.
    if (!played.tactical_pick) played.depth = number_after(line, "info depth ");
    if (line.find(" score cp ") != std::string_view::npos) {
      played.score = number_after(line, " score cp ");
    } else if (line.find(" score mate ") != std::string_view::npos) {
      const int mate = number_after(line, " score mate ");
      played.score = mate > 0 ? MATE_VALUE - (2 * mate - 1) : -MATE_VALUE + 2 * -mate;
    }
  }
}

void install_move_observer() { set_line_sink(observe_line); }
void remove_move_observer() { set_line_sink(nullptr); }

GameRecord play_game(const Opening& opening, const SidePlayer& white, const SidePlayer& black,
                     const GameSettings& settings) {
  const bool tactics_setting = tactical_move_selection;
  load_fen(opening.fen);
  GameProgress progress;
  progress.keys.push_back(zobrist_key);
  progress.halfmove_clock = opening.halfmove_clock;
  progress.max_plies = settings.max_plies;

  SearchLimits limits;
  limits.nodes = settings.nodes;
  limits.movetime_ms = settings.movetime_ms;

  GameRecord record;
  while ((record.end = adjudicate(progress)) == GameEnd::None) {
    // Neither side may read the other's table entries; the search sees the game's
    // reversible history so that it knows which moves repeat.
    tt_clear();
    repetition_stack.clear();
    for (std::uint64_t key : progress.keys) repetition_stack.push_back(key);
    stop_search = false;
    const SidePlayer& mover = side == WHITE ? white : black;
    white_search_mode = settings.per_side ? white.mode : mover.mode;
    black_search_mode = settings.per_side ? black.mode : mover.mode;
    white_style_strength = settings.per_side ? white.strength : mover.strength;
    black_style_strength = settings.per_side ? black.strength : mover.strength;
    // The selection runs after the search, at the root only: the mover's choice alone.
    tactical_move_selection = mover.tactics;
    observed = PlayedMove{};
    if (settings.book && record.plies.size() < GAUNTLET_BOOK_PLIES) {
      observed.move = pick_book_move(builtin_book(mover.mode), BOOK_VARIETY_DEFAULT, next_strength_random()).move;
      if (!is_empty_move(observed.move)) {
        make_move(observed.move);
        record_move(observed.move, progress);
        record.plies.push_back(observed);
        continue;
      }
    }
    SearchLimits move_limits = limits;
    if (settings.level > 0) limit_to_level(move_limits, settings.level, side);
    observed.move = search_best(move_limits);
    make_move(observed.move);
    record_move(observed.move, progress);
    record.plies.push_back(observed);
  }
  record.final_side = side;
  tactical_move_selection = tactics_setting;
  return record;
}
