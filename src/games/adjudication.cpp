#include "games/adjudication.h"

#include <algorithm>
#include <cstdlib>

#include "base/text.h"
#include "board/draw.h"
#include "board/legal.h"
#include "board/position.h"

namespace {
constexpr int REPETITIONS_FOR_DRAW = 3;

// Whether the last moves of each side (2 * moves plies) were all searched and each
// score holds: holds(score, by_last_mover).
template <typename Holds>
bool streak(const std::vector<PlayedMove>& plies, int moves, Holds holds) {
  const std::size_t length = 2 * static_cast<std::size_t>(moves);
  if (moves <= 0 || plies.size() < length) return false;
  for (std::size_t i = plies.size() - length; i < plies.size(); ++i)
    if (plies[i].depth == 0 || !holds(plies[i].score, (plies.size() - 1 - i) % 2 == 0)) return false;
  return true;
}
// A rule's numbers as written, in order, with their ranges; the last is its count of
// moves, which is 0 when the rule is off.
struct RuleField {
  int ScoreRules::*value;
  int low, high;
};
constexpr RuleField RESIGN_FIELDS[] = {{&ScoreRules::resign_cp, 1, RULE_CP_MAX},
                                       {&ScoreRules::resign_moves, 1, RULE_MOVES_MAX}};
constexpr RuleField DRAW_FIELDS[] = {{&ScoreRules::draw_after_move, 0, DRAW_AFTER_MOVE_MAX},
                                     {&ScoreRules::draw_cp, 0, RULE_CP_MAX},
                                     {&ScoreRules::draw_moves, 1, RULE_MOVES_MAX}};

template <std::size_t N>
std::string rule_text(const ScoreRules& rules, const RuleField (&fields)[N]) {
  if (rules.*(fields[N - 1].value) == 0) return "off";
  std::string text;
  for (const RuleField& field : fields) text += (text.empty() ? "" : ",") + std::to_string(rules.*(field.value));
  return text;
}

template <std::size_t N>
bool read_rule(const std::string& text, ScoreRules& rules, const RuleField (&fields)[N]) {
  ScoreRules read = rules;
  if (text == "off") {
    read.*(fields[N - 1].value) = 0;
  } else {
    const std::vector<std::string> items = split_fields(text, ',');
    if (items.size() != N) return false;
    for (std::size_t i = 0; i < N; ++i)
      if (!read_whole_number(items[i], fields[i].low, fields[i].high, read.*(fields[i].value))) return false;
  }
  rules = read;
  return true;
}
}  // namespace

void record_move(const Move& m, GameProgress& progress) {
  // A capture or pawn move resets the clock, and no earlier position can recur.
  const bool irreversible = m.capture || m.piece % 6 == P;
  progress.halfmove_clock = irreversible ? 0 : progress.halfmove_clock + 1;
  if (irreversible) progress.keys.clear();
  progress.keys.push_back(zobrist_key);
  ++progress.plies;
}

GameEnd adjudicate(const GameProgress& progress) {
  if (!has_legal_move()) return king_attacked(side) ? GameEnd::Checkmate : GameEnd::Stalemate;
  if (is_dead_position()) return GameEnd::DeadPosition;
  if (std::count(progress.keys.begin(), progress.keys.end(), zobrist_key) >= REPETITIONS_FOR_DRAW)
    return GameEnd::Repetition;
  if (progress.halfmove_clock >= FIFTY_MOVE_PLIES) return GameEnd::FiftyMoves;
  if (progress.max_plies > 0 && progress.plies >= progress.max_plies) return GameEnd::LengthCap;
  return GameEnd::None;
}

