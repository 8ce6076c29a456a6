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
  line.Backspace();
  EXPECT_EQ(line.text(), "SORT 2\xE4");
  line.SelectAll();
  line.Backspace();
  EXPECT_EQ(line.text(), "") << "Backspace removes the selection";
  line.Type("c");
  line.Backspace();
  line.Backspace();
  EXPECT_EQ(line.text(), "") << "then one character, and nothing from an empty line";
}

}  // namespace
}  // namespace vekhelp
