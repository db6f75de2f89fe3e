#include "games/style_gate.h"

#include <algorithm>
#include <cstdio>

namespace {

const StyleRow* find_row(const std::vector<StyleRow>& rows, SearchMode style) {
  for (const StyleRow& row : rows)
    if (row.tactics && row.name == mode_name(style)) return &row;
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

}  // namespace

std::vector<PromiseCheck> check_promises(const std::vector<StyleRow>& rows) {
  std::vector<PromiseCheck> checks;
  const StyleRow* balanced = find_row(rows, Balanced);
  if (balanced == nullptr) return checks;
  for (const StylePromise& promise : STYLE_PROMISES) {
    const StyleRow* row = find_row(rows, promise.style);
    if (row == nullptr) continue;
    const Estimate& base = balanced->print.figures[promise.figure];
    const Estimate& own = row->print.figures[promise.figure];
    const bool apart = promise.higher ? own.low > base.high : own.high < base.low;
    checks.push_back({promise, base, own, apart});
  }
  return checks;
}

bool gate_passes(const std::vector<PromiseCheck>& checks) {
  return std::all_of(checks.begin(), checks.end(), [](const PromiseCheck& c) { return c.separates; });
}

std::string gate_report(const std::vector<PromiseCheck>& checks) {
  std::string text = "Gate: each style against Balanced on its own column, 95% intervals apart\n";
  std::string failed;
  for (const PromiseCheck& check : checks) {
    char line[256];
    std::snprintf(line, sizeof line, "%-17s %-19s %-26s %s Balanced %-26s %s\n", mode_name(check.promise.style),
                  FIGURE_NAMES[check.promise.figure].column, interval_text(check.style).c_str(),
                  check.promise.higher ? "above" : "below", interval_text(check.balanced).c_str(),
                  check.separates ? "separates" : "DOES NOT SEPARATE");
    text += line;
    if (!check.separates) failed += (failed.empty() ? "" : ", ") + failed_name(check);
  }
  if (checks.empty()) return text + "Gate: no style of the run has a promise to check\n";
  return text + (failed.empty() ? "Gate passed: every style separates from Balanced\n"
                                : "Gate failed, no longer separating from Balanced: " + failed + "\n");
}
