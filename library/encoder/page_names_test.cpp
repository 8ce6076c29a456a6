#include "encoder/page_names.h"

#include <gtest/gtest.h>

namespace oldvek {
namespace {

TEST(PageNamesTest, NextPageNames) {
  EXPECT_EQ(NextPageName("MYPROG.BAS", 1), "MYPROG10.BAS");
  EXPECT_EQ(NextPageName("MYPROG.BAS", 2), "MYPROG11.BAS");
  EXPECT_EQ(NextPageName("MYPROG.BAS", 240), "MYPROGFF.BAS");
  EXPECT_EQ(NextPageName("MYPROG.BAS", 241), "MYP100.BAS");  // the stem gives up 3 for "100"
  EXPECT_EQ(NextPageName("ENCODERS.BAS", 1), "ENCODE10.BAS");
  EXPECT_EQ(NextPageName("ENCODERS.BAS", 2), "ENCODE11.BAS");
  EXPECT_EQ(NextPageName("ENCODERS.BAS", 241), "ENCOD100.BAS");
  EXPECT_EQ(NextPageName("ENCODER.BAS", 1), "ENCOD10.BAS");  // 9 characters: loses 2, not 1
  EXPECT_EQ(NextPageName("ENCODER.BAS", 2), "ENCOD11.BAS");
  EXPECT_EQ(NextPageName("ENCODER.BAS", 241), "ENCO100.BAS");
}

TEST(PageNamesTest, StemAndExtensionSplitAtTheFirstDot) {
  EXPECT_EQ(NextPageName("LONGERTHAN8.BAS", 1), "LONGER10.BAS");
  EXPECT_EQ(NextPageName("A.B.C", 1), "A10.B.C");
  EXPECT_EQ(NextPageName("game.bas", 1), "game10.bas");
  EXPECT_EQ(NextPageName(".BAS", 1), "10.BAS");
  EXPECT_EQ(NextPageName("NODOT", 1), "NODOT10");
}

TEST(PageNamesTest, PageCountsAndByteCounts) {
  EXPECT_EQ(PageCount(TargetDialect::kQuickBasic, 0), 1u);
  EXPECT_EQ(PageCount(TargetDialect::kQuickBasic, 156000), 1u);
  EXPECT_EQ(PageCount(TargetDialect::kQuickBasic, 156001), 2u);
  EXPECT_EQ(PageCount(TargetDialect::kQuickBasic, 312000), 2u);
  EXPECT_EQ(PageCount(TargetDialect::kPowerBasic, 10'000'000), 1u);
  EXPECT_EQ(PageCount(TargetDialect::kVisualBasic, 10'000'000), 1u);
  EXPECT_EQ(PageByteCount(TargetDialect::kQuickBasic, 156001, 1), 156000u);
  EXPECT_EQ(PageByteCount(TargetDialect::kQuickBasic, 156001, 2), 1u);
  EXPECT_EQ(PageByteCount(TargetDialect::kQuickBasic, 0, 1), 0u);
  EXPECT_EQ(PageByteCount(TargetDialect::kVisualBasic, 10'000'000, 1), 10'000'000u);
}

TEST(PageNamesTest, AllNamesOfASet) {
  Result<std::vector<std::string>> names = PageFileNames("MYPROG.BAS", 3);
  ASSERT_TRUE(names.ok()) << names.status().message();
  EXPECT_EQ(*names, (std::vector<std::string>{"MYPROG.BAS", "MYPROG10.BAS", "MYPROG11.BAS"}));
}

TEST(PageNamesTest, SetsWhosePagesShareAFileAreRefused) {
  struct Case {
    const char* output_name;
    uint64_t pages;
    const char* message;
  };
  const Case cases[] = {
      {"ENCODE10.BAS", 2, "page 2 of ENCODE10.BAS would be named ENCODE10.BAS, the same file as page 1"},
      {"ENCOD10.BAS", 2, "page 2 of ENCOD10.BAS would be named ENCOD10.BAS, the same file as page 1"},
      {"GAME2010.BAS", 2, "page 2 of GAME2010.BAS would be named GAME2010.BAS, the same file as page 1"},
      {"ENCOD11.BAS", 3, "page 3 of ENCOD11.BAS would be named ENCOD11.BAS, the same file as page 1"},
      // Page 12's suffix is "1A": equal to page 1 but for letter case.
      {"GAMEX1a.BAS", 12, "page 12 of GAMEX1a.BAS would be named GAMEX1A.BAS, the same file as page 1"},
  };
  for (const Case& c : cases) {
    Result<std::vector<std::string>> names = PageFileNames(c.output_name, c.pages);
    ASSERT_FALSE(names.ok()) << c.output_name;
    EXPECT_EQ(names.status().message(), c.message);
  }
  // Fewer pages than the clash needs are fine.
  EXPECT_TRUE(PageFileNames("ENCOD11.BAS", 2).ok());
  EXPECT_TRUE(PageFileNames("ENCODE10.BAS", 1).ok());
}

}  // namespace
}  // namespace oldvek
