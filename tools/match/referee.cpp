#include "match/referee.h"

#include <climits>

#include "board/draw.h"
#include "board/notation.h"
#include "board/position.h"

namespace {

const char* colour_name(int colour) { return colour == WHITE ? "White" : "Black"; }

const char* win_for(int colour) { return colour == WHITE ? "1-0" : "0-1"; }

}  // namespace

void begin_game(RefereeGame& game, const Opening& opening, const TimeControl& tc, int max_plies,
                const ScoreRules& rules) {
  load_fen(opening.fen);
  game.start_fen = opening.fen;
  game.progress = GameProgress{};
  game.progress.keys.push_back(zobrist_key);
  game.progress.halfmove_clock = opening.halfmove_clock;
  game.progress.max_plies = max_plies > 0 ? max_plies : INT_MAX;
  game.clock = start_clock(tc);
  game.rules = rules;
  game.plies.clear();
  game.position_command = "position fen " + opening.fen + " moves";
}

bool play_move_text(RefereeGame& game, const std::string& text, int score, int depth) {
  const Move m = parse_uci_move(text);
  if (is_empty_move(m)) return false;
  const SavedPosition saved = save_position();
  if (!make_move(m)) {
    restore_position(saved);
    return false;
  }
  record_move(m, game.progress);
  game.plies.push_back({m, score, false, depth});
  game.position_command += ' ';
  game.position_command += move_to_str(m);
  return true;
}

GameOutcome rules_outcome(const RefereeGame& game) {
  int loser = WHITE;
  const GameEnd end = adjudicate_game(game.progress, game.plies, game.rules, loser);
  if (end == GameEnd::None) return {};
  return {game_result(end, loser), game_end_comment(end, loser), termination_tag(end)};
}

GameOutcome forfeit_outcome(Forfeit why, int loser, const std::string& detail) {
  const std::string who = colour_name(loser);
  switch (why) {
    case Forfeit::Time:
    case Forfeit::NoReply: {
      const std::string how = why == Forfeit::Time ? " loses on time" : " does not reply";
      if (!has_mating_material(loser ^ 1))
        return {"1/2-1/2", who + how + ", no mating material against it", "time forfeit"};
      return {win_for(loser ^ 1), who + how, "time forfeit"};
    }
    case Forfeit::IllegalMove:
      return {win_for(loser ^ 1), who + " plays an illegal move " + (detail.empty() ? "(none)" : detail),
              "rules infraction"};
    case Forfeit::Crash: return {win_for(loser ^ 1), who + " engine crashed", "abandoned"};
    default: return {};
  }
}

GameOutcome play_game(RefereeGame& game, const Opening& opening, UciPlayer& white, UciPlayer& black,
                      const TimeControl& tc, int max_plies, const ScoreRules& rules) {
  begin_game(game, opening, tc, max_plies, rules);
  for (;;) {
    GameOutcome outcome = rules_outcome(game);
    if (outcome.result != "*") return outcome;
    const int mover = side;
    const EngineReply reply = ask_move(mover == WHITE ? white : black, game.position_command, game.clock, mover);
    if (reply.kind == EngineReply::Crashed) return forfeit_outcome(Forfeit::Crash, mover);
    if (reply.kind == EngineReply::NoReply) return forfeit_outcome(Forfeit::NoReply, mover);
    if (!charge_move(game.clock, mover, reply.elapsed_ms)) return forfeit_outcome(Forfeit::Time, mover);
    if (!play_move_text(game, reply.move, reply.score, reply.depth)) return forfeit_outcome(Forfeit::IllegalMove, mover, reply.move);
  }
}
