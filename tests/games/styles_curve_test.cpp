// tools/styles_curve.sh on fingerprint files written by the gauntlet's own writer: the
// steering rows of several runs gathered into one table, by the style table the program
// lists, and bad input writing nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "games/fingerprint_report.h"
#include "games/style_gate.h"
#include "match/child_process.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Every figure at value, ±1; the Elo at elo, ±40.
StyleRow row(SearchMode style, int strength, double value, double elo = 0) {
  StyleRow r{mode_name(style), true, strength, {}};
  r.print.games = 120;
  for (Estimate& e : r.print.figures) e = {value, value - 1, value + 1};
  r.print.figures[EloDifference] = {elo, elo - 40, elo + 40};
  return r;
}

struct ScriptRun {
  std::vector<std::string> output;  // standard output and error together
  std::optional<int> status;
};

std::vector<std::string> lines_of(const fs::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class StylesCurve : public TempDirTest {
 protected:
  std::string write_run(const std::string& name, const std::vector<StyleRow>& rows) const {
    fs::create_directories(dir / name);
    std::ofstream(dir / name / "fingerprint.csv") << fingerprint_csv(rows, GameSettings{}, "Balanced");
    return (dir / name).string();
  }

  // The script, reading the style table from program.
  static ScriptRun curve(const std::vector<std::string>& args, const std::string& program = BRISVANE_BINARY) {
    std::vector<std::string> argv = {"-c", "BRISVANE=$1; export BRISVANE; shift; exec 2>&1 \"$0\" \"$@\"",
                                     BRISVANE_TOOLS "/styles_curve.sh", program};
    argv.insert(argv.end(), args.begin(), args.end());
    ChildProcess script("/bin/sh", argv);
    script.close_stdin();
    ScriptRun run;
    while (auto line = script.read_line()) run.output.push_back(*line);
    run.status = script.wait_exit();
    return run;
  }
};

TEST_F(StylesCurve, LaterRunWinsAndEachRowKeepsItsOwnRunsBalanced) {
  const std::string first = write_run("first", {row(Balanced, 100, 3), row(KingAttack, 400, 9, 30),
                                                row(KingAttack, 50, 5, 10), row(Deep, 100, 1),
                                                row(PawnEnding, 400, 20, -60)});
  // Balanced need not come first to be found.
  const std::string second = write_run("second", {row(Provocation, 200, 12, -100), row(Balanced, 100, 4),
                                                  row(KingAttack, 400, 11, 50)});
  const std::string out = (dir / "curve.csv").string();
  const ScriptRun run = curve({out, first, second});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.output.empty());
  // Strengths sort as numbers (50 before 400); Balanced and Deep are no curve's.
  const std::vector<std::string> expected = {
      "style,strength,column,value,lo,hi,balanced,balanced_lo,balanced_hi,elo,elo_lo,elo_hi,games",
      "KingAttack,50,checks_per100,5.000,4.000,6.000,3.000,2.000,4.000,10.000,-30.000,50.000,120",
      "KingAttack,400,checks_per100,11.000,10.000,12.000,4.000,3.000,5.000,50.000,10.000,90.000,120",
      "PawnEnding,400,pawn_endings_pct,20.000,19.000,21.000,3.000,2.000,4.000,-60.000,-100.000,-20.000,120",
      "Provocation,200,bait_per100,12.000,11.000,13.000,4.000,3.000,5.000,-100.000,-140.000,-60.000,120"};
  EXPECT_EQ(lines_of(out), expected);
}

