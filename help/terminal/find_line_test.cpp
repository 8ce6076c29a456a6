#include "terminal/find_line.h"

#include <gtest/gtest.h>

namespace vekhelp {
namespace {

TEST(FindLineTest, HoldsUpperCaseTextAndTheFirstKeyReplacesTheSelection) {
  FindLine line("find what?");
  EXPECT_EQ(line.text(), "FIND WHAT?");
  EXPECT_TRUE(line.selected());
  line.Type("sort 2");
  line.Type("\xE4z");
  EXPECT_EQ(line.text(), "SORT 2\xE4Z") << "only ASCII letters change";
  line.SelectAll();
  line.Type("c");
  EXPECT_EQ(line.text(), "C");
}

TEST(FindLineTest, BackspaceRemovesOneCharacterOrTheSelection) {
  FindLine line("abc");
  line.Backspace();
  EXPECT_EQ(line.text(), "");
  line.Type("xy");
  line.Backspace();
  EXPECT_EQ(line.text(), "X");
  line.Backspace();
  line.Backspace();
  EXPECT_EQ(line.text(), "");
}

}  // namespace
}  // namespace vekhelp
