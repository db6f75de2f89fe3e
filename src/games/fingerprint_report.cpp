#include "games/fingerprint_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::string fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string out = text;
  // "-0.0" reads as a sign where there is none.
  if (out[0] == '-' && out.find_first_not_of("-0.") == std::string::npos) out.erase(0, 1);
  return out;
}

// Few decimals for large figures, more for small ones.
int decimals_for(Figure figure) {
  switch (figure) {
    case EloDifference:
    case GamePlies: return 0;
    case ScorePercent:
    case PawnEndings:
    case MajorEndings:
    case MinorEndings:
    case SacrificeWins:
    case ShortWins:
    case DrawsAhead:
    case ChecksPer100:
    case CapturesPer100:
    case BaitPer100:
    case TacticalPer100: return 1;
    default: return 2;
  }
}

std::string signed_text(double value) { return std::string(value > 0 ? "+" : "") + fixed(value, 0); }

std::string cell(Figure figure, const Estimate& e) {
  if (std::isnan(e.value)) return "-";
  if (figure == EloDifference) return signed_text(e.value) + " [" + signed_text(e.low) + "," + signed_text(e.high) + "]";
  const int decimals = decimals_for(figure);
  // An interval cut at the end of a figure's range is lopsided: show its longer side.
  return fixed(e.value, decimals) + " ±" + fixed(std::max(e.high - e.value, e.value - e.low), decimals);
}

std::string settings_text(const GameSettings& run) {
  std::string text = run.movetime_ms > 0 ? std::to_string(run.movetime_ms) + " ms a move"
                                         : std::to_string(run.nodes) + " nodes a move";
  text += run.tactics ? ", tactical selection on (threshold " + std::to_string(run.threshold) + " cp)"
                      : ", tactical selection off";
  text += run.per_side ? ", one engine reading each side's style at its own nodes" : ", each side its own engine";
  if (run.level > 0) text += ", both sides at UCI_Elo " + std::to_string(run.level);
  return text;
}

}  // namespace

std::string fingerprint_csv(const std::vector<StyleRow>& rows, const GameSettings& run, const std::string& baseline) {
  std::string text = "style,games,nodes,movetime_ms,tactics,threshold,setup,level,strength";
  for (const FigureName& name : FIGURE_NAMES) {
    const std::string column = name.column;
    text += "," + column + "," + column + "_lo," + column + "_hi";
  }
  text += ",baseline\n";
  for (const StyleRow& row : rows) {
    text += row.name + "," + std::to_string(row.print.games) + "," +
            std::to_string(run.nodes) + "," + std::to_string(run.movetime_ms) + "," + (row.tactics ? "1" : "0") +
            "," + std::to_string(run.threshold) + "," + (run.per_side ? "per-side" : "engines") + "," +
            std::to_string(run.level) + "," + std::to_string(row.strength);
    for (const Estimate& e : row.print.figures)
      for (double figure : {e.value, e.low, e.high}) {
        text += ',';
        text += std::isnan(figure) ? "nan" : fixed(figure, 3);
      }
    text += "," + baseline + "\n";
  }
  return text;
}

std::string fingerprint_table(const std::vector<StyleRow>& rows, const GameSettings& run, const std::string& baseline) {
  std::vector<std::vector<std::string>> cells;
  std::vector<std::string> heading = {"Style", "Games", "Str%"};
  for (const FigureName& name : FIGURE_NAMES) heading.push_back(name.heading);
  cells.push_back(heading);
  for (const StyleRow& row : rows) {
    std::vector<std::string> line = {row.name, std::to_string(row.print.games), std::to_string(row.strength)};
    for (int f = 0; f < FIGURE_COUNT; ++f) {
      const bool unused = f == TacticalPer100 && !row.tactics;
      line.push_back(unused ? "-" : cell(static_cast<Figure>(f), row.print.figures[f]));
    }
    cells.push_back(line);
  }

  std::vector<std::size_t> widths(heading.size(), 0);
  for (const auto& line : cells)
    for (std::size_t c = 0; c < line.size(); ++c) {
      // The "±" sign takes two bytes for one column on the screen.
      const std::size_t shown = line[c].size() - (line[c].find("±") != std::string::npos ? 1 : 0);
      widths[c] = std::max(widths[c], shown);
    }

  const bool without_selection = std::any_of(rows.begin(), rows.end(), [&](const StyleRow& r) { return !r.tactics; });
  std::string text = "Styles against " + baseline + ", " + settings_text(run) +
                     (run.tactics && without_selection ? ", NoTactics = Balanced without it" : "") +
                     "; 95% intervals.\n";
  for (const auto& line : cells) {
    for (std::size_t c = 0; c < line.size(); ++c) {
      const std::size_t shown = line[c].size() - (line[c].find("±") != std::string::npos ? 1 : 0);
      const std::string pad(widths[c] - shown, ' ');
      // Names read best flush left, numbers flush right.
      text += c == 0 ? line[c] + pad : pad + line[c];
      text += c + 1 < line.size() ? "  " : "\n";
    }
  }
  return text;
}
