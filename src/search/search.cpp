// Iterative deepening at the root: aspiration windows, one info line per completed
// iteration and line, and the hand-over to the tactical selection.

#include "search/search.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/output.h"
#include "board/legal.h"
#include "board/position.h"
#include "search/negamax.h"
#include "search/node_rules.h"
#include "search/ordering.h"
#include "search/root_moves.h"
#include "search/search_state.h"
#include "search/strength.h"
#include "search/threads.h"
#include "search/timeman.h"
#include "search/tt.h"
#include "style/search_mode.h"
#include "style/style_strength.h"
#include "style/tactical.h"
#include "style/trade_drive.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int ASPIRATION_MIN_DEPTH = 5;
constexpr int ASPIRATION_WINDOW = 25;
// A window that has been widened this far opens fully on its next failure.
constexpr int ASPIRATION_GIVE_UP = 800;
// Neither a stop nor a spent budget ends the search before it has completed this
// depth (or its last one): the smallest search that sees the replies, so even an
// interrupted search plays a mate in one and sees a threat of one. It takes
// microseconds.
constexpr int UNINTERRUPTED_DEPTH = 2;

// One reported root line: its score and its moves, the root move first.
struct RootLine {
  int score;
  std::vector<Move> pv;
};

void start_search_state(const SearchLimits& limits) {
  reset_search_tables();
  steering_side = side;
  nodes_searched = 0;
  search_began = Clock::now();
  start_search_budget(limits, search_began);
  search_interruptible = false;
  set_root_moves(limits.searchmoves, {});
}

void print_header() {
  std::string line = "info string white_mode=";
  line += mode_name(white_search_mode);
  line += " black_mode=";
  line += mode_name(black_search_mode);
  line += " tactics=";
  line += tactical_move_selection ? "on" : "off";
  line += " threshold=";
  line += std::to_string(tactic_threshold_cp);
  // Strengths other than the default are named, so the usual line stays as it is.
  if (white_style_strength != STYLE_STRENGTH_DEFAULT || black_style_strength != STYLE_STRENGTH_DEFAULT)
    line += " white_strength=" + std::to_string(white_style_strength) +
            " black_strength=" + std::to_string(black_style_strength);
  send_line(line);
}

}  // namespace

void reset_search_tables() {
  std::memset(static_cast<void*>(killers), 0, sizeof killers);
  std::memset(history, 0, sizeof history);
  std::memset(pv_length, 0, sizeof pv_length);
}

int search_root(int depth, int previous) {
  if (depth < ASPIRATION_MIN_DEPTH || is_mate_score(previous))
    return negamax(depth, -SCORE_INFINITY, SCORE_INFINITY, 0, true);

  int delta = ASPIRATION_WINDOW;
  int lower = previous - delta, upper = previous + delta;
  for (;;) {
    int score = negamax(depth, lower, upper, 0, true);
    if (search_stopped()) return score;
    if (score <= lower)
      lower = delta >= ASPIRATION_GIVE_UP ? -SCORE_INFINITY : lower - delta;
    else if (score >= upper)
      upper = delta >= ASPIRATION_GIVE_UP ? SCORE_INFINITY : upper + delta;
    else
      return score;
    delta *= 2;
  }
}

int next_iteration_depth(int depth, SearchMode root_mode) {
  return depth + 1 + (depth > 3 && root_mode == Deep ? 1 : 0);
}

// Should the root search have kept no line, the table's move for the root stands
// in when the root may play it, else the first move it may play.
std::vector<Move> searched_line(const std::vector<Move>& allowed) {
  if (pv_length[0] > 0) return std::vector<Move>(pv_table[0], pv_table[0] + pv_length[0]);
  auto may_play = [&](const Move& m) {
    const bool listed = std::any_of(allowed.begin(), allowed.end(), [&](const Move& a) { return same_move(a, m); });
    return listed && (!root_moves_filtered || root_move_allowed(m));
  };
  if (const TTEntry* entry = tt_lookup(zobrist_key)) {
    const Move m = unpack_move(entry->move);
    if (may_play(m)) return {m};
  }
  for (const Move& m : allowed) {
    if (may_play(m)) return {m};
  }
  return {allowed.front()};
}

