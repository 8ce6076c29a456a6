#include "terminal/screen_layout.h"

#include <gtest/gtest.h>

namespace vekhelp {
namespace {

using Lines = std::vector<std::string>;

TEST(ScreenLayoutTest, AreasSitSideBySideWithOneSeparatorBetween) {
  const ScreenLayout layout = LayOutScreen(80, 24, 18);
  ASSERT_TRUE(layout.fits);
  EXPECT_EQ(layout.contents.x, 0);
  EXPECT_EQ(layout.contents.width, 18) << "OldVekHeaderUpdate fits at 80 columns";
  EXPECT_EQ(layout.text.x, 19);
  EXPECT_EQ(layout.text.x + layout.text.width + 1, layout.see_also.x);
  EXPECT_EQ(layout.see_also.x + layout.see_also.width, 80);
  EXPECT_EQ(layout.see_also.width, 16);
  EXPECT_EQ(layout.area_rows, 20);
  EXPECT_EQ(layout.status_row, 22);
  EXPECT_EQ(layout.help_row, 23);
}

TEST(ScreenLayoutTest, ListsTakeWhatTheirEntriesNeedWithinBounds) {
  const struct {
    int columns, rows;
    size_t contents;
    int contents_width, see_also_width, text_width;
  } cases[] = {{40, 8, 30, 10, 10, 18}, {80, 24, 3, 10, 16, 52}, {200, 60, 20, 20, 40, 138}, {200, 60, 1u << 30, 50, 40, 108}};
  for (const auto& c : cases) {
    const ScreenLayout layout = LayOutScreen(c.columns, c.rows, c.contents);
    ASSERT_TRUE(layout.fits);
    EXPECT_EQ(layout.contents.width, c.contents_width) << c.columns;
    EXPECT_EQ(layout.see_also.width, c.see_also_width) << c.columns;
    EXPECT_EQ(layout.text.width, c.text_width) << c.columns;
  }
  EXPECT_FALSE(LayOutScreen(39, 24, 0).fits);
  EXPECT_FALSE(LayOutScreen(80, 7, 0).fits);
}

TEST(ScreenLayoutTest, WrapBreaksAtTheLastBlankThatFits) {
  EXPECT_EQ(WrapLines({"one two three"}, 8), (Lines{"one two", "three"}));
  EXPECT_EQ(WrapLines({"abcdefghij"}, 4), (Lines{"abcd", "efgh", "ij"}));
  EXPECT_EQ(WrapLines({"", "short"}, 8), (Lines{"", "short"}));
  EXPECT_EQ(WrapLines({"exactly8"}, 8), (Lines{"exactly8"}));
  EXPECT_EQ(WrapLines({"    NAME"}, 4), (Lines{"NAME"})) << "an indented caption still shows";
  EXPECT_EQ(WrapLines({"      AB CD"}, 8), (Lines{"   AB CD"}));
  EXPECT_EQ(WrapLines({"x"}, 0), Lines{});
  EXPECT_EQ(WrapLines({"  - one two three"}, 12), (Lines{"  - one two", "    three"})) << "list items keep their indent";
  EXPECT_EQ(WrapLines({"12. aa bb cc"}, 8), (Lines{"12. aa", "    bb", "    cc"}));
}

TEST(ScreenLayoutTest, ScrollMovesOnlyAsFarAsNeeded) {
  EXPECT_EQ(ScrollToShow(0, 3, 10), 0u);
  EXPECT_EQ(ScrollToShow(0, 10, 10), 1u);
  EXPECT_EQ(ScrollToShow(5, 2, 10), 2u);
  EXPECT_EQ(ScrollToShow(5, 14, 10), 5u);
  EXPECT_EQ(ScrollToShow(5, 7, 0), 7u);
}

}  // namespace
}  // namespace vekhelp
