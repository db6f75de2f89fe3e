// The distinctness gate on hand-made fingerprints, and the parts of a run and their settings line read back.

#include "games/style_gate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "base/text.h"
#include "book/builtin_books.h"
#include "games/gauntlet_parts.h"

namespace {

StyleRow row(const char* name, Figure figure, double low, double value, double high, bool tactics = true) {
  StyleRow r{name, tactics, 100, {}};
  r.print.figures[figure] = {value, low, high};
  return r;
}

TEST(StyleGate, IntervalsApartInThePromisedDirection) {
  StyleRow balanced = row("Balanced", ChecksPer100, 14, 16, 18);
  balanced.print.figures[KingZonePressure] = {3.8, 3.4, 4.2};
  balanced.print.figures[SearchDepth] = {9, 8.8, 9.2};
  StyleRow king = row("KingAttack", ChecksPer100, 18.5, 30, 35);
  king.print.figures[KingZonePressure] = {5, 4.2, 5.8};  // touches Balanced's high end: not apart
  const std::vector<StyleRow> rows = {balanced, king,
                                      row("Wide", SearchDepth, 8.0, 8.4, 8.7),
                                      row("Deep", SearchDepth, 7.0, 8.0, 8.7),  // apart, but the wrong way
                                      row("NoTactics", ChecksPer100, 0, 1, 2, false)};
  const std::vector<PromiseCheck> checks = check_promises(rows);
  // Styles the run did not play have nothing to check; the rest come in table order.
  ASSERT_EQ(checks.size(), 4u);
  EXPECT_EQ(checks[0].promise.style, Deep);
  EXPECT_FALSE(checks[0].separates);
  EXPECT_EQ(checks[1].promise.style, Wide);
  EXPECT_TRUE(checks[1].separates);
  EXPECT_EQ(checks[2].promise.figure, ChecksPer100);
  EXPECT_TRUE(checks[2].separates);
  EXPECT_EQ(checks[3].promise.figure, KingZonePressure);
  EXPECT_FALSE(checks[3].separates);
  EXPECT_FALSE(gate_passes(checks));
  const std::string report = gate_report(checks);
  EXPECT_NE(report.find("Gate failed, no longer separating from Balanced: Deep (depth), "
                        "KingAttack (king_zone_pressure)\n"),
            std::string::npos)
      << report;
  EXPECT_TRUE(gate_passes({checks[1], checks[2]}));
  EXPECT_NE(gate_report({checks[1], checks[2]}).find("Gate passed"), std::string::npos);
  // A share with nothing to count (NaN) never separates.
  StyleRow nothing = row("PawnEnding", PawnEndings, NAN, NAN, NAN);
  EXPECT_FALSE(check_promises({balanced, nothing}).front().separates);
}

// Against a baseline the gate also holds each style apart from the baseline's row, and
// names the row a style fails to separate from; the baseline's own style meets Balanced only.
TEST(StyleGate, SeparatesFromBalancedAndTheBaseline) {
  StyleRow balanced = row("Balanced", ChecksPer100, 14, 16, 18);
  StyleRow no_tactics = row("NoTactics", ChecksPer100, 18, 22, 26, false);
  for (StyleRow* reference : {&balanced, &no_tactics}) reference->print.figures[KingZonePressure] = {3.8, 3.4, 4.2};
  StyleRow king = row("KingAttack", ChecksPer100, 20, 24, 28);  // above Balanced, within NoTactics
  king.print.figures[KingZonePressure] = {9, 8, 10};
  const std::vector<PromiseCheck> checks = check_promises({no_tactics, balanced, king}, "NoTactics");
  ASSERT_EQ(checks.size(), 4u);  // each promise against Balanced, then NoTactics
  EXPECT_TRUE(checks[0].separates);
  EXPECT_EQ(checks[1].against, "NoTactics");
  EXPECT_FALSE(checks[1].separates);
  const std::string report = gate_report(checks);
  EXPECT_EQ(report.rfind("Gate: each style against Balanced and NoTactics on its own column", 0), 0u) << report;
  EXPECT_NE(report.find("\nGate failed, no longer separating from NoTactics: KingAttack (checks_per100)\n"),
            std::string::npos)
      << report;
  EXPECT_EQ(report.find("separating from Balanced"), std::string::npos) << report;
  king.print.figures[ChecksPer100] = {32, 27, 37};
  EXPECT_NE(gate_report(check_promises({no_tactics, balanced, king}, "NoTactics"))
                .find("Gate passed: every style separates from Balanced and NoTactics\n"),
            std::string::npos);
  // The baseline's row is not held apart from itself; without the baseline's row, nothing is checked.
  for (const PromiseCheck& check : check_promises({king, balanced}, "KingAttack")) EXPECT_EQ(check.against, "Balanced");
  EXPECT_TRUE(check_promises({balanced, king}, "NoTactics").empty());
  // The cost test reads the Elo against the baseline and says so.
  StyleRow costed = row("PawnEnding", EloDifference, -80, -60, -40);
  costed.print.games = COST_MIN_GAMES;
  const std::string cost = cost_report(check_costs({no_tactics, balanced, costed}, 0, "NoTactics"));
  EXPECT_NE(cost.find("costing more than 50 Elo against NoTactics: PawnEnding (-60 Elo"), std::string::npos) << cost;
  EXPECT_TRUE(check_costs({balanced, costed}, 0, "NoTactics").checks.empty());
}

// The cost test: each steering style's Elo against Balanced at -50 or better, over
// at least 120 whole games a row; Deep and Wide are not held to it.
TEST(StyleGate, CostOfEachSteeringStyle) {
  auto costed = [](const char* name, double elo, int games) {
    StyleRow r = row(name, EloDifference, elo - 40, elo, elo + 40);
    r.print.games = games;
    return r;
  };
  std::vector<StyleRow> rows = {costed("Balanced", 0, 120),      costed("KingAttack", -50.4, 120),
                                costed("PawnEnding", -50.5, 120),  costed("Deep", -300, 120),
                                costed("PassedPawn", 12, 130),   costed("MinorPieceEnding", -260, 120)};
  CostTest test = check_costs(rows, 0);
  ASSERT_TRUE(test.applied) << test.not_applied;
  ASSERT_EQ(test.checks.size(), 4u);  // Deep is held to its depth only
  EXPECT_EQ(test.checks[0].style, KingAttack);
  EXPECT_TRUE(test.checks[0].passes);  // the floor itself passes, as printed
  // In the order of the costed styles.
  EXPECT_EQ(test.checks[1].style, PassedPawn);
  EXPECT_TRUE(test.checks[1].passes);
  EXPECT_EQ(test.checks[2].style, PawnEnding);
  EXPECT_FALSE(test.checks[2].passes);
  EXPECT_FALSE(cost_passes(test));
  std::string report = cost_report(test);
  EXPECT_NE(report.find("Gate failed, costing more than 50 Elo against Balanced: PawnEnding (-51 Elo over 120 "
                        "games), MinorPieceEnding (-260 Elo over 120 games)\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("KingAttack        Elo -50 [-90, -10] over 120 games  within the cost\n"), std::string::npos)
      << report;
  rows.erase(rows.begin() + 5);
  rows.erase(rows.begin() + 2);
  EXPECT_TRUE(cost_passes(check_costs(rows, 0)));
  EXPECT_NE(cost_report(check_costs(rows, 0)).find("Cost test passed"), std::string::npos);

  // Too few games a row, or games cut short: the test is not applied, and says why.
  rows.push_back(costed("PawnStorm", -200, 119));
  test = check_costs(rows, 0);
  EXPECT_FALSE(test.applied);
  EXPECT_TRUE(cost_passes(test));
  report = cost_report(test);
  EXPECT_NE(report.find("Cost test not applied: rows of 119 games, the test needs at least 120 a row\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("PawnStorm         Elo -200 [-240, -160] over 119 games  untested\n"), std::string::npos);
  rows.back().print.games = 120;
  EXPECT_FALSE(cost_passes(check_costs(rows, 0)));
  test = check_costs(rows, 60);
  EXPECT_TRUE(cost_passes(test));
  EXPECT_NE(cost_report(test).find("not applied: the games were cut at 60 plies"), std::string::npos);
  // Without Balanced, or without a costed style, there is nothing to say.
  EXPECT_TRUE(check_costs({rows[1]}, 0).checks.empty());
  EXPECT_EQ(cost_report(check_costs({rows[0], costed("Wide", -90, 120)}, 0)), "");
  EXPECT_NE(cost_report(check_costs({rows[0], costed("PassedPawn", -0.2, 60)}, 0)).find("Elo +0 [-40, +40]"),
            std::string::npos);
  // A NaN estimate never passes.
  EXPECT_FALSE(check_costs({rows[0], costed("Provocation", NAN, 120)}, 0).checks[0].passes);
}

// The table scripts read says what the gate checks: each style's columns, in their
// directions, and whether it is costed.
TEST(StyleGate, ListGivesWhatTheGateChecks) {
  std::istringstream list(style_list());
  std::string line;
  ASSERT_TRUE(std::getline(list, line));
  EXPECT_EQ(line, "style,published_strength,gate,costed,book");
  // Every column at 1 [0, 2] for Balanced; the styles' rows stand apart in the listed
  // direction (or do not, for an unlisted column), and cost as much as they are costed.
  StyleRow balanced{"Balanced", true, 100, {}};
  for (Estimate& e : balanced.print.figures) e = {1, 0, 2};
  balanced.print.games = COST_MIN_GAMES;
  std::vector<StyleRow> rows = {balanced};
  std::vector<std::string> costed;
  std::size_t columns = 0;
  int style = 0;
  for (; std::getline(list, line); ++style) {
    ASSERT_LT(style, SEARCH_MODE_COUNT) << line;
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');) fields.push_back(cell);
    ASSERT_EQ(fields.size(), 5u) << line;
    EXPECT_EQ(fields[0], mode_name(static_cast<SearchMode>(style)));
    EXPECT_EQ(std::stoi(fields[1]), published_strength(static_cast<SearchMode>(style)));
    EXPECT_EQ(fields[4], builtin_book_name(static_cast<SearchMode>(style))) << line;
    if (style == Balanced) continue;
    StyleRow row = balanced;
    row.name = fields[0];
    std::istringstream gate(fields[2]);
    for (std::string column; gate >> column;) {
      const Figure figure = figure_named(column.substr(1));
      ASSERT_NE(figure, FIGURE_COUNT) << line;
      ++columns;
      row.print.figures[figure] = column[0] == '+' ? Estimate{5, 4, 6} : Estimate{-3, -4, -2};
    }
    row.print.figures[EloDifference] = {-100, -140, -60};
    if (fields[3] == "yes") costed.push_back(fields[0]);
    rows.push_back(row);
  }
  EXPECT_EQ(style, SEARCH_MODE_COUNT);
  const std::vector<PromiseCheck> checks = check_promises(rows);
  EXPECT_EQ(checks.size(), columns);
  EXPECT_TRUE(gate_passes(checks));
  const CostTest test = check_costs(rows, 0);
  ASSERT_TRUE(test.applied);
  std::vector<std::string> failed;
  for (const CostCheck& check : test.checks)
    if (!check.passes) failed.push_back(mode_name(check.style));
  EXPECT_EQ(failed, costed);
  EXPECT_EQ(costed.size(), 7u);
}

namespace fs = std::filesystem;

RunSettings tiny_settings(int part, int parts) {
  RunSettings s;
  s.build = "00000000000000aa";
  s.openings = "00000000000000bb";
  s.game.nodes = 1000;
  s.game.max_plies = 30;
  s.game.rules.resign_moves = 0;  // off
  s.game.rules.draw_cp = 5;
  s.seed = 3;
  s.games = 2;
  s.rows = {{Balanced, true, 100}, {PawnStorm, true, 140}};
  s.game.threshold = 40;
  s.game.level = 1400;
  s.part = part;
  s.parts = parts;
  return s;
}

PartGame hand_game(int job) {
  PartGame g;
  g.job = job;
  g.colour = job % 2;
  g.stats.score = job == 1 ? 0.5 : 1;
  constexpr GameEnd ENDS[] = {GameEnd::Resigned, GameEnd::ScoreDraw, GameEnd::Checkmate, GameEnd::LengthCap};
  g.end = ENDS[job % 4];
  // A distinct value in every column, so that two columns swapped in writing or reading show.
  g.stats.plies = 40 + job;
  g.stats.moves = 20;
  g.stats.checks = 3;
  g.stats.captures = 4;
  g.stats.wing_pawn_moves = 5;
  g.stats.passers_advanced = 6;
  g.stats.baits = 7;
  g.stats.sacrifices = 8;
  g.stats.tactical_picks = 9;
  g.stats.pawn_ending = job == 2;
  g.stats.pressure = 123456789012L;
  g.stats.depth_sum = 180 + job;
  g.stats.stood_ahead = job == 3;
  g.stats.minor_ending = true;
  g.pgn = "[Event \"x\"]\n[Round \"" + std::to_string(job + 1) + "\"]\n\n1. e4 *\n\n";
  return g;
}

TEST(GauntletParts, WrittenReadAndJoined) {
  char pattern[] = "/tmp/brisvane-parts-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const fs::path dir = pattern;
  for (int part : {1, 2}) {
    fs::create_directories(dir / std::to_string(part));
    std::vector<PartGame> games;
    std::string pgn;
    for (int job = part - 1; job < 4; job += 2) {
      games.push_back(hand_game(job));
      pgn += games.back().pgn;
    }
    std::ofstream(dir / std::to_string(part) / "games.csv") << part_csv(tiny_settings(part, 2), games);
    std::ofstream(dir / std::to_string(part) / "games.pgn") << pgn;
  }
  RunSettings read;
  std::vector<PartGame> games;
  std::string error;
  ASSERT_TRUE(read_part((dir / "2").string(), read, games, error)) << error;
  EXPECT_EQ(settings_fields(read), settings_fields(tiny_settings(2, 2)));
  // Read back, the games write the very same file.
  std::ifstream written(dir / "2" / "games.csv");
  EXPECT_EQ(part_csv(read, games), std::string(std::istreambuf_iterator<char>(written), {}));
  ASSERT_EQ(games.size(), 2u);
  EXPECT_EQ(games[1].job, 3);
  EXPECT_EQ(games[1].colour, 1);
  EXPECT_EQ(games[1].stats.pressure, 123456789012L);
  EXPECT_EQ(games[1].stats.depth_sum, 183);
  EXPECT_TRUE(games[1].stats.stood_ahead);
  EXPECT_TRUE(games[1].stats.minor_ending);
  EXPECT_EQ(games[1].pgn, hand_game(3).pgn);
  EXPECT_EQ(games[0].end, GameEnd::ScoreDraw);
  EXPECT_EQ(games[1].end, GameEnd::LengthCap);
  EXPECT_NE(part_csv(read, games).find(" max_plies=30 resign=off draw=40,5,8 "), std::string::npos);

  ASSERT_TRUE(join_parts({(dir / "2").string(), (dir / "1").string()}, read, games, error)) << error;
  ASSERT_EQ(games.size(), 4u);
  for (int job = 0; job < 4; ++job) EXPECT_EQ(games[job].job, job);
  EXPECT_EQ(games[1].stats.score, 0.5);
  EXPECT_EQ(part_csv(read, games).rfind("# brisvane styles part=1/1 build=00000000000000aa ", 0), 0u);

  // For its figures alone a part needs no PGN, and a file from before the book_moves
  // column reads with none.
  std::string older = part_csv(tiny_settings(1, 2), {hand_game(0)});
  older.replace(older.find(",book_moves"), 11, "");
  older.replace(older.rfind(",20,0,3,"), 8, ",20,3,");
  std::ofstream(dir / "1" / "games.csv") << older;
  fs::remove(dir / "1" / "games.pgn");
  ASSERT_TRUE(read_part((dir / "1").string(), read, games, error, PartPgn::Skipped)) << error;
  ASSERT_EQ(games.size(), 1u);
  EXPECT_EQ(games[0].stats.checks, 3);
  EXPECT_FALSE(read_part((dir / "1").string(), read, games, error));

  // A part whose PGN lost a game, or whose CSV is not a part's, is refused by name.
  std::ofstream(dir / "2" / "games.pgn") << hand_game(1).pgn;
  EXPECT_FALSE(read_part((dir / "2").string(), read, games, error));
  EXPECT_EQ(error, (dir / "2" / "games.pgn").string() + " lacks game 4");
  std::ofstream(dir / "2" / "games.csv") << "style,games\n";
  EXPECT_FALSE(read_part((dir / "2").string(), read, games, error));
  EXPECT_NE(error.find("does not start with the settings line"), std::string::npos) << error;
  fs::remove_all(dir);
}

using Fields = std::vector<std::pair<std::string, std::string>>;

std::map<std::string, std::string> field_map(const Fields& fields) { return {fields.begin(), fields.end()}; }

// A run that differs from tiny_settings(1, 2) with books in every field of the settings line.
RunSettings other_settings() {
  RunSettings s;
  s.build = "00000000000000cc";
  s.openings = "start-position";
  // No node limit but a move time, no cap, full strength, and no tactics at all.
  s.game.nodes = 0;
  s.game.movetime_ms = 50;
  s.game.rules = {500, 3, 40, 10, 0};
  s.game.per_side = true;
  s.game.tactics = false;
  s.game.threshold = 0;
  s.seed = 0;
  s.games = 7;
  s.rows = {{Balanced, true, 100}, {Balanced, false, 300}};
  s.baseline = {Balanced, false};
  s.part = 2;
  s.parts = 3;
  return s;
}

// Each field read back alone from another run's line changes that field only: no two
// share a member, and each reads what it writes, a 0 for "none" included.
TEST(GauntletFields, EachFieldReadsBackAlone) {
  RunSettings with_books = tiny_settings(1, 2);
  with_books.game.book = true;
  const Fields one = settings_fields(with_books), two = settings_fields(other_settings());
  ASSERT_EQ(one.size(), two.size());
  EXPECT_EQ(field_map(one).size(), one.size());
  EXPECT_EQ(one.front().first, "part");
  for (std::size_t f = 0; f < one.size(); ++f) {
    ASSERT_EQ(one[f].first, two[f].first);
    ASSERT_NE(one[f].second, two[f].second) << one[f].first;
    std::map<std::string, std::string> fields = field_map(one);
    fields[one[f].first] = two[f].second;
    RunSettings read;
    std::string bad;
    ASSERT_TRUE(settings_from_fields(fields, read, bad)) << one[f].first << ": " << bad;
    Fields expected = one;
    expected[f].second = two[f].second;
    EXPECT_EQ(settings_fields(read), expected);
  }
  RunSettings read;
  std::string bad;
  ASSERT_TRUE(settings_from_fields(field_map(two), read, bad)) << bad;
  EXPECT_EQ(settings_fields(read), two);
  EXPECT_EQ(read.game.rules, other_settings().game.rules);
  EXPECT_EQ(read.rows, other_settings().rows);
}

// A line written before the book and the baseline were fields reads as a run without books against
// Balanced; every other field must be there, and a word that is neither of a flag's two is refused.
TEST(GauntletFields, OlderLinesReadAsPlayed) {
  // The settings line of docs/styles/games.csv, rows cut short.
  const std::string line = "part=1/1 build=31bd9824cbc67b87 openings=361abc7b5d3aed09 nodes=100000 movetime_ms=0 "
                           "max_plies=0 resign=600,4 draw=40,10,8 seed=1 games=120 rows=Balanced,KingAttack "
                           "strengths=100,400 tactics=on threshold=40 setup=engines level=0";
  std::map<std::string, std::string> fields;
  for (const std::string& word : split_fields(line, ' '))
    fields[word.substr(0, word.find('='))] = word.substr(word.find('=') + 1);
  RunSettings read = tiny_settings(1, 2);
  read.game.book = true;
  read.baseline = {KingAttack, true};
  std::string bad;
  ASSERT_TRUE(settings_from_fields(fields, read, bad)) << bad;
  EXPECT_FALSE(read.game.book);
  EXPECT_EQ(read.baseline, GauntletRow{});
  std::string written;
  for (const auto& [name, value] : settings_fields(read)) written += (written.empty() ? "" : " ") + name + "=" + value;
  std::string expected = line + " book=off";
  expected.insert(expected.find(" rows="), " baseline=Balanced");
  EXPECT_EQ(written, expected);

  fields["book"] = "yes";
  EXPECT_FALSE(settings_from_fields(fields, read, bad));
  EXPECT_EQ(bad, "book=yes");
  fields["book"] = "on";
  fields["level"] = "999";
  EXPECT_FALSE(settings_from_fields(fields, read, bad));
  EXPECT_EQ(bad, "level=999");
  fields.erase("seed");
  EXPECT_FALSE(settings_from_fields(fields, read, bad));
  EXPECT_EQ(bad, "");
}

}  // namespace
