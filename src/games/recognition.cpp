#include "games/recognition.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "games/fingerprint_summary.h"
#include "games/style_gate.h"

namespace {

using Features = std::vector<double>;

// The figures the style table's gate columns name, each once, in table order.
std::vector<Figure> gate_figures() {
  std::vector<Figure> figures;
  for (const StyleEntry& style : STYLES)
    for (const GateColumn& gate : style.gate) {
      if (gate.column == nullptr) continue;
      const Figure figure = figure_named(gate.column);
      if (std::find(figures.begin(), figures.end(), figure) == figures.end()) figures.push_back(figure);
    }
  return figures;
}

// A game's own value of a figure. A game without the figure's denominator (no searched
// move of its side) has nothing of it, which counts as 0.
double game_value(Figure figure, const GameStats& game) {
  const FigureTerms terms = figure_terms(figure, game);
  return terms.denominator > 0 ? terms.numerator / terms.denominator : 0;
}

// Every game's features, row by row, each divided by its spread over the whole run so that
// no column weighs by its unit; a column that never varies tells no style apart.
std::vector<std::vector<Features>> standardised(const std::vector<RecognitionRow>& rows) {
  std::vector<std::vector<Features>> values;
  for (const RecognitionRow& row : rows) values.emplace_back(row.games.size());
  for (const Figure figure : gate_figures()) {
    std::vector<double> all;
    for (const RecognitionRow& row : rows)
      for (const GameStats& game : row.games) all.push_back(game_value(figure, game));
    const auto [low, high] = std::minmax_element(all.begin(), all.end());
    if (all.empty() || *low == *high) continue;
    const auto n = static_cast<double>(all.size());
    double mean = 0, squares = 0;
    for (const double value : all) mean += value;
    mean /= n;
    for (const double value : all) squares += (value - mean) * (value - mean);
    const double spread = std::sqrt(squares / n);
    std::size_t at = 0;
    for (std::vector<Features>& row : values)
      for (Features& game : row) game.push_back(all[at++] / spread);
  }
  return values;
}

// The 95% Wilson interval of a share, in per cent: unlike the normal one it keeps its
// width at a share of 100%, where a run of good naming ends up.
Estimate share_percent(int right, int total) {
  const double n = total, share = right / n, z2 = Z_95 * Z_95;
  const double centre = (share + z2 / (2 * n)) / (1 + z2 / n);
  const double half = Z_95 * std::sqrt(share * (1 - share) / n + z2 / (4 * n * n)) / (1 + z2 / n);
  return {100 * share, 100 * (centre - half), 100 * (centre + half)};
}

}  // namespace

Recognition recognise(const std::vector<RecognitionRow>& rows, int block_games) {
  const std::vector<std::vector<Features>> games = standardised(rows);
  Recognition result;
  result.block_games = block_games;
  for (const auto& row : games)
    if (!row.empty()) result.features = static_cast<int>(row.front().size());
  const auto features = static_cast<std::size_t>(result.features);

  std::array<Features, SEARCH_MODE_COUNT> sums;
  std::array<int, SEARCH_MODE_COUNT> counts{};
  sums.fill(Features(features, 0.0));
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (const Features& game : games[r]) {
      for (std::size_t f = 0; f < features; ++f) sums[rows[r].style][f] += game[f];
      ++counts[rows[r].style];
    }

  for (std::size_t r = 0; r < rows.size(); ++r) {
    const SearchMode own = rows[r].style;
    RowNaming naming;
    naming.name = rows[r].name;
    naming.style = own;
    std::array<int, SEARCH_MODE_COUNT> wrong{};
    naming.blocks = static_cast<int>(games[r].size()) / block_games;
    for (int b = 0; b < naming.blocks; ++b) {
      Features block(features, 0.0);
      for (int g = b * block_games; g < (b + 1) * block_games; ++g)
        for (std::size_t f = 0; f < features; ++f) block[f] += games[r][static_cast<std::size_t>(g)][f];
      int named = -1;
      double nearest = std::numeric_limits<double>::infinity();
      for (int c = 0; c < SEARCH_MODE_COUNT; ++c) {
        // The block's own games would pull its own class's mean towards it.
        const bool left_out = c == own;
        const int count = counts[c] - (left_out ? block_games : 0);
        if (count <= 0) continue;
        double distance = 0;
        for (std::size_t f = 0; f < features; ++f) {
          const double centre = (sums[c][f] - (left_out ? block[f] : 0)) / count;
          const double apart = block[f] / block_games - centre;
          distance += apart * apart;
        }
        if (distance < nearest) {
          nearest = distance;
          named = c;
        }
      }
      if (named == own) ++naming.named_right;
      else if (named >= 0) ++wrong[named];
    }
    const auto most = std::max_element(wrong.begin(), wrong.end());
    if (*most > 0) naming.most_common_wrong = mode_name(static_cast<SearchMode>(most - wrong.begin()));
    result.rows.push_back(naming);
  }
  return result;
}

std::string recognition_text(const Recognition& recognition) {
  std::array<int, SEARCH_MODE_COUNT> blocks{}, right{};
  int total = 0, total_right = 0;
  for (const RowNaming& row : recognition.rows) {
    blocks[row.style] += row.blocks;
    right[row.style] += row.named_right;
    total += row.blocks;
    total_right += row.named_right;
  }
  char text[256];
  if (total == 0) {
    std::snprintf(text, sizeof text, "Recognition: no row has a block of %d games to name\n",
                  recognition.block_games);
    return text;
  }
  const Estimate rate = share_percent(total_right, total);
  std::snprintf(text, sizeof text,
                "Recognition: %d of %d blocks of %d games named right (%.1f%% [%.1f, %.1f]), each by the "
                "nearest style's mean over %d gate columns, its own games left out\n",
                total_right, total, recognition.block_games, rate.value, rate.low, rate.high,
                recognition.features);
  std::string by_style;
  for (int c = 0; c < SEARCH_MODE_COUNT; ++c)
    if (blocks[c] > 0)
      by_style += (by_style.empty() ? "" : ", ") + std::string(mode_name(static_cast<SearchMode>(c))) + " " +
                  std::to_string(right[c]) + " of " + std::to_string(blocks[c]);
  return text + ("Named right by style: " + by_style + "\n");
}

std::string recognition_csv(const Recognition& recognition) {
  std::string text = "row,style,blocks,named_right,most_common_wrong\n";
  for (const RowNaming& row : recognition.rows)
    text += row.name + "," + mode_name(row.style) + "," + std::to_string(row.blocks) + "," +
            std::to_string(row.named_right) + "," + row.most_common_wrong + "\n";
  return text;
}
