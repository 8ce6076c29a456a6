#include "encoder/zorvit_lines.h"

#include <gtest/gtest.h>

namespace oldvek {
namespace {

TEST(ZorvitLinesTest, MarkerLinesOfAThreePageSet) {
  EXPECT_EQ(BeginLine(2, 3, "SETUP.EXE", 156000), "'>>> Page 2 of 3 of SETUP.EXE begins here. TYPE:BINAA TLEN:156000");
  EXPECT_EQ(CheckLine(17, "B", 156000), "IF S = 17 AND B = 156000 THEN");
  EXPECT_EQ(EndLine(2, "SETUP.EXE", false, 17), "'>>> Page 2 of SETUP.EXE ends here.  TCHK:17");
  EXPECT_EQ(BeginLine(3, 3, "SETUP.EXE", 2000), "'>>> Page 3 of 3 of SETUP.EXE begins here. TYPE:BINAA TLEN:2000");
  EXPECT_EQ(EndLine(3, "SETUP.EXE", true, 99), "'>>> Page 3 of SETUP.EXE ends here. Last page. TCHK:99");
}

TEST(ZorvitLinesTest, VisualBasicCounterAndZeroes) {
  EXPECT_EQ(CheckLine(0, "B&", 0), "IF S = 0 AND B& = 0 THEN");
  EXPECT_EQ(BeginLine(1, 1, "EMPTY.DAT", 0), "'>>> Page 1 of 1 of EMPTY.DAT begins here. TYPE:BINAA TLEN:0");
  EXPECT_EQ(EndLine(1, "EMPTY.DAT", true, 0), "'>>> Page 1 of EMPTY.DAT ends here. Last page. TCHK:0");
  EXPECT_EQ(CheckLine(255, "B", 4294967296ull), "IF S = 255 AND B = 4294967296 THEN");
}

}  // namespace
}  // namespace oldvek
