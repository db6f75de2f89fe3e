#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/text.h"
#include "board/position.h"
#include "style/search_mode.h"
#include "style/style_strength.h"

namespace {

TEST(SearchMode, NamesRoundTrip) {
  for (const StyleEntry& style : STYLES) {
    EXPECT_EQ(parse_search_mode(mode_name(style.mode)), style.mode) << style.name;
    // The command-line word is the name in lower case, and selects the same style.
    if (!style.word) continue;
    EXPECT_TRUE(equal_ignoring_case(style.word, style.name)) << style.word;
    for (const char* c = style.word; *c; ++c) EXPECT_FALSE(*c >= 'A' && *c <= 'Z') << style.word;
  }
  EXPECT_EQ(SEARCH_MODE_COUNT, 10);
  EXPECT_EQ(STYLES[0].word, nullptr);
  EXPECT_STREQ(mode_name(Balanced), "Balanced");
  EXPECT_STREQ(mode_name(MinorPieceEnding), "MinorPieceEnding");
  EXPECT_STREQ(mode_name(static_cast<SearchMode>(SEARCH_MODE_COUNT)), "Balanced");
  EXPECT_STREQ(mode_name(static_cast<SearchMode>(-1)), "Balanced");
}

TEST(SearchMode, ParsingIsExactButIgnoresCase) {
  EXPECT_EQ(parse_search_mode("Balanced"), Balanced);
  EXPECT_EQ(parse_search_mode("KingAttack"), KingAttack);
  EXPECT_EQ(parse_search_mode("kingATTACK"), KingAttack);
  EXPECT_EQ(parse_search_mode("DEEP"), Deep);
  SearchMode mode = Wide;
  for (const char* text : {"", "Deep ", " Deep", "Deeper", "King Attack", "deep\r"}) {
    EXPECT_EQ(parse_search_mode(text), Balanced) << '"' << text << '"';
    EXPECT_FALSE(read_search_mode(text, mode)) << '"' << text << '"';
  }
  EXPECT_EQ(mode, Wide);
  EXPECT_TRUE(read_search_mode("balanced", mode));
  EXPECT_EQ(mode, Balanced);
}

TEST(SearchMode, UciVarList) {
  const std::string listed = search_mode_uci_vars();
  std::string expected;
  for (const StyleEntry& style : STYLES) expected += std::string(" var ") + style.name;
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(joined_style_names(", ").rfind("Balanced, Deep, ", 0), 0u);
  const char* vars = search_mode_uci_vars();
  EXPECT_EQ(std::strlen(vars), 148u);
  EXPECT_STREQ(vars,
               " var Balanced var Deep var Wide var KingAttack var PassedPawn var PawnStorm var Provocation"
               " var PawnEnding var MajorPieceEnding var MinorPieceEnding");
}

// Whatever a row says of its strengths above 100, at or below it every style keeps its
// whole search, its term weighed at the strength itself.
TEST(SearchMode, WholeSearchUpToTheDefault) {
  for (const StyleEntry& style : STYLES)
    for (int strength : {STYLE_STRENGTH_MIN, 50, STYLE_STRENGTH_DEFAULT}) {
      EXPECT_TRUE(ordering_on(style.mode, strength)) << style.name << " at " << strength;
      EXPECT_TRUE(extensions_on(style.mode, strength)) << style.name << " at " << strength;
      EXPECT_EQ(term_strength(style.mode, strength), strength) << style.name;
    }
}

TEST(SearchMode, BothSidesAndActiveMode) {
  apply_search_mode_both("Deep");
  EXPECT_EQ(white_search_mode, Deep);
  EXPECT_EQ(black_search_mode, Deep);
  black_search_mode = parse_search_mode("Wide");
  EXPECT_EQ(white_search_mode, Deep);
  white_search_mode = KingAttack;
  side = WHITE;
  EXPECT_EQ(active_mode(), KingAttack);
  side = BLACK;
  EXPECT_EQ(active_mode(), Wide);
  apply_search_mode_both("nonsense");
  EXPECT_EQ(white_search_mode, Balanced);
  EXPECT_EQ(black_search_mode, Balanced);
  side = WHITE;
}

}  // namespace
