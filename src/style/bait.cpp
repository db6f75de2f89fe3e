#include "style/bait.h"

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

bool least_attacker_capture(int square, Move& capture) {
  int attacker_piece = 0;
  const int attacker = see_least_attacker(square, side, occupancies[2], bitboards, attacker_piece);
  if (attacker < 0) return false;
  capture = Move{};
  capture.from = attacker;
  capture.to = square;
  capture.piece = attacker_piece;
  capture.capture = 1;
  return true;
}

namespace {

Bait exchange_bait(int taken) {
  MoveList legal;
  generate_legal_moves(legal);
  Bait best;
  bool any = false;
  for (const Move& m : legal.moves) {
    if (!m.capture) continue;
    const int see = static_exchange_eval(m);
    if (!any || see > best.gain) best = {false, m, see};
    any = true;
  }
  if (!any || best.gain < taken + BAIT_MARGIN_CP) return {};
  best.offered = true;
  best.gain -= taken;
  return best;
}

Bait moved_piece_bait(const Move& m) {
  Bait bait;
  if (!least_attacker_capture(m.to, bait.capture)) return {};
  bait.gain = static_exchange_eval(bait.capture);
  if (bait.gain < 0) return {};
  bait.offered = true;
  return bait;
}

}  // namespace

Bait bait_offered(const Move& m, int taken, BaitRule rule) {
  return rule == BaitRule::Exchange ? exchange_bait(taken) : moved_piece_bait(m);
}
