#pragma once
// The pieces of the tactical move selection, split by step so each can be read
// (and tested) on its own. Everything works on the current global position and
// leaves it as it found it.

#include <chrono>
#include <vector>

#include "board/move.h"
#include "search/timeman.h"
#include "style/search_mode.h"

// One scored candidate; score is from the root mover's view, line is the
// candidate followed by the line its search found.
struct TacticalCandidate {
  Move move;
  int score;
  int tactical_score;
  std::vector<Move> line = {};
  // How much further below best than the threshold this candidate may score and still
  // be chosen: a style above strength 100 pays for its own kind of move.
  int slack = 0;
};

// At most this many gathered candidates are scored (best may come on top).
constexpr std::size_t MAX_TACTICAL_CANDIDATES = 8;

// The selection reads a style at three points, and not always the same side's. The
// candidates are gathered in the style of the mover at the root; the terms of a
// candidate are measured in the style of the side to move after it, the opponent; the
// bonus for them is added in the mover's style. With both sides in one style, as two
// engines in a match have it, the three are the same.
inline SearchMode gathering_mode(int mover) { return mode_of(mover); }
inline SearchMode term_mode(int mover) { return mode_of(mover ^ 1); }
inline SearchMode bonus_mode(int mover) { return mode_of(mover); }

// The style's own kind of move (its row's OwnMove): a check, any move that leaves bait,
// a passed or storm pawn push, or a trade of a piece it wants gone, taken or offered by
// a quiet move.
// Above strength 100 these are scored first and may cost more than the threshold.
bool steered_candidate(const Move& m, SearchMode mode);

// A trade offer, read in the position after the quiet move m: the moved piece is of a
// kind the ending style wants gone, and either the opponent's least valuable attacker of
// it is too and taking is about even, or it attacks such a piece and taking that is.
constexpr int TRADE_OFFER_MARGIN_CP = 50;
// A capture of a piece the mode wants gone that loses no more than the trade margin.
bool trade_capture(const Move& m, SearchMode mode);
bool offers_trade(const Move& m, SearchMode mode);

// Both gathering passes over the generated moves, in generation order (above strength
// 100, the mover's own kind of move first).
std::vector<Move> gather_tactical_candidates(const MoveList& generated);

// Drops the candidates a "go searchmoves" did not name (none when it named nothing).
void keep_search_moves(std::vector<Move>& candidates, const std::vector<Move>& search_moves);

// Cuts the list to its first eight and appends best when it is missing.
void shape_candidate_list(std::vector<Move>& candidates, const Move& best);

// Searches and rates each candidate to depth d (0..4) until the time manager's cap
// (counted from scoring_start, in time for a clocked search, else in nodes) or the
// search's budget runs out.
std::vector<TacticalCandidate> score_tactical_candidates(const std::vector<Move>& candidates, int d,
                                                         std::chrono::steady_clock::time_point scoring_start,
                                                         bool clocked = true);

// The best-rated record within the threshold of best's score, or best itself.
Move choose_tactical_move(const std::vector<TacticalCandidate>& records, const Move& best, int threshold);

// Whether m, searched to depth after it with a null window, scores at least floor for
// the side to move. False when the search was stopped before it could tell: by the
// search's own budget, or after max_nodes (a pick far from the main search's tree
// could otherwise search for minutes).
bool holds_up(const Move& m, int depth, int floor, std::int64_t max_nodes = TACTICAL_SCORING_CAP_NODES);

// The choice among records above strength 100, where any choice but best must hold up
// at depth within margin of best_score (the main search's): one that does not is struck
// off and the choice made again among the rest.
Move choose_held_move(std::vector<TacticalCandidate> records, const Move& best, int threshold, int depth,
                      int best_score, int margin);
