#include "encoder/page_names.h"

#include <gtest/gtest.h>

namespace oldvek {
namespace {

TEST(PageNamesTest, NextPageNames) {
  struct Case {
    const char* output_name;
    uint64_t page;
    const char* expected;
  };
  const Case cases[] = {
      {"MYPROG.BAS", 1, "MYPROG10.BAS"},     {"MYPROG.BAS", 240, "MYPROGFF.BAS"},
      {"MYPROG.BAS", 241, "MYP100.BAS"},     // the stem gives up 3 for "100"
      {"ENCODERS.BAS", 2, "ENCODE11.BAS"},   {"ENCODERS.BAS", 241, "ENCOD100.BAS"},
      {"ENCODER.BAS", 1, "ENCOD10.BAS"},     // 9 characters: loses 2, not 1
      {"ENCODER.BAS", 241, "ENCO100.BAS"},   {"LONGERTHAN8.BAS", 1, "LONGER10.BAS"},
      {"A.B.C", 1, "A10.B.C"},               // stem and extension split at the first dot
      {"game.bas", 1, "game10.bas"},         {".BAS", 1, "10.BAS"},
      {"NODOT", 1, "NODOT10"},
  };
  for (const Case& c : cases) EXPECT_EQ(NextPageName(c.output_name, c.page), c.expected) << c.output_name << " " << c.page;
}

TEST(PageNamesTest, SetsWhosePagesShareAFileAreRefused) {
  struct Case {
    const char* output_name;
    uint64_t pages;
    const char* message;
  };
  const Case cases[] = {
      {"ENCODE10.BAS", 2, "page 2 of ENCODE10.BAS would be named ENCODE10.BAS, the same file as page 1"},
      {"GAME2010.BAS", 2, "page 2 of GAME2010.BAS would be named GAME2010.BAS, the same file as page 1"},
      {"ENCOD11.BAS", 3, "page 3 of ENCOD11.BAS would be named ENCOD11.BAS, the same file as page 1"},
      // Page 12's suffix is "1A": equal to page 1 but for letter case.
      {"GAMEX1a.BAS", 12, "page 12 of GAMEX1a.BAS would be named GAMEX1A.BAS, the same file as page 1"},
      {"ENCOD11.BAS", 2, nullptr},  // fewer pages than the clash needs are fine
  };
  for (const Case& c : cases) {
    Result<std::vector<std::string>> names = PageFileNames(c.output_name, c.pages);
    EXPECT_EQ(names.ok() ? "" : names.status().message(), c.message != nullptr ? c.message : "") << c.output_name;
  }
}

}  // namespace
}  // namespace oldvek
