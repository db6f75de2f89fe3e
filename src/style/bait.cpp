#include "style/bait.h"

#include <algorithm>
#include <climits>

#include "board/legal.h"
#include "board/position.h"
#include "search/ordering.h"

int material_taken(const Move& m) {
  int taken = 0;
  if (m.en_passant) {
    taken = mvv_lva_value[P];
  } else if (m.capture) {
    for (int code = 0; code < 12; ++code)
      if (bitboards[code] & square_bb(m.to)) taken = mvv_lva_value[code];
  }
  if (m.promoted != NO_PIECE) taken += mvv_lva_value[m.promoted] - mvv_lva_value[P];
  return taken;
}

int best_capture_exchange() {
  MoveList legal;
  generate_legal_moves(legal);
  int best = INT_MIN;
  for (const Move& m : legal.moves)
    if (m.capture) best = std::max(best, static_exchange_eval(m));
  return best;
}

int bait_offered(int taken) {
  const int best = best_capture_exchange();
  return best != INT_MIN && best >= taken + BAIT_MARGIN_CP ? best - taken : 0;
}
