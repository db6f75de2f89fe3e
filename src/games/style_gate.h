#pragma once
// The distinctness gate: every style must differ from Balanced on its own column,
// in the direction its name promises, with the two 95% intervals apart.

#include <array>
#include <string>
#include <vector>

#include "games/fingerprint_report.h"
#include "style/search_mode.h"

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
