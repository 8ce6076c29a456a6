#include "encoder/page_names.h"

#include <gtest/gtest.h>

#include <tuple>

namespace oldvek {
namespace {

// The name of a set's last page, or why the set is refused: two of its pages would share a file.
TEST(PageNamesTest, LastPageNameOrClash) {
  const std::tuple<const char*, uint64_t, const char*> cases[] = {
      {"MYPROG.BAS", 2, "MYPROG10.BAS"},
      {"MYPROG.BAS", 241, "MYPROGFF.BAS"},
      {"MYPROG.BAS", 242, "MYP100.BAS"},  // the stem gives up 3 for "100"
      {"ENCODERS.BAS", 3, "ENCODE11.BAS"},
      {"ENCODERS.BAS", 242, "ENCOD100.BAS"},
      {"ENCODER.BAS", 2, "ENCOD10.BAS"},  // 9 characters: loses 2, not 1
      {"ENCODER.BAS", 242, "ENCO100.BAS"},
      {"LONGERTHAN8.BAS", 2, "LONGER10.BAS"},
      {"A.B.C", 2, "A10.B.C"},  // stem and extension split at the first dot
      {"game.bas", 2, "game10.bas"},
      {".BAS", 2, "10.BAS"},
      {"NODOT", 2, "NODOT10"},
      {"ENCOD11.BAS", 2, "ENCOD10.BAS"},  // fewer pages than its clash below needs
      {"ENCODE10.BAS", 2, "page 2 of ENCODE10.BAS would be named ENCODE10.BAS, the same file as page 1"},
      {"GAME2010.BAS", 2, "page 2 of GAME2010.BAS would be named GAME2010.BAS, the same file as page 1"},
      {"ENCOD11.BAS", 3, "page 3 of ENCOD11.BAS would be named ENCOD11.BAS, the same file as page 1"},
      // Page 12's suffix is "1A": equal to page 1 but for letter case.
      {"GAMEX1a.BAS", 12, "page 12 of GAMEX1a.BAS would be named GAMEX1A.BAS, the same file as page 1"},
  };
  for (const auto& [output_name, pages, expected] : cases) {
    Result<std::vector<std::string>> names = PageFileNames(output_name, pages);
    EXPECT_EQ(names.ok() ? names->back() : names.status().message(), expected) << output_name << " " << pages;
  }
}

}  // namespace
}  // namespace oldvek
