#include "terminal/screen_layout.h"

#include <gtest/gtest.h>

namespace vekhelp {
namespace {

using Lines = std::vector<std::string>;

TEST(ScreenLayoutTest, ListsTakeWhatTheirEntriesNeedAndTheAreasFillTheRowsBetweenTwoSeparators) {
  const struct {
    int columns, rows;
    size_t contents;
    int contents_width, see_also_width;
  } cases[] = {{40, 8, 30, 10, 10},
               {80, 24, 18, 18, 16},
               {80, 24, 3, 10, 16},
               {200, 60, 20, 20, 40},
               {200, 60, 1u << 30, 50, 40}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.columns);
    const ScreenLayout layout = LayOutScreen(c.columns, c.rows, c.contents);
    ASSERT_TRUE(layout.fits);
    EXPECT_EQ(layout.contents.width, c.contents_width);
    EXPECT_EQ(layout.see_also.width, c.see_also_width);
    EXPECT_EQ(layout.contents.x, 0);
    EXPECT_EQ(layout.text.x, layout.contents.width + 1);
    EXPECT_EQ(layout.see_also.x, layout.text.x + layout.text.width + 1);
    EXPECT_EQ(layout.see_also.x + layout.see_also.width, c.columns);
    // The search line and the headings above the areas, the status and the key help below.
    EXPECT_EQ(layout.area_rows, c.rows - 4);
    EXPECT_EQ(layout.status_row, c.rows - 2);
    EXPECT_EQ(layout.help_row, c.rows - 1);
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
  EXPECT_EQ(WrapLines({"  - one two three"}, 12), (Lines{"  - one two", "    three"}))
      << "list items keep their indent";
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
