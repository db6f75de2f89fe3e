// The pieces of the style gauntlet: its options, openings, games, records and PGN.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

#include "base/output.h"
#include "base/whole_file.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/san.h"
#include "games/gauntlet_options.h"
#include "games/gauntlet_parts.h"
#include "games/gauntlet_pool.h"
#include "games/run_fields.h"
#include "games/style_gate.h"
#include "games/opening_variety.h"
#include "games/openings.h"
#include "games/pgn.h"
#include "search/search_state.h"
#include "search/startup.h"
#include "search/strength.h"
#include "style/tactical.h"

namespace {

using Words = std::vector<std::string>;

TEST(GauntletOptions, DefaultsQuickAndOverrides) {
  RunSettings o;
  std::string error;
  ASSERT_TRUE(parse_gauntlet_options({}, o, error)) << error;
  EXPECT_EQ(o.games, 40);
  EXPECT_EQ(o.game.nodes, 20000);
  // Whole games: no cap, the score rules on.
  EXPECT_EQ(o.game.max_plies, 0);
  EXPECT_EQ(o.game.rules, ScoreRules{});
  // The baseline, nine styles and Balanced without the tactical selection.
  ASSERT_EQ(o.rows.size(), 11u);
  EXPECT_EQ(o.rows.front(), GauntletRow{});
  EXPECT_EQ(row_name(o.rows[3]), "KingAttack");
  EXPECT_EQ(row_name(o.rows.back()), "NoTactics");
  EXPECT_GE(o.jobs, 1);
  // Each style at its published strength; Balanced, with or without the selection, at 100.
  for (const GauntletRow& row : o.rows)
    EXPECT_EQ(row.strength, row.style == Balanced ? 100 : published_strength(row.style)) << row_name(row);
  EXPECT_EQ(o.rows[KingAttack].strength, 400);
  EXPECT_EQ(o.rows.back().strength, STYLE_STRENGTH_DEFAULT);
  // Explicit values win over --quick wherever they stand.
  ASSERT_TRUE(parse_gauntlet_options({"--games=6", "--quick", "--movetime", "50"}, o, error)) << error;
  EXPECT_EQ(o.games, 6);
  EXPECT_EQ(o.game.nodes, 0);
  EXPECT_EQ(o.game.movetime_ms, 50);
  ASSERT_TRUE(parse_gauntlet_options({"--quick", "--styles", "pawnstorm,Deep,PawnStorm,notactics", "--seed=0"}, o, error));
  EXPECT_EQ(o.games, QUICK_GAMES);
  EXPECT_EQ(o.game.nodes, QUICK_NODES);
  EXPECT_EQ(o.seed, 0u);
  // The baseline always comes first, and a style asked for twice plays once.
  EXPECT_EQ(o.rows, (std::vector<GauntletRow>{
                        {Balanced, true, 100}, {PawnStorm, true, published_strength(PawnStorm)}, {Deep, true, 100}, {Balanced, false, 100}}));
  // --strength plays every style row at it, wherever it stands; Balanced and NoTactics,
  // which have no weights to scale, stay at 100, and the report says what was played.
  ASSERT_TRUE(parse_gauntlet_options({"--strength=0"}, o, error)) << error;
  EXPECT_EQ(o.rows[KingAttack].strength, 0);
  for (const Words& words : {Words{"--strength", "300", "--styles", "KingAttack,NoTactics"},
                             Words{"--styles=KingAttack,NoTactics", "--strength=300"}}) {
    ASSERT_TRUE(parse_gauntlet_options(words, o, error)) << error;
    EXPECT_EQ(o.rows, (std::vector<GauntletRow>{{Balanced, true, 100}, {KingAttack, true, 300}, {Balanced, false, 100}}));
    EXPECT_EQ(settings_fields(o)[12], (std::pair<std::string, std::string>{"strengths", "100,300,100"}));
  }
  // --baseline puts its row first, wherever the options stand: the row the run has, or
  // a new one at the strength --strength gives; Balanced stays a row.
  EXPECT_EQ(o.baseline, GauntletRow{});
  for (const Words& words : {Words{"--baseline", "kingattack", "--styles=Deep,KingAttack", "--strength=200"},
                             Words{"--strength=200", "--styles=Deep", "--baseline=KingAttack"}}) {
    ASSERT_TRUE(parse_gauntlet_options(words, o, error)) << error;
    EXPECT_EQ(o.rows, (std::vector<GauntletRow>{{KingAttack, true, 200}, {Balanced, true, 100}, {Deep, true, 200}}));
    EXPECT_EQ(o.baseline, (GauntletRow{KingAttack, true}));
  }
  ASSERT_TRUE(parse_gauntlet_options({"--baseline", "NoTactics"}, o, error)) << error;
  ASSERT_EQ(o.rows.size(), 11u);
  EXPECT_EQ(o.rows[0], (GauntletRow{Balanced, false, 100}));
  EXPECT_EQ(o.rows[1], GauntletRow{});
  EXPECT_EQ(o.rows.back(), (GauntletRow{MinorPieceEnding, true, published_strength(MinorPieceEnding)}));
  EXPECT_EQ(settings_fields(o)[10], (std::pair<std::string, std::string>{"baseline", "NoTactics"}));
  // Balanced named with a strength is a row of its own beside Balanced at 100, and
  // keeps its strength whatever --strength says; it reads back from its name.
  ASSERT_TRUE(parse_gauntlet_options({"--styles=Balanced@200,KingAttack", "--strength=300", "--baseline=balanced@200"},
                                     o, error))
      << error;
  EXPECT_EQ(o.rows, (std::vector<GauntletRow>{{Balanced, true, 200}, {Balanced, true, 100}, {KingAttack, true, 300}}));
  EXPECT_EQ(settings_fields(o)[11], (std::pair<std::string, std::string>{"rows", "Balanced@200,Balanced,KingAttack"}));
  GauntletRow named;
  EXPECT_TRUE(row_from_name("Balanced@100", named) && named == GauntletRow{});
  // With the selection off for every side, NoTactics is Balanced and no baseline of its own.
  tactical_move_selection = false;
  EXPECT_FALSE(parse_gauntlet_options({"--baseline", "NoTactics"}, o, error));
  EXPECT_EQ(error.rfind("with the tactical selection off, NoTactics is Balanced", 0), 0u) << error;
  tactical_move_selection = true;
}

TEST(GauntletOptions, SetUpLevelStrengthAndParts) {
  RunSettings o;
  std::string error;
  ASSERT_TRUE(parse_gauntlet_options({}, o, error)) << error;
  EXPECT_FALSE(o.game.per_side);
  EXPECT_EQ(o.game.level, 0);
  EXPECT_EQ(o.parts, 1);
  EXPECT_FALSE(o.gate);
  ASSERT_TRUE(parse_gauntlet_options(
      {"--per-side", "--level", "1400", "--shard", "3/4", "--games", "6"}, o, error))
      << error;
  EXPECT_TRUE(o.game.per_side);
  EXPECT_EQ(o.game.level, 1400);
  EXPECT_EQ(o.part, 3);
  EXPECT_EQ(o.parts, 4);
  EXPECT_EQ(o.games, 6);
  ASSERT_TRUE(parse_gauntlet_options({"--resign=off", "--draw", "30,5,6", "--max-plies", "90"}, o, error)) << error;
  EXPECT_EQ(o.game.rules.resign_moves, 0);
  EXPECT_EQ(o.game.rules, (ScoreRules{600, 0, 30, 5, 6}));
  EXPECT_EQ(o.game.max_plies, 90);
  ASSERT_TRUE(parse_gauntlet_options({"--gate"}, o, error)) << error;
  EXPECT_TRUE(o.gate);
  EXPECT_FALSE(o.game.book);
  ASSERT_TRUE(parse_gauntlet_options({"--book", "--games", "4"}, o, error)) << error;
  EXPECT_TRUE(o.game.book);
  // Every part of a run is one of its parts: games are dealt out in turn.
  for (int job = 0; job < 12; ++job) EXPECT_EQ(in_part(job, 1, 3) + in_part(job, 2, 3) + in_part(job, 3, 3), 1);
  EXPECT_TRUE(in_part(4, 2, 3));
  EXPECT_TRUE(in_part(4, 1, 1));
}

TEST(GauntletOptions, BadInputIsNamed) {
  const std::vector<std::pair<Words, std::string>> cases = {
      {{"--games", "0"}, "--games needs a whole number above 0, not \"0\""},
      {{"--nodes=-5"}, "--nodes needs a whole number above 0, not \"-5\""},
      {{"--jobs", "2x"}, "--jobs needs a whole number above 0, not \"2x\""},
      {{"--styles=Deep,Attack"}, "unknown style \"Attack\""},
      {{"--games"}, "--games needs a value"},
      {{"--gmaes", "4"}, "unknown option --gmaes"},
      {{"extra"}, "unexpected word \"extra\""},
      {{"--out="}, "--out needs a path"},
      {{"--strength", "401"}, "--strength needs a whole number from 0 to 400, not \"401\""},
      {{"--level", "900"}, "--level needs an Elo from 1000 to 1700, not \"900\""},
      {{"--level=1800"}, "--level needs an Elo from 1000 to 1700"},
      {{"--shard", "3/2"}, "--shard needs I/N, part I of N with 1 <= I <= N, not \"3/2\""},
      {{"--shard", "1/2", "--gate"}, "--gate needs the whole run"},
      {{"--seed", "-1"}, "--seed needs a whole number, not \"-1\""},
      {{"--games", "3000000000"}, "--games needs a whole number above 0"},
      {{"--nodes", "99999999999999999999"}, "--nodes needs a whole number above 0"},
      {{"--shard", "1/4294967297"}, "--shard needs I/N, part I of N with 1 <= I <= N, not \"1/4294967297\""},
      {{"--seed", "18446744073709551616"}, "--seed needs a whole number, not \"18446744073709551616\""},
      {{"--strength", "-1"}, "--strength needs a whole number from 0 to 400, not \"-1\""},
      {{"--max-plies", "2147483648"}, "--max-plies needs a whole number above 0, not \"2147483648\""},
      {{"--movetime", "4294967297"}, "--movetime needs a whole number above 0, not \"4294967297\""},
      {{"--jobs", "+0"}, "--jobs needs a whole number above 0, not \"+0\""},
      {{"--book", "--openings", "x.epd"}, "--book plays from the start position"},
      {{"--resign", "600"}, "--resign needs CP,MOVES (1 to 10000 cp, 1 to 100 moves) or off, not \"600\""},
      {{"--resign=0,4"}, "--resign needs CP,MOVES (1 to 10000 cp, 1 to 100 moves) or off, not \"0,4\""},
      {{"--draw", "40,10"}, "--draw needs AFTER_MOVE,CP,MOVES (0 to 1000, 0 to 10000 cp, 1 to 100 moves) or off, "
                            "not \"40,10\""},
      {{"--draw=40,-1,8"}, "--draw needs AFTER_MOVE,CP,MOVES"},
      {{"--max-plies", "0"}, "--max-plies needs a whole number above 0, not \"0\""},
      {{"--book=on"}, "--book takes no value"},
      {{"--per-side", "yes"}, "unexpected word \"yes\""},
      {{"--baseline", "Sharp"}, "--baseline needs a row name, not \"Sharp\""},
      {{"--styles", "KingAttack@300"}, "unknown style \"KingAttack@300\""},
      {{"--styles", "Balanced@401"}, "unknown style \"Balanced@401\""},
      {{"--baseline"}, "--baseline needs a value"},
  };
  for (const auto& [words, message] : cases) {
    RunSettings o;
    std::string error;
    EXPECT_FALSE(parse_gauntlet_options(words, o, error)) << words[0];
    EXPECT_EQ(error.substr(0, message.size()), message);
  }
}

TEST(GauntletOptions, RowsAndMessagesNameEveryStyle) {
  RunSettings o;
  std::string error;
  ASSERT_TRUE(parse_gauntlet_options({}, o, error)) << error;
  ASSERT_EQ(o.rows.size(), static_cast<std::size_t>(SEARCH_MODE_COUNT) + 1);
  for (const StyleEntry& style : STYLES)
    EXPECT_EQ(o.rows[style.mode], (GauntletRow{style.mode, true, row_strength(style.mode, PUBLISHED_STRENGTH)}));
  EXPECT_FALSE(parse_gauntlet_options({"--styles", "Sharp"}, o, error));
  for (const StyleEntry& style : STYLES) {
    EXPECT_NE(error.find(std::string(style.name) + ","), std::string::npos) << style.name;
    GauntletRow row;
    ASSERT_TRUE(row_from_name(style.word ? style.word : style.name, row)) << style.name;
    EXPECT_EQ(row, (GauntletRow{style.mode, true}));
  }
  EXPECT_NE(error.find("NoTactics)"), std::string::npos) << error;
}

// Every spelling a script may use is read, listed in the usage text and nothing else is;
// "styles merge" takes its own two.
TEST(GauntletOptions, UsageListsEveryOptionRead) {
  const std::vector<std::string> spellings = {
      "--games", "--nodes", "--movetime", "--max-plies", "--resign", "--draw", "--seed", "--styles", "--jobs",
      "--out",   "--openings", "--level", "--shard", "--strength", "--quick", "--per-side", "--gate", "--book",
      "--baseline"};
  std::map<std::string, std::string> usage;  // option: its usage line
  std::istringstream lines(styles_usage());
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LE(line.size(), 100u) << line;
    if (line.starts_with("  --")) usage[line.substr(2, line.find(' ', 2) - 2)] = line;
  }
  EXPECT_EQ(usage.size(), spellings.size());
  for (const std::string& option : spellings) {
    ASSERT_TRUE(usage.contains(option)) << option;
    // A valued option names its value in capitals; a flag goes straight on to its help.
    const std::string& line = usage[option];
    const bool flag = std::islower(static_cast<unsigned char>(line[line.find_first_not_of(' ', option.size() + 2)]));
    RunSettings o;
    std::string error;
    parse_gauntlet_options(flag ? Words{option, "extra"} : Words{option}, o, error);
    EXPECT_EQ(error, flag ? "unexpected word \"extra\"" : option + " needs a value") << line;
  }
  EXPECT_NE(usage["--quick"].find(std::to_string(QUICK_GAMES) + " games a row at " + std::to_string(QUICK_NODES) +
                                  " nodes"),
            std::string::npos);
  EXPECT_NE(usage["--nodes"].find("(default " + std::to_string(GameSettings{}.nodes) + ")"), std::string::npos);
  EXPECT_NE(styles_usage().find("styles merge [--out DIR] [--gate] PART_DIR..."), std::string::npos);
  EXPECT_NE(styles_usage().find("styles --list"), std::string::npos);

