#include "style/tactical.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>

#include "base/output.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "search/info.h"
#include "search/search_state.h"
#include "search/timeman.h"
#include "style/style_strength.h"
#include "style/tactical_candidates.h"

void keep_search_moves(std::vector<Move>& candidates, const std::vector<Move>& search_moves) {
  if (search_moves.empty()) return;
  std::erase_if(candidates, [&](const Move& m) {
    return std::none_of(search_moves.begin(), search_moves.end(), [&](const Move& s) { return same_move(s, m); });
  });
}

Move choose_tactical_move(const std::vector<TacticalCandidate>& records, const Move& best, int threshold) {
  const TacticalCandidate* best_record = nullptr;
  for (const TacticalCandidate& record : records) {
    if (same_move(record.move, best)) {
      best_record = &record;
      break;
    }
  }
  if (best_record == nullptr || best_record->score == -SCORE_INFINITY) return best;

  // Widened so that an extreme threshold cannot wrap the floor around.
  const std::int64_t floor = std::int64_t{best_record->score} - threshold;
  int running_max = -1;
  Move choice = best;
  for (const TacticalCandidate& record : records) {
    if (record.score >= floor - record.slack && record.tactical_score > running_max) {
      choice = record.move;
      running_max = record.tactical_score;
    }
  }
  return choice;
}

Move choose_held_move(std::vector<TacticalCandidate> records, const Move& best, int threshold, int depth,
                      int best_score, int margin) {
  for (;;) {
    const Move choice = choose_tactical_move(records, best, threshold);
    const auto record = std::find_if(records.begin(), records.end(),
                                     [&](const TacticalCandidate& r) { return same_move(r.move, choice); });
    // The root move was searched one ply short of the main search's depth.
    if (same_move(choice, best) || holds_up(choice, depth - 1, best_score - margin))
      return choice;
    records.erase(record);
  }
}

TacticalPick pick_tactical_move(int depth, Move best, int best_score, const SearchLimits& limits,
                                std::chrono::steady_clock::time_point budget_start) {
  const TacticalPick kept{best};
  MoveList generated;
  generate_moves(generated);
  if (generated.moves.size() <= 1 || limits.searchmoves.size() == 1) return kept;

  if (!tactical_selection_may_start(limits.movetime_ms, budget_start, std::chrono::steady_clock::now())) return kept;

  std::vector<Move> candidates = gather_tactical_candidates(generated);
  keep_search_moves(candidates, limits.searchmoves);
  if (candidates.empty()) return kept;
  shape_candidate_list(candidates, best);

  const auto scoring_start = std::chrono::steady_clock::now();
  const int d = std::clamp(depth - 1, 0, 4);
  // Without a clock (node-limited games) the scoring's cap counts nodes, not time.
  const std::vector<TacticalCandidate> records =
      score_tactical_candidates(candidates, d, scoring_start, limits.movetime_ms > 0);
  if (records.empty()) return kept;

  // At the default strength the selection is the short searches' alone. Above it no pick
  // may cost more at the main search's depth than the style's margin: the depth-4 scores
  // that rate the candidates miss what the main search sees.
  const int strength = style_strength_of(side);
  const Move choice = strength > STYLE_STRENGTH_DEFAULT
                          ? choose_held_move(records, best, tactic_threshold_cp, depth, best_score,
                                             steer_margin_cp(bonus_mode(side), strength))
                          : choose_tactical_move(records, best, tactic_threshold_cp);
  if (same_move(choice, best)) return kept;

  send_line("info string tactical pick " + move_to_str(choice) + " (best was " + move_to_str(best) + ")");
  // The played move's own line follows, so the last info line names the move played.
  // It carries the main search's depth: the depth a GUI shows must not fall because
  // the line came from the selection's shorter search.
  const auto chosen = std::find_if(records.begin(), records.end(),
                                   [&](const TacticalCandidate& record) { return same_move(record.move, choice); });
  const TacticalPick pick{chosen->move, true, chosen->score, chosen->line};
  send_info_line(depth, 0, pick.score, elapsed_ms(search_began, std::chrono::steady_clock::now()), pick.line);
  return pick;
}