namespace {

bool mate_limit_reached(const SearchLimits& limits, int score) {
  return limits.mate > 0 && score >= MATE_THRESHOLD && mate_in_moves(score) <= limits.mate;
}

// Helper iterations deeper than the main thread's last replace it, and are
// reported as the main thread's own would be. Only with a single line: helpers search one.
void take_helper_lines(int line_count, int& completed_depth, std::vector<RootLine>& lines) {
  if (line_count > 1) return;
  for (HelperLine& helper : helper_lines_beyond(completed_depth)) {
    send_info_line(helper.depth, 0, helper.score, elapsed_ms(search_began, Clock::now()), helper.pv);
    completed_depth = helper.depth;
    lines = {{helper.score, std::move(helper.pv)}};
  }
}

// Iterates until a limit ends the search; lines receives the lines of the last
// completed iteration, best first. Returns that iteration's depth.
int iterate(const SearchLimits& limits, const std::vector<Move>& allowed, std::vector<RootLine>& lines) {
  const SearchMode root_mode = active_mode();
  const int line_count =
      std::clamp(std::max(limits.multipv, limits.choice_lines), 1, static_cast<int>(allowed.size()));
  // A limited strength scores more lines than it reports.
  const int reported = std::min(limits.multipv, line_count);
  // Several lines: each root search leaves out the moves of the lines found before it.
  int depth = 1, completed_depth = 0;
  for (;;) {
    announce_main_depth(depth, line_count == 1);
    std::vector<RootLine> found;
    std::vector<Move> excluded;
    bool overtaken = false;
    for (int i = 0; i < line_count && !overtaken; ++i) {
      if (i > 0) {
        excluded.push_back(found.back().pv.front());
        set_root_moves(limits.searchmoves, excluded);
      }
      const int previous = i < static_cast<int>(lines.size()) ? lines[i].score : 0;
      const int score = search_root(depth, previous);
      // An unfinished iteration is discarded; a helper may have completed a deeper one.
      if (search_ended()) {
        take_helper_lines(line_count, completed_depth, lines);
        return completed_depth;
      }
      // A helper that has completed this depth already leaves nothing to finish it for.
      overtaken = iteration_overtaken();
      if (!overtaken) found.push_back({score, searched_line(allowed)});
    }
    const Clock::time_point now = Clock::now();
    if (!overtaken) {
      if (line_count > 1) {
        set_root_moves(limits.searchmoves, {});
        std::stable_sort(found.begin(), found.end(),
                         [](const RootLine& a, const RootLine& b) { return a.score > b.score; });
      }
      lines = std::move(found);
      const long long ms = elapsed_ms(search_began, now);
      for (int i = 0; i < reported; ++i)
        send_info_line(depth, limits.multipv > 1 ? i + 1 : 0, lines[i].score, ms, lines[i].pv);
      completed_depth = depth;
    }
    // A helper that got further saves the main thread the depths in between.
    take_helper_lines(line_count, completed_depth, lines);
    depth = completed_depth;
    if (depth >= UNINTERRUPTED_DEPTH) search_interruptible = true;

    if (mate_limit_reached(limits, lines.front().score)) break;
    if (search_interruptible && !next_iteration_fits(now)) break;

    int next = next_iteration_depth(depth, root_mode);
    if (next > limits.depth) break;
    depth = next;
  }
  return completed_depth;
}

// A limited strength plays one of the lines close to the best. When that is not
// the best, its own info line follows, so the last one names the move played.
const RootLine& chosen_line(const SearchLimits& limits, const std::vector<RootLine>& lines, int depth) {
  if (limits.choice_lines <= 1 || lines.size() <= 1) return lines.front();
  std::vector<int> scores;
  for (const RootLine& line : lines) scores.push_back(line.score);
  const int pick = choose_line(scores, limits.choice_margin_cp, next_strength_random());
  const RootLine& line = lines[pick];
  if (pick != 0) send_info_line(depth, 0, line.score, elapsed_ms(search_began, Clock::now()), line.pv);
  return line;
}

}  // namespace

SearchResult search_best(const SearchLimits& limits) {
  start_search_state(limits);
  print_header();

  const std::vector<Move> allowed = allowed_root_moves();
  SearchResult result;
  std::vector<Move> played;  // the line of the move to play, that move first
  if (allowed.empty()) {
    result.score = king_attacked(side) ? -MATE_VALUE : 0;
    send_line(king_attacked(side) ? "info depth 0 score mate 0 nodes 0 time 0 pv"
                                  : "info depth 0 score cp 0 nodes 0 time 0 pv");
  } else if (limits.depth < 1) {
    played = {allowed.front()};
  } else {
    // With several lines only the main thread's iterations count.
    const bool several_lines = limits.multipv > 1 || limits.choice_lines > 1;
    start_helper_threads(several_lines || limits.depth >= MAX_PLY ? 0 : limits.depth);
    std::vector<RootLine> lines;
    result.depth = iterate(limits, allowed, lines);
    stop_helper_threads();
    if (lines.empty()) {
      played = {allowed.front()};
    } else {
      const RootLine& chosen = chosen_line(limits, lines, result.depth);
      played = chosen.pv;
      result.score = chosen.score;
    }
  }
  search_interruptible = true;

  // An infinite or ponder search keeps its answer until it is released.
  hold_search_until_released(limits.infinite, limits.ponder);
  budget_running();

  if (tactical_move_selection && !limits.analysis && !limits.best_move_only && limits.multipv <= 1 &&
      result.depth > 0 && !stop_search.load()) {
    drop_node_budget();
    const TacticalPick pick = pick_tactical_move(result.depth, played.front(), result.score, limits, search_start);
    if (pick.replaced) {
      played = pick.line;
      result.score = pick.score;
      result.tactical_pick = true;
    }
  }

  set_root_moves({}, {});
  if (!played.empty()) result.best = played.front();
  if (played.size() >= 2) result.ponder = played[1];
  return result;
}
