#pragma once
#include "board/move.h"
#include "search/info.h"
#include "search/limits.h"
#include "style/search_mode.h"

// What a search answers: the move to play and what its last info line says about it.
struct SearchResult {
  Move best = empty_move();    // a searched move whenever a legal move exists, else empty
  Move ponder = empty_move();  // the reply the played line expects, or empty
  int score = 0;               // of the played line, from the mover's view; see mate_moves
  int depth = 0;               // the last iteration completed; 0 when nothing was searched
  bool tactical_pick = false;  // the tactical selection replaced the search's best move

  // Whether the score is a mate score, printed as "score mate N" rather than "score cp".
  bool is_mate() const { return is_mate_score(score); }
  // The N of "score mate N": moves to mate, negative when being mated.
  int mate_moves() const { return mate_in_moves(score); }
};

// Iterative deepening from the current position within the limits; prints the info
// lines and answers with the move to play (the first iteration always completes).
// A depth below 1 searches nothing and answers with the first legal move.
SearchResult search_best(const SearchLimits& limits);

// The depth of the iteration after depth: Deep skips every other one past the fourth.
int next_iteration_depth(int depth, SearchMode root_mode);

// The line the root search just found on this thread; allowed are the root moves it may play.
std::vector<Move> searched_line(const std::vector<Move>& allowed);

// One root search at depth, narrowed around the previous score once it is stable.
// Used by the main search thread and its helpers alike.
int search_root(int depth, int previous);

// Empties the killers, the history and the PV lengths, as every search starts.
void reset_search_tables();
