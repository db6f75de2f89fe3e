#pragma once
// The distinctness gate: every style must differ from Balanced on its own column,
// in the direction its name promises, with the two 95% intervals apart.

#include <array>
#include <string>
#include <vector>

#include "games/fingerprint_report.h"
#include "style/search_mode.h"
#include "style/style_strength.h"

struct StylePromise {
  SearchMode style;
  Figure figure;
  bool higher;  // above Balanced; otherwise below
};

inline constexpr std::array<StylePromise, 10> STYLE_PROMISES = {{
    {KingAttack, ChecksPer100, true},
    {KingAttack, KingZonePressure, true},
    {PawnStorm, WingPawnMoves, true},
    {PassedPawn, PassersAdvanced, true},
    {Provocation, BaitPer100, true},
    {PawnEnding, PawnEndings, true},
    {MajorPieceEnding, MajorEndings, true},
    {MinorPieceEnding, MinorEndings, true},
    {Deep, SearchDepth, true},
    {Wide, SearchDepth, false},
}};

// The strength the gauntlet plays a style at unless told otherwise: the one chosen, on
// whole games from tests/data/openings-choose.epd, as the strongest steering whose column
// separates at a cost of at most COST_ELO_FLOOR (docs/styles has the runs behind them). A
// style not listed plays at its built-in weights.
struct PublishedStrength {
  SearchMode style;
  int strength;
};

inline constexpr std::array<PublishedStrength, 7> PUBLISHED_STRENGTHS = {{
    {KingAttack, 400},
    {PawnStorm, 300},
    {PassedPawn, 200},
    {Provocation, 400},
    {PawnEnding, 400},
    {MajorPieceEnding, 400},
    {MinorPieceEnding, 200},
}};

constexpr int published_strength(SearchMode style) {
  for (const PublishedStrength& published : PUBLISHED_STRENGTHS)
    if (published.style == style) return published.strength;
  return STYLE_STRENGTH_DEFAULT;
}

constexpr bool published_strengths_in_range() {
  for (const PublishedStrength& published : PUBLISHED_STRENGTHS)
    if (published.strength < STYLE_STRENGTH_MIN || published.strength > STYLE_STRENGTH_MAX) return false;
  return published_strength(Balanced) == STYLE_STRENGTH_DEFAULT;
}
static_assert(published_strengths_in_range(), "a published strength must be a value the option accepts");

struct PromiseCheck {
  StylePromise promise;
  Estimate balanced;
  Estimate style;
  bool separates;
};

// The promises of the styles among rows (the rows with the tactical selection; the
// first row is Balanced, the baseline). Styles the run did not play are left out.
std::vector<PromiseCheck> check_promises(const std::vector<StyleRow>& rows);

// A line per promise, then the verdict naming each style and column that does not separate.
std::string gate_report(const std::vector<PromiseCheck>& checks);

// Whether every promise checked separates.
bool gate_passes(const std::vector<PromiseCheck>& checks);

// The cost test: a style that steers must not pay more than COST_ELO_FLOOR for it
// against Balanced (the point estimate), measured over at least COST_MIN_GAMES whole
// games a row. Deep and Wide change the search's shape, and what that costs at a
// node budget is their nature: they are held to their depth alone.
inline constexpr std::array<SearchMode, 7> COSTED_STYLES = {
    KingAttack, PawnStorm, PassedPawn, Provocation, PawnEnding, MajorPieceEnding, MinorPieceEnding};
constexpr double COST_ELO_FLOOR = -50;
constexpr int COST_MIN_GAMES = 120;

struct CostCheck {
  SearchMode style;
  Estimate elo;  // against Balanced
  int games;
  bool passes;
};

struct CostTest {
  // Whether the run can answer the question: rows of fewer games, or games cut by a
  // length cap, leave it unanswered. The checks are still listed, marked untested.
  bool applied = false;
  std::string not_applied;  // why, when not applied
  std::vector<CostCheck> checks;
};

// The cost test of the costed styles among rows (styles the run did not play are left
// out), for a run whose games were cut at max_plies (0: whole games).
CostTest check_costs(const std::vector<StyleRow>& rows, int max_plies);

// A line per style, then the verdict naming each style that costs too much with its Elo.
std::string cost_report(const CostTest& test);

// False only when the test was applied and a style failed it.
bool cost_passes(const CostTest& test);
