#include "games/openings.h"

#include <cstdint>
#include <random>
#include <sstream>

#include "base/text.h"
#include "board/attacks.h"
#include "board/legal.h"
#include "board/position.h"

namespace {

bool parse_count(const std::string& text, int& value) { return read_whole_number(text, 0, INT32_MAX, value); }

// The placement field: eight ranks of eight squares, known letters, one king a side,
// no pawn on the first or last rank.
const char* placement_fault(const std::string& placement) {
  int rank = 7, file = 0, white_kings = 0, black_kings = 0;
  for (char c : placement) {
    if (c == '/') {
      if (file != 8 || rank == 0) return "a rank of the placement does not hold eight squares";
      --rank;
      file = 0;
    } else if (c >= '1' && c <= '8') {
      file += c - '0';
    } else {
      const std::string letters = PIECE_LETTERS;
      if (letters.find(c) == std::string::npos) return "unknown piece letter in the placement";
      if ((c == 'P' || c == 'p') && (rank == 0 || rank == 7)) return "a pawn stands on the first or last rank";
      white_kings += c == 'K';
      black_kings += c == 'k';
      ++file;
    }
    if (file > 8) return "a rank of the placement holds more than eight squares";
  }
  if (rank != 0 || file != 8) return "the placement does not describe eight ranks";
  if (white_kings != 1 || black_kings != 1) return "each side needs exactly one king";
  return nullptr;
}

const char* field_fault(const std::string fields[4]) {
  if (const char* fault = placement_fault(fields[0])) return fault;
  if (fields[1] != "w" && fields[1] != "b") return "the side to move is neither w nor b";
  // Standard letters, X-FEN and Shredder-FEN.
  if (fields[2] != "-") {
    for (char c : fields[2])
      if (std::string("KQkqABCDEFGHabcdefgh").find(c) == std::string::npos) return "bad castling field";
  }
  if (fields[3] != "-") {
    const std::string& ep = fields[3];
    const char rank = fields[1] == "w" ? '6' : '3';
    if (ep.size() != 2 || ep[0] < 'a' || ep[0] > 'h' || ep[1] != rank) return "bad en-passant field";
  }
  return nullptr;
}

// Reads the operations after the four fields; only the move counters matter here.
const char* read_operations(std::istringstream& in, int& halfmove, int& fullmove) {
  std::string opcode;
  while (in >> opcode) {
    std::string operand;
    std::getline(in, operand, ';');
    const std::size_t start = operand.find_first_not_of(' ');
    operand = start == std::string::npos ? "" : operand.substr(start);
    if (opcode == "hmvc" && !parse_count(operand, halfmove)) return "bad hmvc operation";
    if (opcode == "fmvn" && (!parse_count(operand, fullmove) || fullmove < 1)) return "bad fmvn operation";
  }
  return nullptr;
}

const char* position_fault() {
  // The side that has just moved cannot be in check.
  const Bitboard king = bitboards[side == WHITE ? k : K];
  if (is_square_attacked(lsb(king), side)) return "the side not to move is in check";
  MoveList legal;
  generate_legal_moves(legal);
  if (legal.moves.empty()) return "the side to move has no legal move";
  return nullptr;
}

}  // namespace

bool parse_openings(const std::string& text, std::vector<Opening>& openings, std::string& error) {
  openings.clear();
  std::istringstream lines(text);
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;

    std::istringstream in(line);
    std::string fields[4];
    for (std::string& field : fields) in >> field;
    int halfmove = 0, fullmove = 1;
    const char* fault = fields[3].empty() ? "fewer than four FEN fields" : field_fault(fields);
    if (!fault) fault = read_operations(in, halfmove, fullmove);
    if (!fault) {
      load_fen(fields[0] + " " + fields[1] + " " + fields[2] + " " + fields[3]);
      fault = position_fault();
    }
    if (fault) {
      error = "line " + std::to_string(number) + ": " + fault;
      return false;
    }
    openings.push_back({fields[0] + " " + fields[1] + " " + fields[2] + " " + fields[3] + " " +
                            std::to_string(halfmove) + " " + std::to_string(fullmove),
                        halfmove});
  }
  if (openings.empty()) {
    error = "no positions";
    return false;
  }
  return true;
}

Opening chess960_opening(int number) {
  // The number's digits in mixed radix place the light-squared bishop (b d f h), the
  // dark-squared one (a c e g), the queen on one of six free squares, and the knights
  // on one of ten pairs of the five left; rook, king, rook fill the last three.
  constexpr int KNIGHT_PAIRS[10][2] = {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}};
  char rank[8] = {};
  rank[2 * (number % 4) + 1] = 'b';
  number /= 4;
  rank[2 * (number % 4)] = 'b';
  number /= 4;
  auto place_on_free = [&rank](int nth, char piece) {
    for (char& square : rank)
      if (!square && nth-- == 0) square = piece;
  };
  place_on_free(number % 6, 'q');
  number /= 6;
  // The second knight's index counts the free squares before the first is placed.
  place_on_free(KNIGHT_PAIRS[number][1], 'n');
  place_on_free(KNIGHT_PAIRS[number][0], 'n');
  for (char piece : {'r', 'k', 'r'}) place_on_free(0, piece);
  std::string black(rank, 8), white;
  for (char c : black) white += static_cast<char>(c - 'a' + 'A');
  return {black + "/pppppppp/8/8/8/8/PPPPPPPP/" + white + " w KQkq - 0 1", 0};
}

std::vector<Opening> chess960_openings() {
  std::vector<Opening> openings;
  for (int number = 0; number < 960; ++number) openings.push_back(chess960_opening(number));
  return openings;
}

std::vector<int> opening_order(int count, std::uint64_t seed) {
  std::vector<int> order(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) order[i] = i;
  std::mt19937_64 random(seed);
  for (int i = count - 1; i > 0; --i) std::swap(order[i], order[random() % static_cast<std::uint64_t>(i + 1)]);
  return order;
}
