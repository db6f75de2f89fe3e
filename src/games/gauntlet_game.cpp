#include "games/gauntlet_game.h"

#include "base/saved_settings.h"
#include "board/position.h"
#include "book/book_choice.h"
#include "book/builtin_books.h"
#include "search/limits.h"
#include "search/search.h"
#include "search/search_state.h"
#include "search/strength.h"
#include "search/tt.h"
#include "style/tactical.h"

GameRecord play_game(const Opening& opening, const SidePlayer& white, const SidePlayer& black,
                     const GameSettings& settings) {
  const SavedSettings saved(white_search_mode, black_search_mode, white_style_strength, black_style_strength,
                            tactical_move_selection, tactic_threshold_cp);
  tactic_threshold_cp = settings.threshold;
  load_fen(opening.fen);
  GameProgress progress;
  progress.keys.push_back(zobrist_key);
  progress.halfmove_clock = opening.halfmove_clock;
  progress.max_plies = settings.max_plies;

  SearchLimits limits;
  limits.nodes = settings.nodes;
  limits.movetime_ms = settings.movetime_ms;

  GameRecord record;
  for (;;) {
    record.end = adjudicate_game(progress, record.plies, settings.rules, record.final_side);
    if (record.end != GameEnd::None) break;
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
    tactical_move_selection = settings.tactics && mover.tactics;
    if (settings.book && record.plies.size() < BOOK_DEPTH_DEFAULT) {
      const Move book_move =
          pick_book_move(builtin_book(mover.mode), BOOK_VARIETY_DEFAULT, next_strength_random()).move;
      if (!is_empty_move(book_move)) {
        make_move(book_move);
        record_move(book_move, progress);
        record.plies.push_back({book_move, 0, false, 0, true});
        continue;
      }
    }
    SearchLimits move_limits = limits;
    if (settings.level > 0) limit_to_level(move_limits, settings.level, side);
    const SearchResult result = search_best(move_limits);
    make_move(result.best);
    record_move(result.best, progress);
    record.plies.push_back({result.best, result.score, result.tactical_pick, result.depth});
  }
  return record;
}
