#include "terminal/screen_text.h"

#include <gtest/gtest.h>

namespace vekhelp {
namespace {

TEST(ScreenTextTest, TabsReachTheNextStopAndLongEntriesEndInTheMark) {
  EXPECT_EQ(ExpandTabs("\tA"), "        A");
  EXPECT_EQ(ExpandTabs("AB\tC\t"), "AB      C       ");
  EXPECT_EQ(ExpandTabs("12345678\t9"), "12345678        9");
  EXPECT_EQ(Elide("OldVekHeaderUpdate", 18), "OldVekHeaderUpdate");
  EXPECT_EQ(Elide("OldVekHeaderUpdate", 8), "OldVekH\x85");
  EXPECT_EQ(Elide("AB", 0), "");
}

TEST(ScreenTextTest, EveryByteHasOneVisibleCharacter) {
  const struct {
    unsigned char byte;
    char32_t shown;
  } cases[] = {{'A', U'A'},       {' ', U' '},       {0x00, U'\u2400'}, {0x0D, U'\u240D'}, {0x1F, U'\u241F'},
               {0x7F, U'\u2421'}, {0x80, U'\u20AC'}, {0x85, U'\u2026'}, {0x81, U'\uFFFD'}, {0x9D, U'\uFFFD'},
               {0x9F, U'\u0178'}, {0xA0, U'\u00A0'}, {0xE9, U'\u00E9'}, {0xFF, U'\u00FF'}};
  for (const auto& c : cases) EXPECT_EQ(CellCharacter(c.byte), c.shown) << int{c.byte};
  EXPECT_EQ(ByteForCharacter(U'\u20AC'), 0x80) << "typed characters become the file's bytes";
  EXPECT_EQ(ByteForCharacter(U'\u0394'), std::nullopt) << "not in Windows-1252";
}

TEST(ScreenTextTest, MatchesAreFoundWhateverTheCase) {
  using Cells = std::vector<bool>;
  EXPECT_EQ(MatchedCells("a Bubble", "BUB"), (Cells{0, 0, 1, 1, 1, 0, 0, 0}));
  EXPECT_EQ(MatchedCells("aaa", "AA"), (Cells{1, 1, 1})) << "overlapping occurrences";
  EXPECT_EQ(MatchedCells("ab", ""), (Cells{0, 0}));
}

}  // namespace
}  // namespace vekhelp