GameEnd adjudicate_scores(const std::vector<PlayedMove>& plies, const ScoreRules& rules, int side_to_move,
                          int& loser) {
  for (const bool last_mover_ahead : {true, false}) {
    const bool agreed = streak(plies, rules.resign_moves, [&](int score, bool by_last_mover) {
      return by_last_mover == last_mover_ahead ? score >= rules.resign_cp : score <= -rules.resign_cp;
    });
    if (agreed) {
      loser = last_mover_ahead ? side_to_move : side_to_move ^ 1;
      return GameEnd::Resigned;
    }
  }
  // Plies before index 2 * draw_after_move belong to the first draw_after_move moves.
  const std::size_t first = plies.size() - std::min(plies.size(), 2 * static_cast<std::size_t>(rules.draw_moves));
  if (first >= 2 * static_cast<std::size_t>(rules.draw_after_move) &&
      streak(plies, rules.draw_moves, [&](int score, bool) { return std::abs(score) <= rules.draw_cp; }))
    return GameEnd::ScoreDraw;
  return GameEnd::None;
}

GameEnd adjudicate_game(const GameProgress& progress, const std::vector<PlayedMove>& plies, const ScoreRules& rules,
                        int& loser) {
  loser = side;
  const GameEnd end = adjudicate(progress);
  if (end != GameEnd::None && end != GameEnd::LengthCap) return end;
  const GameEnd by_scores = adjudicate_scores(plies, rules, side, loser);
  return by_scores != GameEnd::None ? by_scores : end;
}

const char* game_result(GameEnd end, int loser) {
  if (end == GameEnd::None) return "*";
  if (!decisive(end)) return "1/2-1/2";
  return loser == WHITE ? "0-1" : "1-0";
}

const char* game_end_name(GameEnd end) {
  switch (end) {
    case GameEnd::Checkmate: return "checkmate";
    case GameEnd::Stalemate: return "stalemate";
    case GameEnd::Repetition: return "threefold repetition";
    case GameEnd::FiftyMoves: return "fifty-move rule";
    case GameEnd::DeadPosition: return "dead position";
    case GameEnd::LengthCap: return "length cap";
    case GameEnd::Resigned: return "resign rule";
    case GameEnd::ScoreDraw: return "draw rule";
    default: return "unterminated";
  }
}

std::string game_end_comment(GameEnd end, int loser) {
  if (end != GameEnd::Resigned) return game_end_name(end);
  return std::string(loser == WHITE ? "White" : "Black") + " resigns (" + game_end_name(end) + ")";
}

const char* termination_tag(GameEnd end) { return adjudicated(end) ? "adjudication" : "normal"; }

bool game_end_from_name(const std::string& name, GameEnd& end) {
  for (int e = static_cast<int>(GameEnd::Checkmate); e <= static_cast<int>(LAST_GAME_END); ++e) {
    if (name != game_end_name(static_cast<GameEnd>(e))) continue;
    end = static_cast<GameEnd>(e);
    return true;
  }
  return false;
}

std::string resign_rule_text(const ScoreRules& rules) { return rule_text(rules, RESIGN_FIELDS); }
std::string draw_rule_text(const ScoreRules& rules) { return rule_text(rules, DRAW_FIELDS); }
bool read_resign_rule(const std::string& text, ScoreRules& rules) { return read_rule(text, rules, RESIGN_FIELDS); }
bool read_draw_rule(const std::string& text, ScoreRules& rules) { return read_rule(text, rules, DRAW_FIELDS); }

std::string adjudication_summary(const ScoreRules& rules, int max_plies, int resigned, int drawn, int capped) {
  auto games = [](int count) { return std::to_string(count) + (count == 1 ? " game" : " games"); };
  std::string text = "Adjudication: ";
  text += rules.resign_moves == 0 ? "no resign rule"
                                  : "resign at " + std::to_string(rules.resign_cp) + " cp for " +
                                        std::to_string(rules.resign_moves) + " moves decided " + games(resigned);
  text += "; ";
  text += rules.draw_moves == 0 ? "no draw rule"
                                : "draw within " + std::to_string(rules.draw_cp) + " cp for " +
                                      std::to_string(rules.draw_moves) + " moves after move " +
                                      std::to_string(rules.draw_after_move) + " decided " + games(drawn);
  text += "; ";
  text += max_plies == 0 ? "no ply cap"
                         : games(capped) + " reached the " + std::to_string(max_plies) + "-ply cap (drawn)";
  return text + "\n";
}
