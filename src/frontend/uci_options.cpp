#include "frontend/uci_options.h"

#include <algorithm>
#include <array>

#include "base/text.h"
#include "board/notation.h"
#include "frontend/options.h"
#include "frontend/own_book.h"
#include "search/strength.h"
#include "search/threads.h"
#include "search/tt.h"
#include "style/search_mode.h"
#include "style/style_strength.h"
#include "style/tactical.h"

namespace {

constexpr int HASH_MAX_MB = 1024;
constexpr int LAST_STYLE = SEARCH_MODE_COUNT - 1;

bool set_hash(int megabytes) {
  if (!tt_resize(megabytes)) return false;
  hash_megabytes = megabytes;
  return true;
}

// Engine-wide settings first, then the styles, their strengths and the tactical
// selection. The styles, strengths and the tactics show their current values, so that a GUI sees what the
// command line chose; the others show their built-in defaults.
constexpr std::array OPTIONS = {
    UciOption{"Hash", OptionType::Spin, 1, HASH_MAX_MB, true, [] { return DEFAULT_HASH_MB; }, set_hash},
    UciOption{"Clear Hash", OptionType::Button, 0, 0, true, nullptr,
              [](int) {
                tt_clear();
                return true;
              }},
    // The main search thread and its helpers (search/threads.h).
    UciOption{"Threads", OptionType::Spin, 1, MAX_SEARCH_THREADS, true, [] { return 1; },
              [](int v) {
                search_threads = v;
                return true;
              }},
    UciOption{"Move Overhead", OptionType::Spin, 0, 5000, true, [] { return DEFAULT_MOVE_OVERHEAD_MS; },
              [](int v) {
                move_overhead_ms = v;
                return true;
              }},
    UciOption{"MultiPV", OptionType::Spin, 1, 256, true, [] { return 1; },
              [](int v) {
                multi_pv = v;
                return true;
              }},
    UciOption{"Ponder", OptionType::Check, 0, 1, true, [] { return 0; },
              [](int v) {
                ponder_enabled = v != 0;
                return true;
              }},
    // Castling written as the king taking its own rook; shows the command line's --chess960.
    UciOption{"UCI_Chess960", OptionType::Check, 0, 1, true, [] { return chess960 ? 1 : 0; },
              [](int v) {
                chess960 = v != 0;
                return true;
              }},
    // A playing level for people: takes effect at the next "go".
    UciOption{"UCI_LimitStrength", OptionType::Check, 0, 1, true, [] { return 0; },
              [](int v) {
                limit_strength = v != 0;
                return true;
              }},
    UciOption{"UCI_Elo", OptionType::Spin, STRENGTH_MIN_ELO, STRENGTH_MAX_ELO, true,
              [] { return STRENGTH_DEFAULT_ELO; },
              [](int v) {
                strength_elo = v;
                return true;
              }},
    // 0 draws a fresh seed for the level's choices; any other value repeats them.
    UciOption{"Seed", OptionType::Spin, 0, 2147483647, true, [] { return 0; },
              [](int v) {
                seed_strength_random(static_cast<std::uint64_t>(v));
                return true;
              }},
    UciOption{"WhiteSearchMode", OptionType::Combo, 0, LAST_STYLE, true, [] { return int{white_search_mode}; },
              [](int v) {
                white_search_mode = static_cast<SearchMode>(v);
                return true;
              }},
    UciOption{"BlackSearchMode", OptionType::Combo, 0, LAST_STYLE, true, [] { return int{black_search_mode}; },
              [](int v) {
                black_search_mode = static_cast<SearchMode>(v);
                return true;
              }},
    UciOption{"WhiteStyleStrength", OptionType::Spin, STYLE_STRENGTH_MIN, STYLE_STRENGTH_MAX, true,
              [] { return white_style_strength; },
              [](int v) {
                white_style_strength = v;
                return true;
              }},
    UciOption{"BlackStyleStrength", OptionType::Spin, STYLE_STRENGTH_MIN, STYLE_STRENGTH_MAX, true,
              [] { return black_style_strength; },
              [](int v) {
                black_style_strength = v;
                return true;
              }},
    UciOption{"TacticalMoveSelection", OptionType::Check, 0, 1, true, [] { return tactical_move_selection ? 1 : 0; },
              [](int v) {
                tactical_move_selection = v != 0;
                return true;
              }},
    UciOption{"TacticThreshold", OptionType::Spin, TACTIC_THRESHOLD_MIN, TACTIC_THRESHOLD_MAX, true,
              [] { return tactic_threshold_cp; },
              [](int v) {
                tactic_threshold_cp = v;
                return true;
              }},
    // The opening book (frontend/own_book.h): off by default, when no file is read.
    UciOption{"OwnBook", OptionType::Check, 0, 1, true, [] { return 0; },
              [](int v) {
                own_book = v != 0;
                forget_user_book();
                return true;
              }},
    UciOption{"BookFile", OptionType::String, 0, 0, true, nullptr, nullptr, [] { return std::string("<empty>"); },
              [](const std::string& text) {
                // GUIs write an empty string as "<empty>".
                book_file = text == "<empty>" ? std::string() : text;
                forget_user_book();
              }},
    UciOption{"BookDepth", OptionType::Spin, 0, BOOK_DEPTH_MAX, true, [] { return BOOK_DEPTH_DEFAULT; },
              [](int v) {
                book_depth = v;
                return true;
              }},
    UciOption{"BookVariety", OptionType::Spin, 0, 100, true, [] { return BOOK_VARIETY_DEFAULT; },
              [](int v) {
                book_variety = v;
                return true;
              }},
    // Both styles at once, for scripts; GUIs see the two combos instead.
    UciOption{"SearchMode", OptionType::Combo, 0, LAST_STYLE, false, [] { return int{white_search_mode}; },
              [](int v) {
                white_search_mode = black_search_mode = static_cast<SearchMode>(v);
                return true;
              }},
    UciOption{"StyleStrength", OptionType::Spin, STYLE_STRENGTH_MIN, STYLE_STRENGTH_MAX, false,
              [] { return white_style_strength; },
              [](int v) {
                white_style_strength = black_style_strength = v;
                return true;
              }},
    // A style as players mean it: both sides, at its published strength; listed last.
    // Choosing the style already chosen changes nothing, so a GUI that sends every option
    // at its shown default keeps the per-side options that refined the style.
    UciOption{"Style", OptionType::Combo, 0, LAST_STYLE, true, [] { return int{chosen_style}; },
              [](int v) {
                if (v != chosen_style) choose_style(static_cast<SearchMode>(v));
                return true;
              }},
};

}  // namespace

