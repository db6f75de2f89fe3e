#include "search/startup.h"

#include <mutex>

#include "board/attacks.h"
#include "board/zobrist.h"
#include "eval/passed_pawns.h"
#include "search/strength.h"

void init_tables() {
  static std::once_flag once;
  std::call_once(once, [] {
    init_leapers();
    init_magics();
    init_zobrist();
    init_passed_pawn_masks();
    seed_strength_random(0);
  });
}