  RunSettings merge;
  std::vector<std::string> folders;
  std::string error;
  ASSERT_TRUE(read_run_options({"p1", "--gate", "--out=joined", "p2"}, true, merge, folders, error)) << error;
  EXPECT_EQ(folders, (Words{"p1", "p2"}));
  EXPECT_TRUE(merge.gate);
  EXPECT_EQ(merge.out_dir, "joined");
  EXPECT_FALSE(read_run_options({"--games", "4", "p1"}, true, merge, folders, error));
  EXPECT_EQ(error, "unknown option --games of merge");
}

// The bundled set and the measuring sets in tests/data: legal, balanced, and apart, so a
// strength confirmed on a held-out set was never chosen on one of its positions.
TEST(GauntletOpenings, ShippedSetsAreBalancedLegalAndApart) {
  init_tables();
  const std::vector<std::string> files = {"openings.epd", "middlegames.epd", "openings-choose.epd",
                                          "openings-confirm.epd", "openings-holdout.epd", "openings-recheck.epd",
                                          "openings-choose-2.epd", "openings-confirm-2.epd", "openings-confirm-3.epd",
                                          "openings-confirm-4.epd", "openings-confirm-5.epd"};
  std::map<std::string, std::string> seen;  // a position's first four FEN fields, and its set
  for (const std::string& file : files) {
    std::string text, error;
    if (file == "openings.epd")
      text = BUNDLED_OPENINGS;
    else
      ASSERT_TRUE(read_whole_file(BRISVANE_TEST_DATA "/" + file, text, error)) << error;
    std::vector<Opening> openings;
    ASSERT_TRUE(parse_openings(text, openings, error)) << file << ": " << error;
    // Enough distinct openings for the default twenty pairs a style, and 60 for a gate row.
    EXPECT_GE(openings.size(), file == "openings.epd" || file == "middlegames.epd" ? 20u : 120u) << file;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      if (line.empty() || line[0] == '#') continue;
      const std::size_t at = line.find(" ce ");
      ASSERT_NE(at, std::string::npos) << file << ": " << line;
      EXPECT_LE(std::abs(std::stoi(line.substr(at + 4))), 40) << file << ": " << line;
      std::istringstream words(line);
      std::string key, word;
      for (int i = 0; i < 4 && words >> word; ++i) key += word + " ";
      const auto [it, fresh] = seen.emplace(key, file);
      EXPECT_TRUE(fresh) << key << "is in " << it->second << " and " << file;
    }
  }
}

