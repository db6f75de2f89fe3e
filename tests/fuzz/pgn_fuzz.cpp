// libFuzzer target: reads arbitrary text as PGN. Every move the reader keeps must
// be legal from its game's start, and its SAN must read back as the same move.

#include <cstddef>
#include <cstdint>
#include <string>

#include "board/position.h"
#include "board/san.h"
#include "games/pgn.h"
#include "search/startup.h"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  init_tables();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const PgnReadGame& read : read_pgn_games(text)) {
    if (read.game.moves.empty()) continue;
    load_fen(read.game.fen);
    check(has_one_king_each());
    for (const Move& m : read.game.moves) {
      check(same_move(san_to_move(move_to_san(m)), m));
      const SavedPosition saved = save_position();
      if (!make_move(m)) {
        restore_position(saved);
        check(false);
      }
    }
  }
  return 0;
}
