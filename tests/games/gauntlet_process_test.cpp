// The "styles" command run as a user runs it: its files, its output and its faults.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

struct StylesRun {
  std::string out;
  std::string err;
  int status = -1;
};

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class StylesCommand : public TempDirTest {
 protected:
  StylesRun styles(const std::string& args) const {
    const fs::path err = dir / "stderr.txt";
    const std::string command = std::string(BRISVANE_BINARY) + " styles " + args + " 2>" + err.string() + " </dev/null";
    StylesRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, got);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.err = read_file(err);
    return run;
  }
};

// A few short games: two rows of two games each, in this process unless a test asks for workers.
const std::string TINY = "--styles=KingAttack --games 2 --nodes 1000 --max-plies 30";
const std::string SERIAL = " --jobs 1";

TEST_F(StylesCommand, WritesTableCsvAndPgn) {
  const StylesRun run = styles(TINY + SERIAL + " --out " + (dir / "a").string());
  ASSERT_EQ(run.status, 0) << run.err;
  // Standard output holds the table alone: a heading line, the column names, two rows,
  // what the match runner's rules decided and the naming of blocks, too few games for one.
  std::istringstream lines(run.out);
  std::vector<std::string> table;
  for (std::string line; std::getline(lines, line);) table.push_back(line);
  ASSERT_EQ(table.size(), 6u) << run.out;
  EXPECT_EQ(table[5], "Recognition: no row has a block of 20 games to name");
  EXPECT_EQ(table[4].rfind("Adjudication: resign at 600 cp for 4 moves decided ", 0), 0u) << table[4];
  EXPECT_NE(table[4].find(" reached the 30-ply cap (drawn)"), std::string::npos) << table[4];
  EXPECT_EQ(table[0].rfind("Styles against Balanced, 1000 nodes a move", 0), 0u);
  EXPECT_EQ(table[2].rfind("Balanced ", 0), 0u);
  EXPECT_EQ(table[3].rfind("KingAttack ", 0), 0u);
  EXPECT_EQ(read_file(dir / "a" / "table.txt"), run.out);

  const std::string csv = read_file(dir / "a" / "fingerprint.csv");
  EXPECT_EQ(csv.rfind("style,games,nodes,movetime_ms,tactics,threshold,setup,level,strength,score_pct,score_pct_lo,"
                      "score_pct_hi,elo,",
                      0),
            0u);
  EXPECT_NE(csv.find("\nKingAttack,2,1000,0,1,40,engines,0,"), std::string::npos);
  EXPECT_NE(csv.find("_hi,baseline\nBalanced,2,"), std::string::npos);
  EXPECT_NE(csv.find(",Balanced\nKingAttack,2,"), std::string::npos);

  const std::string pgn = read_file(dir / "a" / "games.pgn");
  std::size_t games = 0;
  for (std::size_t at = 0; (at = pgn.find("[Event ", at)) != std::string::npos; ++at) ++games;
  EXPECT_EQ(games, 4u);
  EXPECT_NE(pgn.find("[White \"KingAttack\"]\n[Black \"Balanced\"]"), std::string::npos);
  EXPECT_NE(pgn.find("[White \"Balanced\"]\n[Black \"KingAttack\"]"), std::string::npos);
  EXPECT_NE(pgn.find("[SetUp \"1\"]\n[FEN \""), std::string::npos);
  EXPECT_NE(pgn.find("[Termination \""), std::string::npos);
  EXPECT_EQ(pgn.find(".tmp"), std::string::npos);
  for (const auto& entry : fs::directory_iterator(dir / "a")) EXPECT_NE(entry.path().extension(), ".tmp");
}

