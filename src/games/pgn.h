#pragma once
// PGN text of a game: the tag pairs and the moves in SAN, in export form.

#include <string>
#include <utility>
#include <vector>

#include "board/move.h"

struct PgnGame {
  // Tag pairs after the seven-tag roster, in order (for example SetUp, FEN, Termination).
  std::vector<std::pair<std::string, std::string>> extra_tags;
  std::string event = "?";
  std::string round = "?";
  std::string white = "?";
  std::string black = "?";
  std::string result = "*";
  std::string fen;             // the start position, six fields
  std::vector<Move> moves;     // legal moves from fen, in order
  std::string final_comment;   // shown before the result, e.g. "threefold repetition"; empty for none
};

using PgnTags = std::vector<std::pair<std::string, std::string>>;

// The tags of a game from a set-up position: Variant "Chess960" when UCI_Chess960 is
// on (its SAN castling still reads O-O and O-O-O), then SetUp and FEN.
PgnTags start_position_tags(const std::string& fen);

// The game as PGN: tags, a blank line, movetext wrapped before 80 columns, a
// blank line. Replays the moves on the global position to write their SAN.
std::string pgn_text(const PgnGame& game);
