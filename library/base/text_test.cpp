#include "base/text.h"

#include <gtest/gtest.h>

namespace oldvek {
namespace {

TEST(ReadDecimalTest, SkipsLeadingBlanksTabsAndLineFeedsAndStopsAtTheFirstNonDigit) {
  EXPECT_EQ(ReadDecimal("12345     "), 12345u);
  EXPECT_EQ(ReadDecimal(" \t\n42x7"), 42u);
  EXPECT_EQ(ReadDecimal("   "), 0u);
  EXPECT_EQ(ReadDecimal(""), 0u);
  EXPECT_EQ(ReadDecimal(std::string_view("\0\0\0", 3)), 0u);
  EXPECT_EQ(ReadDecimal("-5"), 0u);
  EXPECT_EQ(ReadDecimal("\r5"), 0u);                              // a carriage return is not skipped
  EXPECT_EQ(ReadDecimal("9999999999"), 9999999999u);              // ten-digit fields do not overflow
  EXPECT_EQ(ReadDecimal("99999999999999999999999"), UINT64_MAX);  // larger values saturate
}

TEST(TextTest, TrimRemovesTrailingBlanksOnly) {
  EXPECT_EQ(TrimTrailingBlanks("  a b  "), "  a b");
  EXPECT_EQ(TrimTrailingBlanks("a\t"), "a\t");
  EXPECT_EQ(TrimTrailingBlanks(std::string_view("a\0 ", 3)), std::string_view("a\0", 2));
  EXPECT_EQ(TrimTrailingBlanks("    "), "");
}

// Only a to z fold: names and markers are ASCII, and the archive's other bytes must not meet
// by chance.
TEST(TextTest, OnlyAsciiLettersFold) {
  EXPECT_FALSE(EqualsIgnoringAsciiCase("\xE0", "\xC0"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("A", "AB"));
  EXPECT_TRUE(ContainsIgnoringAsciiCase("Print a$", "A$"));  // at the very end of the line
}

}  // namespace
}  // namespace oldvek
