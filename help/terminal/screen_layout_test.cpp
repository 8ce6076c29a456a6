#include "terminal/screen_layout.h"

#include <gtest/gtest.h>

namespace vekhelp {
namespace {

using Lines = std::vector<std::string>;

TEST(ScreenLayoutTest, AreasSitSideBySideWithOneSeparatorBetween) {
  const ScreenLayout layout = LayOutScreen(80, 24);
  ASSERT_TRUE(layout.fits);
  EXPECT_EQ(layout.contents.x, 0);
  EXPECT_EQ(layout.contents.width, 16);
  EXPECT_EQ(layout.text.x, 17);
  EXPECT_EQ(layout.text.x + layout.text.width + 1, layout.see_also.x);
  EXPECT_EQ(layout.see_also.x + layout.see_also.width, 80);
  EXPECT_GT(layout.text.width, layout.contents.width + layout.see_also.width);
  EXPECT_EQ(layout.area_rows, 21);
  EXPECT_EQ(layout.help_row, 23);
}

TEST(ScreenLayoutTest, NarrowScreensKeepUsableLists) {
  const ScreenLayout layout = LayOutScreen(40, 8);
  ASSERT_TRUE(layout.fits);
  EXPECT_EQ(layout.contents.width, 10);
  EXPECT_EQ(layout.see_also.width, 10);
  EXPECT_EQ(layout.text.width, 18);
  EXPECT_FALSE(LayOutScreen(39, 24).fits);
  EXPECT_FALSE(LayOutScreen(80, 7).fits);
}

TEST(ScreenLayoutTest, WrapBreaksAtTheLastBlankThatFits) {
  EXPECT_EQ(WrapLines({"one two three"}, 8), (Lines{"one two", "three"}));
  EXPECT_EQ(WrapLines({"abcdefghij"}, 4), (Lines{"abcd", "efgh", "ij"}));
  EXPECT_EQ(WrapLines({"", "short"}, 8), (Lines{"", "short"}));
  EXPECT_EQ(WrapLines({"exactly8"}, 8), (Lines{"exactly8"}));
  EXPECT_EQ(WrapLines({"    NAME"}, 4), (Lines{"   ", "NAME"})) << "an indented caption still shows";
  EXPECT_EQ(WrapLines({"x"}, 0), Lines{});
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