std::span<const UciOption> uci_options() { return OPTIONS; }

const UciOption* find_uci_option(std::string_view name) {
  for (const UciOption& option : OPTIONS)
    if (equal_ignoring_case(option.name, name)) return &option;
  return nullptr;
}

std::string uci_option_line(const UciOption& option) {
  std::string line = "option name " + std::string(option.name) + " type ";
  switch (option.type) {
    case OptionType::Spin:
      return line + "spin default " + std::to_string(std::clamp(option.shown(), option.min, option.max)) +
             " min " + std::to_string(option.min) + " max " + std::to_string(option.max);
    case OptionType::Check:
      return line + "check default " + (option.shown() ? "true" : "false");
    case OptionType::Combo:
      return line + "combo default " + mode_name(static_cast<SearchMode>(option.shown())) + search_mode_uci_vars();
    case OptionType::Button:
      return line + "button";
    case OptionType::String:
      return line + "string default " + option.shown_text();
  }
  return line;
}

OptionRead read_option_value(const UciOption& option, const std::string& text, int& value) {
  switch (option.type) {
    case OptionType::Spin: {
      std::int64_t number = 0;
      if (!read_whole_integer(text, number)) return OptionRead::Refused;
      value = static_cast<int>(std::clamp<std::int64_t>(number, option.min, option.max));
      return value == number ? OptionRead::Taken : OptionRead::Clamped;
    }
    case OptionType::Check:
      if (equal_ignoring_case(text, "true") || text == "1") {
        value = 1;
      } else if (equal_ignoring_case(text, "false") || text == "0") {
        value = 0;
      } else {
        return OptionRead::Refused;
      }
      return OptionRead::Taken;
    case OptionType::Combo: {
      SearchMode mode = Balanced;
      if (!read_search_mode(text, mode)) return OptionRead::Refused;
      value = mode;
      return OptionRead::Taken;
    }
    case OptionType::Button:
    case OptionType::String:
      value = 0;
      return OptionRead::Taken;
  }
  return OptionRead::Refused;
}
