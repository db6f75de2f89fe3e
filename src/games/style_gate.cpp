#include "games/style_gate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "book/builtin_books.h"

namespace {

// A style's row with the tactical selection, or the NoTactics row; nullptr when the run has none.
const StyleRow* find_row(const std::vector<StyleRow>& rows, std::string_view name) {
  GauntletRow wanted;
  if (!row_from_name(std::string(name), wanted)) return nullptr;
  for (const StyleRow& row : rows)
    if (row.tactics == wanted.tactics && row.name == name) return &row;
  return nullptr;
}

std::string interval_text(const Estimate& e) {
  char text[96];
  std::snprintf(text, sizeof text, "%.2f [%.2f, %.2f]", e.value, e.low, e.high);
  return text;
}

std::string failed_name(const PromiseCheck& check) {
  return std::string(mode_name(check.promise.style)) + " (" + FIGURE_NAMES[check.promise.figure].column + ")";
}

// Rounds away a negative zero, which would print as "-0".
double signed_zero_free(double value) { return std::round(value) + 0.0; }

}  // namespace

std::vector<PromiseCheck> check_promises(const std::vector<StyleRow>& rows, std::string_view baseline) {
  std::vector<PromiseCheck> checks;
  std::vector<const StyleRow*> references = {find_row(rows, mode_name(Balanced))};
  if (baseline != mode_name(Balanced)) references.push_back(find_row(rows, baseline));
  if (std::find(references.begin(), references.end(), nullptr) != references.end()) return checks;
  for (const StyleEntry& style : STYLES) {
    const StyleRow* row = find_row(rows, mode_name(style.mode));
    if (row == nullptr) continue;
    for (const GateColumn& gate : style.gate) {
      if (gate.column == nullptr) continue;
      const StylePromise promise = {style.mode, figure_named(gate.column), gate.higher};
      const Estimate& own = row->print.figures[promise.figure];
      for (const StyleRow* reference : references) {
        if (reference == row) continue;
        const Estimate& base = reference->print.figures[promise.figure];
        const bool apart = promise.higher ? own.low > base.high : own.high < base.low;
        checks.push_back({promise, reference->name, base, own, apart});
      }
    }
  }
  return checks;
}

bool gate_passes(const std::vector<PromiseCheck>& checks) {
  return std::all_of(checks.begin(), checks.end(), [](const PromiseCheck& c) { return c.separates; });
}

std::string gate_report(const std::vector<PromiseCheck>& checks) {
  // The rows compared with, in the order met, each with the styles that fail against it.
  std::vector<std::pair<std::string, std::string>> failed = {{mode_name(Balanced), ""}};
  std::string body;
  for (const PromiseCheck& check : checks) {
    char line[256];
    std::snprintf(line, sizeof line, "%-17s %-19s %-26s %s %s %-26s %s\n", mode_name(check.promise.style),
                  FIGURE_NAMES[check.promise.figure].column, interval_text(check.style).c_str(),
                  check.promise.higher ? "above" : "below", check.against.c_str(),
                  interval_text(check.reference).c_str(), check.separates ? "separates" : "DOES NOT SEPARATE");
    body += line;
    auto against = std::find_if(failed.begin(), failed.end(), [&](const auto& f) { return f.first == check.against; });
    if (against == failed.end()) against = failed.insert(failed.end(), {check.against, ""});
    if (!check.separates) against->second += (against->second.empty() ? "" : ", ") + failed_name(check);
  }
  std::string names, verdict;
  for (const auto& [against, styles] : failed) {
    names += (names.empty() ? "" : " and ") + against;
    if (!styles.empty()) verdict += "Gate failed, no longer separating from " + against + ": " + styles + "\n";
  }
  const std::string text = "Gate: each style against " + names + " on its own column, 95% intervals apart\n" + body;
  if (checks.empty()) return text + "Gate: no style of the run has a promise to check\n";
  return text + (verdict.empty() ? "Gate passed: every style separates from " + names + "\n" : verdict);
}

CostTest check_costs(const std::vector<StyleRow>& rows, int max_plies, std::string_view baseline) {
  CostTest test;
  test.baseline = baseline;
  if (find_row(rows, baseline) == nullptr) return test;
  int fewest = -1;
  for (const StyleEntry& style : STYLES) {
    const StyleRow* row = style.costed ? find_row(rows, mode_name(style.mode)) : nullptr;
    if (row == nullptr) continue;
    const Estimate& elo = row->print.figures[EloDifference];
    // Judged on the whole Elo the report prints; a NaN estimate never passes.
    test.checks.push_back({style.mode, elo, row->print.games, std::round(elo.value) >= COST_ELO_FLOOR});
    if (fewest < 0 || row->print.games < fewest) fewest = row->print.games;
  }
  if (max_plies > 0) {
    test.not_applied = "the games were cut at " + std::to_string(max_plies) + " plies, the test needs whole games";
  } else if (fewest >= 0 && fewest < COST_MIN_GAMES) {
    test.not_applied = "rows of " + std::to_string(fewest) + " games, the test needs at least " +
                       std::to_string(COST_MIN_GAMES) + " a row";
  }
  test.applied = !test.checks.empty() && test.not_applied.empty();
  return test;
}

bool cost_passes(const CostTest& test) {
  return !test.applied ||
         std::all_of(test.checks.begin(), test.checks.end(), [](const CostCheck& c) { return c.passes; });
}

std::string cost_report(const CostTest& test) {
  if (test.checks.empty()) return "";
  char heading[128];
  std::snprintf(heading, sizeof heading, "Gate: each steering style's Elo against %s, %+.0f or better\n",
                test.baseline.c_str(), COST_ELO_FLOOR);
  std::string text = heading;
  std::string failed;
  for (const CostCheck& check : test.checks) {
    char line[256];
    std::snprintf(line, sizeof line, "%-17s Elo %+.0f [%+.0f, %+.0f] over %d games  %s\n", mode_name(check.style),
                  signed_zero_free(check.elo.value), signed_zero_free(check.elo.low),
                  signed_zero_free(check.elo.high), check.games,
                  !test.applied ? "untested" : check.passes ? "within the cost" : "COSTS TOO MUCH");
    text += line;
    if (test.applied && !check.passes) {
      char name[96];
      std::snprintf(name, sizeof name, "%s (%+.0f Elo over %d games)", mode_name(check.style),
                    signed_zero_free(check.elo.value),
                    check.games);
      failed += (failed.empty() ? "" : ", ") + std::string(name);
    }
  }
  if (!test.applied) return text + "Cost test not applied: " + test.not_applied + "\n";
  char verdict[128];
  if (failed.empty())
    std::snprintf(verdict, sizeof verdict, "Cost test passed: every steering style scores %+.0f Elo or better\n",
                  COST_ELO_FLOOR);
  else
    std::snprintf(verdict, sizeof verdict, "Gate failed, costing more than %.0f Elo against %s: ", -COST_ELO_FLOOR,
                  test.baseline.c_str());
  return text + verdict + (failed.empty() ? "" : failed + "\n");
}

std::string style_list() {
  std::string text = "style,published_strength,gate,costed,book\n";
  for (const StyleEntry& style : STYLES) {
    text += style.name;
    text += ',';
    text += std::to_string(style.published_strength);
    text += ',';
    const char* separator = "";
    for (const GateColumn& gate : style.gate) {
      if (gate.column == nullptr) continue;
      text += separator;
      text += gate.higher ? '+' : '-';
      text += gate.column;
      separator = " ";
    }
    text += style.costed ? ",yes," : ",no,";
    text += builtin_book_name(style.mode);
    text += '\n';
  }
  return text;
}