// With --chess960 the games start from 960 set-ups drawn by the seed, each with both colours.
TEST_F(StylesCommand, Chess960GamesStartFromSeededSetUps) {
  const StylesRun run = styles(TINY + " --chess960 --seed 3" + SERIAL + " --out " + (dir / "960").string());
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string pgn = read_file(dir / "960" / "games.pgn");
  std::vector<std::string> fens;
  for (std::size_t at = 0; (at = pgn.find("[Variant \"Chess960\"]\n[SetUp \"1\"]\n[FEN \"", at)) != std::string::npos;) {
    at = pgn.find("[FEN \"", at) + 6;
    fens.push_back(pgn.substr(at, pgn.find('"', at) - at));
  }
  ASSERT_EQ(fens.size(), 4u) << pgn;
  EXPECT_EQ(fens[0], fens[1]);
  EXPECT_NE(fens[0], "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  EXPECT_NE(fens[0].find("/pppppppp/8/8/8/8/PPPPPPPP/"), std::string::npos) << fens[0];
}

TEST_F(StylesCommand, SameSeedSameGamesWhateverTheWorkers) {
  const StylesRun serial = styles(TINY + " --seed 5 --jobs 1 --out " + (dir / "serial").string());
  const StylesRun parallel = styles(TINY + " --seed 5 --jobs 2 --out " + (dir / "parallel").string());
  const StylesRun other = styles(TINY + " --seed 6" + SERIAL + " --out " + (dir / "other").string());
  ASSERT_EQ(serial.status, 0) << serial.err;
  ASSERT_EQ(parallel.status, 0) << parallel.err;
  ASSERT_EQ(other.status, 0) << other.err;
  EXPECT_EQ(read_file(dir / "serial" / "games.pgn"), read_file(dir / "parallel" / "games.pgn"));
  EXPECT_EQ(read_file(dir / "serial" / "fingerprint.csv"), read_file(dir / "parallel" / "fingerprint.csv"));
  EXPECT_EQ(serial.out, parallel.out);
  // Another seed draws other openings.
  EXPECT_NE(read_file(dir / "serial" / "games.pgn"), read_file(dir / "other" / "games.pgn"));
}

// With books the output ends with what the books played of each row's side, left out of
// its per-move columns; a worker's games come back with their book moves marked, so
// the figures do not depend on the workers either.
TEST_F(StylesCommand, BookMovesAreReportedWhateverTheWorkers) {
  const std::string run = "--book --styles=Provocation --games 2 --nodes 1000 --max-plies 30";
  const StylesRun serial = styles(run + SERIAL + " --out " + (dir / "serial").string());
  const StylesRun parallel = styles(run + " --jobs 2 --out " + (dir / "parallel").string());
  ASSERT_EQ(serial.status, 0) << serial.err;
  ASSERT_EQ(parallel.status, 0) << parallel.err;
  EXPECT_EQ(serial.out, parallel.out);
  const std::size_t books = serial.out.find("\nBook moves of each row's style, left out of Depth");
  ASSERT_NE(books, std::string::npos) << serial.out;
  for (const std::string row : {"\nBalanced: ", "\nProvocation: "}) {
    const std::size_t at = serial.out.find(row, books);
    ASSERT_NE(at, std::string::npos) << row;
    EXPECT_GT(std::stoi(serial.out.substr(at + row.size())), 0) << serial.out.substr(at);
  }
  const std::size_t variety = serial.out.find("Opening variety with books:\n");
  ASSERT_NE(variety, std::string::npos);
  EXPECT_EQ(read_file(dir / "serial" / "variety.txt"), serial.out.substr(variety));
}

TEST_F(StylesCommand, BadInputFailsClearlyAndWritesNothing) {
  std::ofstream(dir / "bad.epd") << "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -\nnot a position\n";
  std::ofstream(dir / "file") << "a file, not a folder\n";
  const fs::path out = dir / "out";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"--styles Balanced,Sharp", "unknown style \"Sharp\""},
      {"--baseline Sharp", "--baseline needs a row name, not \"Sharp\" (rows: Balanced, "},
      {"--games 0", "--games needs a whole number above 0"},
      {"--games -4", "--games needs a whole number above 0"},
      {"--nodes lots", "--nodes needs a whole number above 0"},
      {"--games 4294967297", "--games needs a whole number above 0, not \"4294967297\""},
      {"--seed 99999999999999999999", "--seed needs a whole number, not \"99999999999999999999\""},
      {"--strength 401", "--strength needs a whole number from 0 to 400, not \"401\""},
      {"--level 1701", "--level needs an Elo from 1000 to 1700, not \"1701\""},
      {"--resign 600,4x", "--resign needs CP,MOVES (1 to 10000 cp, 1 to 100 moves) or off, not \"600,4x\""},
      {"--draw 40,10,8,1", "--draw needs AFTER_MOVE,CP,MOVES (0 to 1000, 0 to 10000 cp, 1 to 100 moves) or off, "
                           "not \"40,10,8,1\""},
      {"--openings " + (dir / "missing.epd").string(), "cannot read " + (dir / "missing.epd").string()},
      {"--openings " + (dir / "bad.epd").string(), (dir / "bad.epd").string() + ", line 2:"},
  };
  for (const auto& [args, message] : cases) {
    const StylesRun run = styles(args + " --out " + out.string());
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_EQ(run.out, "") << args;
    EXPECT_EQ(run.err.rfind("brisvane styles: " + message, 0), 0u) << args << ": " << run.err;
    EXPECT_FALSE(fs::exists(out)) << args;
  }
  for (const std::string shard : {"0/3", "4/3", "2", "1/0", "a/b", "2/3x", "4294967297/4294967298"}) {
    const StylesRun run = styles(TINY + SERIAL + " --shard " + shard + " --out " + out.string());
    EXPECT_EQ(run.status, 2) << shard;
    EXPECT_EQ(run.err.rfind("brisvane styles: --shard needs I/N", 0), 0u) << shard << ": " << run.err;
    EXPECT_FALSE(fs::exists(out)) << shard;
  }
  const StylesRun unwritable = styles(TINY + SERIAL + " --out " + (dir / "file" / "sub").string());
  EXPECT_EQ(unwritable.status, 2);
  EXPECT_NE(unwritable.err.find("cannot use the output folder"), std::string::npos) << unwritable.err;
  // Asked for its usage, the command prints it and plays nothing.
  const StylesRun help = styles(TINY + " --help --out " + out.string());
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: brisvane styles [OPTIONS]", 0), 0u) << help.out;
  EXPECT_FALSE(fs::exists(out));
}