// The script's column for each costed style is the one the distinctness gate checks it on first.
TEST_F(StylesCurve, EachStyleReadsTheColumnItsGateChecks) {
  std::vector<StyleRow> rows = {row(Balanced, 100, 1), row(Deep, 100, 1), row(Wide, 100, 1)};
  std::vector<std::string> columns;
  for (const StyleEntry& style : STYLES) {
    if (!style.costed) continue;
    rows.push_back(row(style.mode, 300, 1));
    rows.back().print.figures[figure_named(style.gate[0].column)] = {7, 6, 8};
    columns.push_back(std::string(style.name) + ",300," + style.gate[0].column + ",7.000,6.000,8.000,1.000,0.000,2.000,");
  }
  ASSERT_EQ(columns.size(), 7u);
  const std::string out = (dir / "curve.csv").string();
  ASSERT_EQ(curve({out, write_run("all", rows)}).status, 0);
  const std::vector<std::string> lines = lines_of(out);
  ASSERT_EQ(lines.size(), columns.size() + 1);
  for (const std::string& start : columns)
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.starts_with(start); }), 1)
        << start;
}

// The styles and columns come from the program's table, not from a copy in the script.
TEST_F(StylesCurve, FollowsTheProgramsStyleTable) {
  const fs::path program = dir / "listing";
  std::ofstream(program) << "#!/bin/sh\n"
                            "[ \"$*\" = 'styles --list' ] || exit 1\n"
                            "echo style,published_strength,gate,costed,book\n"
                            "echo Balanced,100,,no,main\n"
                            "echo KingAttack,400,+captures_per100 +checks_per100,yes,king_attack\n"
                            "echo Wide,100,-depth,no,main\n"
                            "echo PawnEnding,400,+pawn_endings_pct,no,pawn_ending\n";
  fs::permissions(program, fs::perms::owner_all);
  std::vector<StyleRow> rows = {row(Balanced, 100, 1), row(KingAttack, 200, 1), row(Wide, 100, 1),
                                row(PawnEnding, 200, 1)};
  rows[1].print.figures[CapturesPer100] = {9, 8, 10};
  const fs::path out = dir / "curve.csv";
  const ScriptRun run = curve({out.string(), write_run("run", rows)}, program.string());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(lines_of(out), (std::vector<std::string>{
                               "style,strength,column,value,lo,hi,balanced,balanced_lo,balanced_hi,elo,elo_lo,elo_hi,games",
                               "KingAttack,200,captures_per100,9.000,8.000,10.000,1.000,0.000,2.000,0.000,-40.000,40.000,120"}));

  // A program that gives no table leaves the old one standing.
  std::ofstream(out) << "kept\n";
  const ScriptRun absent = curve({out.string(), write_run("run", rows)}, (dir / "absent").string());
  EXPECT_EQ(absent.status, 2);
  ASSERT_FALSE(absent.output.empty());
  EXPECT_NE(absent.output.back().find("styles --list"), std::string::npos) << absent.output.back();
  EXPECT_EQ(lines_of(out), std::vector<std::string>{"kept"});
}

TEST_F(StylesCurve, MissingRunOrBalancedNamesItAndWritesNothing) {
  const std::string good = write_run("good", {row(Balanced, 100, 3), row(KingAttack, 400, 9)});
  const std::string headless = write_run("headless", {row(KingAttack, 400, 9)});
  const fs::path out = dir / "curve.csv";
  std::ofstream(out) << "kept\n";

  const ScriptRun missing = curve({out.string(), good, (dir / "absent").string()});
  EXPECT_EQ(missing.status, 2);
  ASSERT_EQ(missing.output.size(), 1u);
  EXPECT_NE(missing.output[0].find("absent/fingerprint.csv"), std::string::npos) << missing.output[0];

  const ScriptRun no_balanced = curve({out.string(), headless, good});
  EXPECT_EQ(no_balanced.status, 2);
  ASSERT_EQ(no_balanced.output.size(), 1u);
  EXPECT_NE(no_balanced.output[0].find("headless/fingerprint.csv"), std::string::npos) << no_balanced.output[0];
  EXPECT_NE(no_balanced.output[0].find("Balanced"), std::string::npos) << no_balanced.output[0];

  // The old table stands, and no half-written one lies beside it.
  EXPECT_EQ(lines_of(out), std::vector<std::string>{"kept"});
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir)) files += entry.is_regular_file();
  EXPECT_EQ(files, 1);
}

}  // namespace
