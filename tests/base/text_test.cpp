#include "base/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

constexpr std::int64_t LARGEST = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t SMALLEST = std::numeric_limits<std::int64_t>::min();

TEST(Text, LeadingIntegerEdgeCases) {
  struct Case {
    const char* text;
    std::int64_t value;
    std::size_t length;
    bool overflow;
  };
  const Case cases[] = {
      {"", 0, 0, false},
      {"-", 0, 0, false},
      {"+", 0, 0, false},
      {"abc", 0, 0, false},
      {" 7", 0, 0, false},  // blanks are the caller's business
      {"+-3", 0, 0, false},
      {"0", 0, 1, false},
      {"-0", 0, 2, false},
      {"+7", 7, 2, false},
      {"-42", -42, 3, false},
      {"007", 7, 3, false},
      {"12abc", 12, 2, false},
      {"5-3", 5, 1, false},
      {"0x1f", 0, 1, false},
      {"9223372036854775807", LARGEST, 19, false},
      {"-9223372036854775808", SMALLEST, 20, false},
      {"9223372036854775808", LARGEST, 19, true},
      {"-9223372036854775809", SMALLEST, 20, true},
      {"99999999999999999999999999x", LARGEST, 26, true},
      {"-99999999999999999999999999", SMALLEST, 27, true},
  };
  for (const Case& c : cases) {
    const LeadingInteger read = read_leading_integer(c.text);
    EXPECT_EQ(read.value, c.value) << c.text;
    EXPECT_EQ(read.length, c.length) << c.text;
    EXPECT_EQ(read.overflow, c.overflow) << c.text;
  }
}

TEST(Text, WholeIntegerNeedsEveryCharacter) {
  std::int64_t value = 5;
  for (const char* text : {"", "-", "+", "12abc", "1 2", " 1", "1 ", "0x1f", "abc"}) {
    EXPECT_FALSE(read_whole_integer(text, value)) << text;
    EXPECT_EQ(value, 5) << text;
  }
  ASSERT_TRUE(read_whole_integer("+7", value));
  EXPECT_EQ(value, 7);
  ASSERT_TRUE(read_whole_integer("-2147483649", value));
  EXPECT_EQ(value, -2147483649LL);
  // Saturated, not refused: a spin option clamps it to its maximum.
  ASSERT_TRUE(read_whole_integer("99999999999999999999", value));
  EXPECT_EQ(value, LARGEST);
}

TEST(Text, EqualIgnoringCase) {
  EXPECT_TRUE(equal_ignoring_case("KingAttack", "kingattack"));
  EXPECT_TRUE(equal_ignoring_case("", ""));
  EXPECT_FALSE(equal_ignoring_case("Deep", "Dee"));
  EXPECT_FALSE(equal_ignoring_case("Deep", "Deer"));
  // Only ASCII letters fold: '[' and '{' are not each other's case.
  EXPECT_FALSE(equal_ignoring_case("[", "{"));
}

TEST(Text, SplitFieldsKeepsEmptyOnes) {
  using Fields = std::vector<std::string>;
  EXPECT_EQ(split_fields("a,,b,", ','), (Fields{"a", "", "b", ""}));
  EXPECT_EQ(split_fields(",", ','), (Fields{"", ""}));
  EXPECT_EQ(split_fields("600", ','), (Fields{"600"}));
  EXPECT_TRUE(split_fields("", ',').empty());
}

}  // namespace