// Number 518 is the standard array; all 960 differ and follow the rules of the set-up.
TEST(GauntletOpenings, Chess960StartPositions) {
  init_tables();
  EXPECT_EQ(chess960_opening(518).fen, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  EXPECT_EQ(chess960_opening(0).fen, "bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w KQkq - 0 1");
  std::set<std::string> seen;
  for (const Opening& opening : chess960_openings()) {
    const std::string rank = opening.fen.substr(0, 8);
    seen.insert(rank);
    const std::size_t b1 = rank.find('b'), b2 = rank.rfind('b'), r1 = rank.find('r'), r2 = rank.rfind('r');
    ASSERT_EQ(std::count(rank.begin(), rank.end(), 'n'), 2) << rank;
    EXPECT_EQ((b1 + b2) % 2, 1u) << rank;  // bishops on squares of both colours
    EXPECT_TRUE(r1 < rank.find('k') && rank.find('k') < r2) << rank;
    // The file reads back with all four rights and no diagnostic.
    std::vector<Opening> parsed;
    std::string error;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(parse_openings(opening.fen, parsed, error)) << error;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(castle, 15);
  }
  EXPECT_EQ(seen.size(), 960u);
  // Shredder-FEN castling letters are read from opening files too.
  std::vector<Opening> parsed;
  std::string error;
  EXPECT_TRUE(parse_openings("bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf -\n", parsed, error)) << error;
}

TEST(GauntletOpenings, FaultsNameTheLine) {
  init_tables();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "no positions"},
      {"# only a comment\n", "no positions"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP w KQkq -\n", "line 1: the placement does not describe eight ranks"},
      {"\nrnbqkbnr/ppppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -\n", "line 2: a rank of the placement holds more"},
      {"rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -\n", "line 1: unknown piece letter"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq -\n", "line 1: the side to move"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq\n", "line 1: fewer than four FEN fields"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - hmvc x;\n", "line 1: bad hmvc"},
      {"4k3/8/8/8/8/8/8/4K2K w - -\n", "line 1: each side needs exactly one king"},
      {"4k3/8/8/8/8/8/8/4R1K1 w - -\n", "line 1: the side not to move is in check"},
      {"7k/5Q2/6K1/8/8/8/8/8 b - -\n", "line 1: the side to move has no legal move"},
  };
  for (const auto& [text, message] : cases) {
    std::vector<Opening> openings;
    std::string error;
    EXPECT_FALSE(parse_openings(text, openings, error)) << text;
    EXPECT_EQ(error.substr(0, message.size()), message) << text;
  }
  std::vector<Opening> openings;
  std::string error;
  ASSERT_TRUE(parse_openings("8/8/4k3/8/8/3K4/5R2/8 b - - hmvc 7; fmvn 30; ce 500;\r\n", openings, error));
  EXPECT_EQ(openings[0].fen, "8/8/4k3/8/8/3K4/5R2/8 b - - 7 30");
  EXPECT_EQ(openings[0].halfmove_clock, 7);
}

TEST(GauntletGame, GameLoopCountsItsOwnRules) {
  init_tables();
  GameSettings settings;
  settings.nodes = 2000;
  set_line_sink(drop_line);
  // No capture and no pawn: the ninety-ninth quiet ply's successor ends the game.
  const SidePlayer balanced{Balanced, true};
  const GameRecord fifty = play_game({"8/1r6/4k3/8/8/8/6R1/4K3 w - - 99 80", 99}, balanced, balanced, settings);
  // Taking the last piece leaves bare kings.
  const GameRecord dead = play_game({"8/8/4k3/8/8/3K4/3r4/8 w - - 0 1", 0}, {KingAttack, true}, balanced, settings);
  // Both engines see Black lost once each has moved: with a one-move resign rule Black resigns.
  settings.rules = {600, 1, 0, 10, 0};
  const GameRecord resigned =
      play_game({"4k3/8/8/8/8/8/PPPPPPPP/RNBQKBNR w KQ - 0 1", 0}, balanced, {PawnEnding, true}, settings);
  settings.rules = {};
  // The cap ends a game that nothing else would.
  settings.max_plies = 3;
  const GameRecord capped = play_game({"8/1r6/4k3/8/8/8/6R1/4K3 w - - 0 1", 0}, balanced, {Deep, true}, settings);
  set_line_sink(nullptr);

  ASSERT_EQ(fifty.plies.size(), 1u);
  EXPECT_EQ(fifty.end, GameEnd::FiftyMoves);
  ASSERT_EQ(dead.plies.size(), 1u);
  EXPECT_EQ(move_to_str(dead.plies[0].move), "d3d2");
  EXPECT_EQ(dead.end, GameEnd::DeadPosition);
  ASSERT_EQ(resigned.plies.size(), 2u);
  EXPECT_EQ(resigned.end, GameEnd::Resigned);
  EXPECT_EQ(resigned.final_side, BLACK);
  EXPECT_LE(resigned.plies[1].score, -600);
  EXPECT_EQ(capped.plies.size(), 3u);
  EXPECT_EQ(capped.end, GameEnd::LengthCap);
  EXPECT_EQ(capped.final_side, BLACK);
}

// With books each side plays its own style's book from the start, then searches; the
// game's random numbers choose the lines, so a seed repeats a game and seeds differ.
TEST(GauntletGame, BooksOpenTheGameAndSeedsVaryIt) {
  init_tables();
  GameSettings settings;
  settings.nodes = 500;
  settings.max_plies = VARIETY_PLIES;
  settings.book = true;
  const Opening start{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0};
  set_line_sink(drop_line);
  std::vector<std::vector<Move>> games;
  std::vector<GameRecord> records;
  for (std::uint64_t seed : {1, 2, 3, 4, 5, 6, 1}) {
    seed_strength_random(seed);
    records.push_back(play_game(start, {Provocation, true}, {Balanced, true}, settings));
    games.emplace_back();
    for (const PlayedMove& played : records.back().plies) games.back().push_back(played.move);
  }
  set_line_sink(nullptr);
  // Provocation's book opens with a flank move, and the first ply is a book move (no search).
  ASSERT_FALSE(records[0].plies.empty());
  EXPECT_TRUE(records[0].plies[0].book);
  EXPECT_EQ(records[0].plies[0].depth, 0);
  // The fingerprint counts the book moves apart from the searched ones.
  for (const GameRecord& record : records) {
    int book = 0, searched = 0;
    for (std::size_t ply = 0; ply < record.plies.size(); ply += 2) (record.plies[ply].book ? book : searched) += 1;
    const GameStats stats = measure_game(start.fen, record.plies, WHITE, 0.5);
    EXPECT_GT(stats.book_moves, 0);
    EXPECT_EQ(stats.book_moves, book);
    EXPECT_EQ(stats.moves, searched);
  }
  const std::string first = move_to_str(games[0][0]);
  EXPECT_TRUE(first == "g1f3" || first == "c2c4" || first == "d2d4" || first == "e2e4" || first == "b2b3") << first;
  EXPECT_EQ(repeated_openings(games), 1 + (repeated_openings({games.begin(), games.end() - 1})));
  EXPECT_LE(repeated_openings({games.begin(), games.end() - 1}), 3);
  EXPECT_EQ(repeated_openings({games[0], games[6]}), 1);
  // Shorter games than the plies compared repeat only as whole games.
  EXPECT_EQ(repeated_openings({games[0], games[1], games[0]}, 100), 1);
  EXPECT_EQ(repeated_openings({{games[0].begin(), games[0].begin() + 2}, games[0]}), 0);
  EXPECT_EQ(variety_line("KingAttack", 2, 60),
            "KingAttack: 2 of 60 games repeat the first 16 plies of an earlier game (3.3%)\n");
  EXPECT_EQ(book_moves_line("KingAttack", 540, 1620, 60),
            "KingAttack: 540 book moves and 1620 searched, 25.0% of its moves from the book, 9.0 a game\n");
  EXPECT_EQ(book_moves_line("Balanced", 0, 0, 0),
            "Balanced: 0 book moves and 0 searched, 0.0% of its moves from the book, 0.0 a game\n");
}

TEST(GauntletGame, TacticalSelectionIsEachSidesOwn) {
  init_tables();
  // Here the selection prefers the check Bb5+ to the search's Nc3.
  const Opening opening{"rn1qkbnr/ppp1pppp/8/3p4/3P2b1/4PN2/PPP2PPP/RNBQKB1R w KQkq - 0 4", 0};
  GameSettings settings;
  settings.nodes = 3000;
  settings.max_plies = 2;
  tactical_move_selection = true;
  set_line_sink(drop_line);
  const GameRecord with = play_game(opening, {Balanced, true}, {Balanced, false}, settings);
  const GameRecord without = play_game(opening, {Balanced, false}, {Balanced, true}, settings);
  // The run's switch (--no-tactics) turns it off for every side.
  settings.tactics = false;
  const GameRecord switched_off = play_game(opening, {Balanced, true}, {Balanced, true}, settings);
  set_line_sink(nullptr);
  ASSERT_EQ(with.plies.size(), 2u);
  ASSERT_EQ(without.plies.size(), 2u);
  EXPECT_TRUE(with.plies[0].tactical_pick);
  EXPECT_FALSE(without.plies[0].tactical_pick);
  EXPECT_NE(move_to_str(with.plies[0].move), move_to_str(without.plies[0].move));
  EXPECT_FALSE(with.plies[1].tactical_pick);
  // The pick's depth is that of its own short search; the record keeps the search's.
  EXPECT_EQ(with.plies[0].depth, without.plies[0].depth);
  ASSERT_EQ(switched_off.plies.size(), 2u);
  EXPECT_FALSE(switched_off.plies[0].tactical_pick || switched_off.plies[1].tactical_pick);
  EXPECT_EQ(move_to_str(switched_off.plies[0].move), move_to_str(without.plies[0].move));
  EXPECT_TRUE(tactical_move_selection);
}

std::vector<std::string> mode_lines;
void keep_mode_line(std::string_view line) {
  if (line.starts_with("info string white_mode=")) mode_lines.emplace_back(line);
}

TEST(GauntletGame, SeparateEnginesOrOneReadingPerSide) {
  init_tables();
  GameSettings settings;
  settings.nodes = 500;
  settings.max_plies = 2;
  const Opening start{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0};
  set_line_sink(keep_mode_line);
  play_game(start, {KingAttack, false, 250}, {Wide, true}, settings);
  settings.per_side = true;
  play_game(start, {KingAttack, false, 250}, {Wide, true}, settings);
  set_line_sink(nullptr);
  // Each side's searches: by default its own style and strength for both colours;
  // always its own tactics.
  const std::string strengths = " white_strength=250 black_strength=100";
  EXPECT_EQ(mode_lines,
            (std::vector<std::string>{
                "info string white_mode=KingAttack black_mode=KingAttack tactics=off threshold=40 white_strength=250 "
                "black_strength=250",
                "info string white_mode=Wide black_mode=Wide tactics=on threshold=40",
                "info string white_mode=KingAttack black_mode=Wide tactics=off threshold=40" + strengths,
                "info string white_mode=KingAttack black_mode=Wide tactics=on threshold=40" + strengths}));
}

// Every move writes both sides' styles and strengths, the selection and its threshold;
// after the game the caller finds them as it left them, in either set-up.
TEST(GauntletGame, LeavesEverySettingItWritesAsItFoundIt) {
  init_tables();
  GameSettings settings;
  settings.nodes = 500;
  settings.max_plies = 2;
  settings.threshold = 90;
  const Opening start{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0};
  white_search_mode = PawnEnding;
  black_search_mode = Deep;
  white_style_strength = 30;
  black_style_strength = 170;
  tactical_move_selection = false;
  tactic_threshold_cp = 15;
  set_line_sink(drop_line);
  for (bool per_side : {false, true}) {
    settings.per_side = per_side;
    EXPECT_EQ(play_game(start, {KingAttack, true, 250}, {Wide, true, 300}, settings).plies.size(), 2u);
    EXPECT_EQ(white_search_mode, PawnEnding) << per_side;
    EXPECT_EQ(black_search_mode, Deep) << per_side;
    EXPECT_EQ(white_style_strength, 30) << per_side;
    EXPECT_EQ(black_style_strength, 170) << per_side;
    EXPECT_FALSE(tactical_move_selection) << per_side;
    EXPECT_EQ(tactic_threshold_cp, 15) << per_side;
  }
  set_line_sink(nullptr);
  white_search_mode = black_search_mode = Balanced;
  white_style_strength = black_style_strength = STYLE_STRENGTH_DEFAULT;
  tactical_move_selection = true;
  tactic_threshold_cp = 40;
}

TEST(GauntletGame, RecordsTravelAsOneLine) {
  GameRecord record;
  record.end = GameEnd::Checkmate;
  record.final_side = BLACK;
  record.plies = {{Move{12, 28, P, 0, NO_PIECE, 0, 0, 1}, 35, false, 9},
                  {Move{52, 60, p, 1, q, 0, 0, 0}, -48998, true, 7},
                  {Move{6, 21, N, 0, NO_PIECE, 0, 0, 0}, 0, false, 0, true}};
  const std::string line = encode_record(17, record);
  EXPECT_EQ(line.find('\n'), std::string::npos);
  int job = 0;
  GameRecord back;
  ASSERT_TRUE(decode_record(line, job, back));
  EXPECT_EQ(job, 17);
  EXPECT_EQ(back.end, GameEnd::Checkmate);
  EXPECT_EQ(back.final_side, BLACK);
  ASSERT_EQ(back.plies.size(), 3u);
  EXPECT_EQ(encode_record(17, back), line);
  EXPECT_EQ(back.plies[1].move.promoted, q);
  EXPECT_TRUE(back.plies[1].tactical_pick);
  EXPECT_EQ(back.plies[0].depth, 9);
  EXPECT_FALSE(back.plies[1].book);
  EXPECT_TRUE(back.plies[2].book);
  EXPECT_FALSE(decode_record("17 1 0 2 4000 35 9 0 0", job, back));  // one ply short
  EXPECT_FALSE(decode_record("17 0 0 0", job, back));            // a game that did not end
}

TEST(GauntletPgn, TagsMoveNumbersAndWrapping) {
  init_tables();
  PgnGame game;
  game.round = "3";
  game.white = "Balanced";
  game.black = "PawnStorm";
  game.result = "1/2-1/2";
  game.fen = "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 3 3";
  game.extra_tags = {{"SetUp", "1"}, {"FEN", game.fen}, {"Termination", "adjudication"}};
  game.final_comment = "length cap";
  load_fen(game.fen);
  const char* line[] = {"g8f6", "b1c3", "f8b4", "f1b5", "e8g8", "e1g1", "d7d6", "d2d4", "b4c3", "b2c3", "c8g4",
                        "h2h3", "g4h5", "c1g5", "h7h6", "g5h4", "g7g5", "h4g3", "f6e4"};
  for (const char* text : line) {
    game.moves.push_back(parse_uci_move(text));
    make_move(game.moves.back());
  }
  const std::string pgn = pgn_text(game);
  EXPECT_EQ(pgn.substr(0, pgn.find("\n\n")),
            "[Event \"?\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n[Round \"3\"]\n[White \"Balanced\"]\n"
            "[Black \"PawnStorm\"]\n[Result \"1/2-1/2\"]\n[SetUp \"1\"]\n[FEN \"" + game.fen +
            "\"]\n[Termination \"adjudication\"]");
  EXPECT_EQ(pgn.substr(pgn.find("\n\n") + 2),
            "3... Nf6 4. Nc3 Bb4 5. Bb5 O-O 6. O-O d6 7. d4 Bxc3 8. bxc3 Bg4 9. h3 Bh5\n"
            "10. Bg5 h6 11. Bh4 g5 12. Bg3 Nxe4 {length cap} 1/2-1/2\n\n");
}

// A Chess960 game is marked as one; its castlings read O-O and O-O-O.
TEST(GauntletPgn, Chess960TagsAndCastling) {
  init_tables();
  PgnGame game;
  game.fen = "2rkr3/2p1p3/8/8/8/8/8/RK5R w HA - 0 1";
  EXPECT_EQ(start_position_tags(game.fen), (PgnTags{{"SetUp", "1"}, {"FEN", game.fen}}));
  chess960 = true;
  game.extra_tags = start_position_tags(game.fen);
  load_fen(game.fen);
  game.moves.push_back(parse_uci_move("b1a1"));
  const std::string pgn = pgn_text(game);
  chess960 = false;
  EXPECT_NE(pgn.find("[Result \"*\"]\n[Variant \"Chess960\"]\n[SetUp \"1\"]\n[FEN \"" + game.fen + "\"]\n\n"),
            std::string::npos) << pgn;
  EXPECT_NE(pgn.find("\n1. O-O-O# *\n"), std::string::npos) << pgn;
  load_fen(game.fen);
  EXPECT_EQ(move_to_san(parse_uci_move("b1g1")), "O-O");
}

}  // namespace
