#include <cctype>
#include <string>

#include "base/text.h"
#include "board/position.h"
#include "board/san.h"
#include "games/pgn.h"

namespace {

constexpr const char* START_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

bool is_result(const std::string& token) {
  return token == "1-0" || token == "0-1" || token == "1/2-1/2" || token == "*";
}

// Reads the games of a text, one character at a time.
class PgnReader {
 public:
  explicit PgnReader(const std::string& text) : text_(text) {}

  std::vector<PgnReadGame> read() {
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (std::isspace(static_cast<unsigned char>(c))) {
        ++at_;
      } else if (c == '[' && variation_depth_ == 0) {
        if (in_movetext_) finish_game();
        read_tag();
      } else if (c == '{') {
        skip_past('}');
      } else if (c == ';' || (c == '%' && (at_ == 0 || text_[at_ - 1] == '\n'))) {
        skip_past('\n');
      } else if (c == '(') {
        ++variation_depth_;
        ++at_;
      } else if (c == ')') {
        if (variation_depth_ > 0) --variation_depth_;
        ++at_;
      } else {
        read_token();
      }
    }
    if (open_) finish_game();
    return std::move(games_);
  }

 private:
  void open_game() {
    if (open_) return;
    open_ = true;
    games_.push_back({});
    games_.back().game.fen.clear();
  }

  void finish_game() {
    open_ = in_movetext_ = false;
    variation_depth_ = 0;
  }

  void skip_past(char end) {
    const std::size_t found = text_.find(end, at_ + 1);
    at_ = found == std::string::npos ? text_.size() : found + 1;
  }

  // [Name "value"], with \" and \\ escapes in the value.
  void read_tag() {
    open_game();
    ++at_;
    std::string name, value;
    while (at_ < text_.size() && text_[at_] != '"' && text_[at_] != ']') {
      if (!std::isspace(static_cast<unsigned char>(text_[at_]))) name += text_[at_];
      ++at_;
    }
    if (at_ < text_.size() && text_[at_] == '"') {
      for (++at_; at_ < text_.size() && text_[at_] != '"'; ++at_) {
        if (text_[at_] == '\\' && at_ + 1 < text_.size()) ++at_;
        value += text_[at_];
      }
    }
    skip_past(']');
    PgnGame& game = games_.back().game;
    if (name == "Event") game.event = value;
    else if (name == "Round") game.round = value;
    else if (name == "White") game.white = value;
    else if (name == "Black") game.black = value;
    else if (name == "Result") game.result = value;
    else if (name == "FEN") game.fen = value;
    else if (!name.empty()) game.extra_tags.emplace_back(name, value);
  }

  // The first movetext token of a game sets up its position.
  void start_movetext() {
    open_game();
    in_movetext_ = true;
    PgnReadGame& read = games_.back();
    if (read.game.fen.empty()) read.game.fen = START_FEN;
    load_fen(read.game.fen);
    if (!has_one_king_each()) fault("its FEN " + quoted(read.game.fen) + " has no playable position");
  }

  void read_token() {
    const std::size_t start = at_;
    while (at_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[at_])) &&
           std::string("{}();[").find(text_[at_]) == std::string::npos)
      ++at_;
    if (at_ == start) {
      ++at_;  // a stray '}', ']' or '[' inside a variation: skipped
      return;
    }
    std::string token = text_.substr(start, at_ - start);
    if (variation_depth_ > 0) return;
    if (!in_movetext_) start_movetext();
    if (is_result(token)) {
      finish_game();
      return;
    }
    if (token[0] == '$') return;
    // A move number, perhaps joined to its move: "12.", "12...", "12.e4".
    std::size_t number = 0;
    while (number < token.size() && std::isdigit(static_cast<unsigned char>(token[number]))) ++number;
    if (number > 0 && number < token.size() && token[number] == '.') {
      while (number < token.size() && token[number] == '.') ++number;
      token.erase(0, number);
    } else if (number == token.size()) {
      return;  // a bare number
    }
    if (token.empty()) return;
    PgnReadGame& read = games_.back();
    if (!read.error.empty()) return;
    const Move m = san_to_move(token);
    if (is_empty_move(m)) {
      fault(std::string(side == WHITE ? "White's" : "Black's") + " move " + quoted(token) + " at ply " +
            std::to_string(read.game.moves.size() + 1) + " is not legal");
      return;
    }
    make_move(m);
    read.game.moves.push_back(m);
  }

  void fault(const std::string& what) {
    PgnReadGame& read = games_.back();
    read.error = "game " + std::to_string(games_.size()) + " (" + read.game.white + " - " + read.game.black +
                 ", round " + read.game.round + "): " + what;
  }

  const std::string& text_;
  std::size_t at_ = 0;
  std::vector<PgnReadGame> games_;
  bool open_ = false;         // a game has begun (a tag or a move seen) and not ended
  bool in_movetext_ = false;  // its moves have begun
  int variation_depth_ = 0;
};

}  // namespace

std::vector<PgnReadGame> read_pgn_games(const std::string& text) { return PgnReader(text).read(); }
