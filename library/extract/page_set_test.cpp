#include "extract/page_set.h"

#include <gtest/gtest.h>

#include "base/crc32.h"

namespace oldvek {
namespace {

TEST(PageSetTest, BeginLines) {
  struct Case {
    const char* line;
    std::optional<PageMark> mark;
  };
  const Case cases[] = {
      {"'>>> Page 2 of 3 of SETUP.EXE begins here. TYPE:BINAA TLEN:156000", PageMark{2, 3, "SETUP.EXE"}},
      {"'>>> Page  1 of  1 of A B.TXT begins here. TYPE:BINAA TLEN:5", PageMark{1, 1, "A B.TXT"}},
      {"'>>> Page 0 of 3 of X begins here.", std::nullopt},
      {"'>>> Page 2x of 3 of X begins here.", std::nullopt},
      {"'>>> Page 1 of 1 of  begins here.", std::nullopt},
      {"'>>> Page 1 of HI.TXT ends here. Last page. TCHK:143", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<PageMark> mark = ParseBeginLine(c.line);
    ASSERT_EQ(mark.has_value(), c.mark.has_value()) << c.line;
    if (mark) {
      EXPECT_EQ(std::tie(mark->page, mark->page_count, mark->name),
                std::tie(c.mark->page, c.mark->page_count, c.mark->name)) << c.line;
    }
  }
}

TEST(PageSetTest, CrcLinesAndTheCrc) {
  Crc32 crc;
  crc.Add("1234");
  crc.Add("56789");
  EXPECT_EQ(crc.value(), 0xCBF43926u);  // the CRC-32 check value
  EXPECT_EQ(CrcLine({0xCBF43926u, 0x0000000Au}), "'>>> CRC-32 page:CBF43926 file:0000000A");
  const std::optional<PageCrc> back = ParseCrcLine(CrcLine({0xCBF43926u, 10}));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->page, 0xCBF43926u);
  EXPECT_EQ(back->file, 10u);
  EXPECT_FALSE(ParseCrcLine("'>>> CRC-32 page:CBF4392G file:0000000A"));
  EXPECT_FALSE(ParseCrcLine("'>>> CRC-32 page:CBF43926 file:0000000A "));
}

}  // namespace
}  // namespace oldvek
