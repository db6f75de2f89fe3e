#include "board/position.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "base/output.h"
#include "board/notation.h"
#include "board/zobrist.h"
#include "eval/pst.h"

PER_THREAD Bitboard bitboards[12]{};
PER_THREAD Bitboard occupancies[3]{};
PER_THREAD int side = WHITE;
PER_THREAD int castle = 0;
PER_THREAD int ep_sq = NO_SQUARE;
PER_THREAD int halfmove_clock = 0;
PER_THREAD std::uint64_t zobrist_key = 0;
PER_THREAD int psq_mg = 0;
PER_THREAD int psq_eg = 0;
PER_THREAD RepetitionStack repetition_stack{};

namespace {

// Every set-up ends the same way: derived sets, a fresh key, a one-entry history.
void finish_setup() {
  update_occupancies();
  refresh_psq_sums();
  zobrist_key = compute_zobrist();
  repetition_stack.clear();
  repetition_stack.push_back(zobrist_key);
}

void place_pieces(const std::string& placement) {
  int rank = 7;
  int file = 0;
  for (char c : placement) {
    if (c == '/') {
      file = 0;
      // Below the first rank every square is off the board; stop counting there.
      if (rank >= 0) --rank;
      continue;
    }
    int advance = 1;
    if (c >= '0' && c <= '9') {
      advance = c - '0';
    } else {
      const char* letter = std::char_traits<char>::find(PIECE_LETTERS, 12, c);
      // Text that runs past the board is ignored rather than wrapped onto other squares.
      if (letter && rank >= 0 && file < 8) bitboards[letter - PIECE_LETTERS] |= square_bb(rank * 8 + file);
    }
    // Saturate so that a long run of digits cannot overflow the file counter.
    file = file + advance > 8 ? 8 : file + advance;
  }
}

int parse_ep_field(const std::string& field) {
  if (field.size() < 2) return NO_SQUARE;
  if (field[0] < 'a' || field[0] > 'h' || field[1] < '1' || field[1] > '8') return NO_SQUARE;
  return parse_square(field);
}

// The fifth FEN field: digits only, else 0.
int parse_halfmove_clock(const std::string& field) {
  int clock = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return 0;
    clock = std::min(clock * 10 + (c - '0'), HALFMOVE_CLOCK_CAP);
  }
  return clock;
}

}  // namespace

void init_board_startpos() {
  constexpr Bitboard START[12] = {
      0xff00ULL, 0x42ULL, 0x24ULL, 0x81ULL, 0x8ULL, 0x10ULL,
      0xff000000000000ULL, 0x4200000000000000ULL, 0x2400000000000000ULL,
      0x8100000000000000ULL, 0x800000000000000ULL, 0x1000000000000000ULL,
  };
  for (int i = 0; i < 12; ++i) bitboards[i] = START[i];
  side = WHITE;
  castle = 15;
  castling = standard_castling();
  ep_sq = NO_SQUARE;
  halfmove_clock = 0;
  finish_setup();
}

void load_fen(const std::string& text) {
  for (Bitboard& set : bitboards) set = 0;

  std::istringstream in(text);
  std::string fields[5];
  for (std::string& field : fields) in >> field;

  place_pieces(fields[0]);
  side = fields[1] == "w" ? WHITE : BLACK;
  castle = read_castling_field(fields[2]);
  ep_sq = fields[3] == "-" ? NO_SQUARE : parse_ep_field(fields[3]);
  halfmove_clock = parse_halfmove_clock(fields[4]);
  finish_setup();
}

void compute_psq_sums(int& mg, int& eg) {
  mg = 0;
  eg = 0;
  for (int piece = P; piece <= k; ++piece) {
    for (Bitboard set = bitboards[piece]; set;) {
      const int square = pop_lsb(set);
      mg += psq_mg_table[piece][square];
      eg += psq_eg_table[piece][square];
    }
  }
}

int piece_on(int square) {
  for (int code = 0; code < 12; ++code)
    if (bitboards[code] & square_bb(square)) return code;
  return NO_PIECE;
}

void refresh_psq_sums() { compute_psq_sums(psq_mg, psq_eg); }

void print_position(const SavedPosition& pos) {
  for (int rank = 7; rank >= 0; --rank) {
    std::string line;
    for (int file = 0; file < 8; ++file) {
      char shown = '.';
      for (int code = 0; code < 12; ++code) {
        if (pos.bitboards[code] & square_bb(rank * 8 + file)) {
          shown = PIECE_LETTERS[code];
          break;
        }
      }
      line += shown;
      line += ' ';
    }
    send_line(line);
  }
  char key[17];
  std::snprintf(key, sizeof key, "%llx", static_cast<unsigned long long>(pos.zobrist_key));
  // Rights with the king on e and the rooks in the corners show as their bits; others as in X-FEN.
  const std::string rights =
      castling_is_standard(pos.castle) ? std::to_string(pos.castle) : castling_field(pos.bitboards, pos.castle);
  send_line("side=" + std::string(pos.side == WHITE ? "w" : "b") + " castle=" + rights +
            " ep=" + (pos.ep_sq == NO_SQUARE ? std::string("-") : sq_to_str(pos.ep_sq)) + " key=" + key);
}

void print_board() { print_position(save_position()); }

PositionSnapshot take_position_snapshot() { return {save_position(), repetition_stack, castling}; }

void install_position_snapshot(const PositionSnapshot& snapshot) {
  restore_position(snapshot.position);
  repetition_stack = snapshot.history;
  castling = snapshot.castling;
}
