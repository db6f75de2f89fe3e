#pragma once
// PGN text of a game: the tag pairs and the moves in SAN, written in export form
// and read back from what people and programs write.

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

// One game as read from a PGN text.
struct PgnReadGame {
  PgnGame game;       // the tags and the legal moves read (those before a fault)
  std::string error;  // empty when every move was read; else the game and the move at fault
};

// Every game of a PGN text, in order. Comments, variations, move numbers and
// annotation glyphs are skipped. A move that is not legal, or a FEN tag that gives
// no playable position, ends the reading of its game only: the error names the game
// (its number, players and round) and the move, and the next game is read as usual.
// Leaves the calling thread's position at the last game's end.
std::vector<PgnReadGame> read_pgn_games(const std::string& text);