const std::vector<std::string> REPORT_FILES = {"games.pgn", "games.csv", "fingerprint.csv", "table.txt",
                                               "recognition.csv"};

// Parts played apart and joined give the very bytes of one run, whatever order the
// parts are named in; a level's random choices repeat too, and so do the books'.
TEST_F(StylesCommand, PartsJoinedAreTheWholeRun) {
  // Plays run whole and as parts of n (serially), lets edit change the first part, then
  // joins the parts named from the last, and expects the files of the whole run.
  auto expect_joined_whole = [&](const std::string& name, const std::string& run, int n,
                                 const std::vector<std::string>& files, auto edit) {
    const fs::path whole = dir / (name + "-whole");
    const StylesRun played_whole = styles(run + " --jobs 2 --out " + whole.string());
    ASSERT_EQ(played_whole.status, 0) << played_whole.err;
    std::string parts;
    for (int i = n; i >= 1; --i) {
      const fs::path folder = dir / (name + "-part" + std::to_string(i));
      const std::string shard = " --shard " + std::to_string(i) + "/" + std::to_string(n);
      const StylesRun played = styles(run + SERIAL + shard + " --out " + folder.string());
      ASSERT_EQ(played.status, 0) << played.err;
      EXPECT_EQ(played.out, "");
      parts += " " + folder.string();
    }
    edit(dir / (name + "-part1"));
    const StylesRun joined = styles("merge --out " + (dir / (name + "-joined")).string() + parts);
    ASSERT_EQ(joined.status, 0) << joined.err;
    EXPECT_EQ(joined.out, played_whole.out);
    for (const std::string& file : files) {
      EXPECT_FALSE(read_file(whole / file).empty()) << file;
      EXPECT_EQ(read_file(dir / (name + "-joined") / file), read_file(whole / file)) << file;
    }
  };
  // A part written before the book and the baseline were fields of the settings line still joins.
  expect_joined_whole("level", "--styles=KingAttack,Deep --games 3 --nodes 1000 --max-plies 24 --level 1200", 3,
                      REPORT_FILES, [](const fs::path& part) {
                        std::string csv = read_file(part / "games.csv");
                        for (const std::string field : {" book=off\n", " baseline=Balanced "}) {
                          ASSERT_NE(csv.find(field), std::string::npos) << field;
                          csv.erase(csv.find(field), field.size() - 1);
                        }
                        std::ofstream(part / "games.csv") << csv;
                      });
  // A part holds its own games only: game 2 is in part 2, dealt out in turn.
  EXPECT_EQ(read_file(dir / "level-part2" / "games.csv").find("\n1,"), std::string::npos);
  EXPECT_NE(read_file(dir / "level-part2" / "games.csv").find("\n2,"), std::string::npos);
  EXPECT_EQ(read_file(dir / "level-whole" / "games.csv").rfind("# brisvane styles part=1/1 build=", 0), 0u);

  // With books the joined parts also count the openings that repeat, as the whole run does.
  std::vector<std::string> with_variety = REPORT_FILES;
  with_variety.push_back("variety.txt");
  expect_joined_whole("book", "--book --styles=Provocation --games 4 --nodes 1000 --max-plies 30", 2, with_variety,
                      [](const fs::path&) {});
  EXPECT_NE(read_file(dir / "book-whole" / "games.csv").find(" openings=start-position "), std::string::npos);
  EXPECT_NE(read_file(dir / "book-whole" / "games.csv").find(" book=on\n"), std::string::npos);

  // Against NoTactics: its row heads the table measured against itself, Balanced stays a
  // row, every game has NoTactics on one side, and the parts still join as one run, a
  // block of games a row named alike.
  expect_joined_whole("baseline", "--baseline notactics --styles=KingAttack --games 20 --nodes 1000 --max-plies 10",
                      2, REPORT_FILES, [](const fs::path&) {});
  std::istringstream table(read_file(dir / "baseline-whole" / "table.txt"));
  std::vector<std::string> lines;
  for (std::string line; std::getline(table, line);) lines.push_back(line);
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0].rfind("Styles against NoTactics, 1000 nodes a move", 0), 0u) << lines[0];
  EXPECT_EQ(lines[2].rfind("NoTactics ", 0), 0u) << lines[2];
  EXPECT_NE(lines[2].find(" 50.0 ±"), std::string::npos) << lines[2];
  EXPECT_EQ(lines[3].rfind("Balanced ", 0), 0u) << lines[3];
  EXPECT_EQ(lines[4].rfind("KingAttack ", 0), 0u) << lines[4];
  const std::string pgn = read_file(dir / "baseline-whole" / "games.pgn");
  EXPECT_NE(pgn.find("[White \"Balanced (no tactics)\"]\n[Black \"KingAttack\"]"), std::string::npos);
  EXPECT_EQ(pgn.find("[White \"KingAttack\"]\n[Black \"Balanced\"]"), std::string::npos);
  const std::string csv = read_file(dir / "baseline-whole" / "fingerprint.csv");
  EXPECT_NE(csv.find(",NoTactics\nBalanced,20,"), std::string::npos) << csv;
  // NoTactics, the yardstick, is named by no one; each style's one block has no games of
  // its own left to be named by.
  EXPECT_EQ(lines.back(), "Named right by style: Balanced 0 of 1, KingAttack 0 of 1");

  // The report again from games.csv alone, without the PGN, is the run's own.
  fs::remove(dir / "baseline-whole" / "games.pgn");
  const StylesRun again = styles("report " + (dir / "baseline-whole").string());
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.out, read_file(dir / "baseline-whole" / "table.txt"));
  EXPECT_EQ(styles("report --gate " + (dir / "baseline-part1").string()).err,
            "brisvane styles: part 2/2 is missing\n");
  EXPECT_EQ(styles("report").status, 2);

  // Runs of the same rows from other openings pool into one report, each row's games
  // from both; a run given twice, or one with another setting, is refused.
  const std::string baseline_run = "--baseline notactics --styles=KingAttack --max-plies 10" + SERIAL;
  ASSERT_EQ(styles(baseline_run + " --games 20 --nodes 1000 --seed 9 --out " + (dir / "seed9").string()).status, 0);
  ASSERT_EQ(styles(baseline_run + " --games 20 --nodes 2000 --out " + (dir / "nodes").string()).status, 0);
  const std::string whole = " " + (dir / "baseline-whole").string();
  const StylesRun pooled = styles("report" + whole + " " + (dir / "seed9").string());
  ASSERT_EQ(pooled.status, 0) << pooled.err;
  std::istringstream pooled_rows(pooled.out.substr(pooled.out.find("\nKingAttack ") + 1));
  std::string name;
  int games = 0;
  pooled_rows >> name >> games;
  EXPECT_EQ(games, 40) << pooled.out;
  // Two blocks of 20 for each named row, Balanced and KingAttack.
  EXPECT_NE(pooled.out.find(" of 4 blocks of 20 games named right"), std::string::npos) << pooled.out;
  // Longer blocks: one of 40 games a row, named against the other style's alone.
  const StylesRun longer = styles("report --block 40" + whole + " " + (dir / "seed9").string());
  ASSERT_EQ(longer.status, 0) << longer.err;
  EXPECT_NE(longer.out.find(" of 2 blocks of 40 games named right"), std::string::npos) << longer.out;
  EXPECT_EQ(styles("report --block 0" + whole).err,
            "brisvane styles: --block needs a count of games from 1 to 10000\n");
  EXPECT_NE(styles("report" + whole + whole).err.find("play the same openings in the same order"), std::string::npos);
  EXPECT_NE(styles("report" + whole + " " + (dir / "nodes").string()).err.find("the runs differ in nodes"),
            std::string::npos);
}

