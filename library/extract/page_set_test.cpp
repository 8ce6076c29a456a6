#include "extract/page_set.h"

#include <gtest/gtest.h>

namespace oldvek {
namespace {

TEST(PageSetTest, BeginLines) {
  const std::pair<const char*, const char*> cases[] = {
      {"'>>> Page 2 of 3 of SETUP.EXE begins here. TYPE:BINAA TLEN:156000", "2/3/SETUP.EXE"},
      {"'>>> Page  1 of  1 of A B.TXT begins here. TYPE:BINAA TLEN:5", "1/1/A B.TXT"},
      {"'>>> Page 0 of 3 of X begins here.", "none"},
      {"'>>> Page 2x of 3 of X begins here.", "none"},
      {"'>>> Page 1 of 1 of  begins here.", "none"},
      {"'>>> Page 1 of HI.TXT ends here. Last page. TCHK:143", "none"},
  };
  for (const auto& [line, expected] : cases) {
    const std::optional<PageMark> m = ParseBeginLine(line);
    EXPECT_EQ(m ? std::to_string(m->page) + "/" + std::to_string(m->page_count) + "/" + m->name : "none", expected)
        << line;
  }
}

TEST(PageSetTest, CrcLines) {
  EXPECT_EQ(CrcLine({0xCBF43926u, 0x0000000Au}), "'>>> CRC-32 page:CBF43926 file:0000000A");
  const std::optional<PageCrc> back = ParseCrcLine(CrcLine({0xCBF43926u, 10}));
  EXPECT_EQ(back ? std::pair(back->page, back->file) : std::pair(0u, 0u), std::pair(0xCBF43926u, 10u));
  EXPECT_FALSE(ParseCrcLine("'>>> CRC-32 page:CBF4392G file:0000000A"));
  EXPECT_FALSE(ParseCrcLine("'>>> CRC-32 page:CBF43926 file:0000000A "));
}

// Pages in any order make up the set; a missing, repeated or foreign page names itself, and a
// damaged count of billions of pages is refused without making room for them.
TEST(PageSetTest, OrderedPages) {
  const auto page = [](uint64_t number, uint64_t count, const char* name = "F") {
    return PageText{PageMark{number, count, name}, "P" + std::to_string(number), {}};
  };
  const std::vector<PageText> shuffled = {page(2, 3), page(3, 3), page(1, 3)};
  Result<std::vector<const PageText*>> ordered = OrderPages(shuffled);
  ASSERT_TRUE(ordered.ok()) << ordered.status().message();
  EXPECT_EQ((*ordered)[0]->origin + (*ordered)[1]->origin + (*ordered)[2]->origin, "P1P2P3");
  const std::pair<std::vector<PageText>, const char*> refused[] = {
      {{page(1, 3), page(3, 3)}, "page 2 of 3 of F is missing"},
      {{page(1, 999999999999)}, "page 2 of 999999999999 of F is missing"},
      {{page(1, 2), page(1, 2)}, "repeats P1"},
      {{page(1, 2), page(2, 2, "G")}, "not of the 2 pages of F"},
  };
  for (const auto& [pages, message] : refused) {
    Result<std::vector<const PageText*>> result = OrderPages(pages);
    ASSERT_FALSE(result.ok()) << message;
    EXPECT_NE(result.status().message().find(message), std::string::npos) << result.status().message();
  }
}

}  // namespace
}  // namespace oldvek
