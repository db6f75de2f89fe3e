#pragma once
// The distinctness gate: every style must differ from Balanced, and from the baseline
// the run measured against, on its own column, in the direction its name promises, with
// the two 95% intervals apart.

#include <string>
#include <string_view>
#include <vector>

#include "games/fingerprint_report.h"
#include "style/search_mode.h"

// A column a style is held to (a GateColumn of its row), as a figure.
struct StylePromise {
  SearchMode style;
  Figure figure;
  bool higher;  // above Balanced; otherwise below
};

// The figure a fingerprint column is named by; FIGURE_COUNT for none.
constexpr Figure figure_named(std::string_view column) {
  for (int figure = 0; figure < FIGURE_COUNT; ++figure)
    if (column == FIGURE_NAMES[figure].column) return static_cast<Figure>(figure);
  return FIGURE_COUNT;
}

constexpr bool gate_columns_known() {
  for (const StyleEntry& style : STYLES)
    for (const GateColumn& gate : style.gate)
      if (gate.column && figure_named(gate.column) == FIGURE_COUNT) return false;
  return true;
}
static_assert(gate_columns_known(), "a style's gate column must be a column of the fingerprint");

struct PromiseCheck {
  StylePromise promise;
  std::string against;  // the row compared with: Balanced or the baseline
  Estimate reference;   // its figure
  Estimate style;
  bool separates;
};

// The promises of the styles among rows (the rows with the tactical selection), in the
// order of the style table, each checked against Balanced's row and then against the
// baseline's row (once when they are one, and never against the style's own row). Styles
// the run did not play are left out; without Balanced's or the baseline's row, none.
std::vector<PromiseCheck> check_promises(const std::vector<StyleRow>& rows, std::string_view baseline = "Balanced");

// A line per check, then the verdict naming each style and column that does not
// separate, under the row it does not separate from.
std::string gate_report(const std::vector<PromiseCheck>& checks);

// Whether every promise checked separates.
bool gate_passes(const std::vector<PromiseCheck>& checks);

// The cost test: a costed style must not pay more than COST_ELO_FLOOR for its steering
// against the baseline (the point estimate), measured over at least COST_MIN_GAMES whole
// games a row.
constexpr double COST_ELO_FLOOR = -50;
constexpr int COST_MIN_GAMES = 120;

struct CostCheck {
  SearchMode style;
  Estimate elo;  // against the baseline
  int games;
  bool passes;
};

struct CostTest {
  // Whether the run can answer the question: rows of fewer games, or games cut by a
  // length cap, leave it unanswered. The checks are still listed, marked untested.
  bool applied = false;
  std::string not_applied;  // why, when not applied
  std::string baseline;     // the row the Elo is measured against
  std::vector<CostCheck> checks;
};

// The cost test of the costed styles among rows, in the order of the style table (styles
// the run did not play are left out), for a run whose games were cut at max_plies (0: whole games).
CostTest check_costs(const std::vector<StyleRow>& rows, int max_plies, std::string_view baseline = "Balanced");

// A line per style, then the verdict naming each style that costs too much with its Elo.
std::string cost_report(const CostTest& test);

// False only when the test was applied and a style failed it.
bool cost_passes(const CostTest& test);

// The style table as scripts read it (`brisvane styles --list`): a heading, then one line
// per style in table order:
//   style,published_strength,gate,costed,book
// gate lists the columns the gate holds the style to, its own first, separated by spaces,
// each marked + (above Balanced) or - (below); costed is yes or no.
std::string style_list();