// Parts that do not make one run are refused with the reason; nothing is written.
TEST_F(StylesCommand, MismatchedPartsAreRefused) {
  const std::string run = "--styles=Wide --games 2 --nodes 1000 --max-plies 8" + SERIAL;
  auto part = [&](const std::string& extra, const std::string& name) {
    const StylesRun played = styles(run + extra + " --out " + (dir / name).string());
    EXPECT_EQ(played.status, 0) << played.err;
    return std::string(" ").append((dir / name).string());
  };
  const std::string p1 = part(" --shard 1/2", "p1"), p2 = part(" --shard 2/2", "p2");
  const std::string seed = part(" --seed 9 --shard 2/2", "seed"), three = part(" --shard 3/3", "three");
  const std::string per_side = part(" --per-side --shard 2/2", "per_side");
  const std::string no_draw = part(" --draw off --shard 2/2", "no_draw");
  const std::string against = part(" --baseline NoTactics --shard 2/2", "against");
  // Another build: the same part with another program's hash in its settings line.
  fs::create_directories(dir / "build");
  fs::copy_file(dir / "p2" / "games.pgn", dir / "build" / "games.pgn");
  std::string csv = read_file(dir / "p2" / "games.csv");
  csv.replace(csv.find("build=") + 6, 16, "0123456789abcdef");
  std::ofstream(dir / "build" / "games.csv") << csv;
  // Parts whose settings line holds a number beyond its range: read as its low bits,
  // part=4294967298/2 would be part 2 of 2.
  const std::vector<std::pair<std::string, std::string>> tampered = {
      {"part=2/2", "part=4294967298/2"}, {"games=2", "games=4294967298"}, {"strengths=100,100", "strengths=100,401"},
      {"threshold=40", "threshold=-1"},  {"level=0", "level=999"}, {"resign=600,4", "resign=600,0"},
      {"draw=40,10,8", "draw=40,10"},    {"book=off", "book=yes"}, {"baseline=Balanced", "baseline=Sharp"}};
  for (const auto& [field, bad] : tampered) {
    const fs::path folder = dir / ("bad-" + field.substr(0, field.find('=')));
    fs::create_directories(folder);
    fs::copy_file(dir / "p2" / "games.pgn", folder / "games.pgn");
    std::string text = read_file(dir / "p2" / "games.csv");
    ASSERT_NE(text.find(" " + field), std::string::npos) << field;
    text.replace(text.find(" " + field) + 1, field.size(), bad);
    std::ofstream(folder / "games.csv") << text;
    const StylesRun merged = styles("merge --out " + (dir / "out").string() + p1 + " " + folder.string());
    EXPECT_EQ(merged.status, 2) << bad;
    EXPECT_EQ(merged.err, "brisvane styles: " + (folder / "games.csv").string() + ": the setting " + bad +
                              " is out of its range\n");
    EXPECT_FALSE(fs::exists(dir / "out")) << bad;
  }
  const std::vector<std::pair<std::string, std::string>> cases = {
      {p1 + seed, "the parts differ in seed: 1 in "},
      {p1 + per_side, "the parts differ in setup: engines in "},
      {p1 + no_draw, "the parts differ in draw: 40,10,8 in "},
      {p1 + against, "the parts differ in baseline: Balanced in "},
      {p1 + " " + (dir / "build").string(), "the parts differ in build: "},
      {p1 + three, "the parts differ in their number of parts: 1/2 in "},
      {p1, "part 2/2 is missing"},
      {p1 + p1, "part 1/2 is given twice"},
      {p1 + " " + (dir / "nowhere").string(), "cannot read " + (dir / "nowhere").string()},
      {"", "merge needs the folders of the parts"},
  };
  const fs::path out = dir / "out";
  for (const auto& [folders, message] : cases) {
    const StylesRun merged = styles("merge --out " + out.string() + folders);
    EXPECT_EQ(merged.status, 2) << folders;
    EXPECT_EQ(merged.out, "");
    EXPECT_EQ(merged.err.rfind("brisvane styles: " + message, 0), 0u) << merged.err;
    EXPECT_FALSE(fs::exists(out)) << folders;
  }
  // The gate judges a whole run only.
  const StylesRun gated = styles(run + " --gate --shard 1/2 --out " + out.string());
  EXPECT_EQ(gated.status, 2);
  EXPECT_NE(gated.err.find("--gate needs the whole run"), std::string::npos) << gated.err;
}

}  // namespace
