#include "encoder/zorvit_lines.h"

#include <gtest/gtest.h>

namespace oldvek {
namespace {

// The page tests read these lines back from whole pages; here, a count past 32 bits.
TEST(ZorvitLinesTest, MarkerLines) {
  EXPECT_EQ(BeginLine(2, 3, "SETUP.EXE", 156000), "'>>> Page 2 of 3 of SETUP.EXE begins here. TYPE:BINAA TLEN:156000");
  EXPECT_EQ(EndLine(2, "SETUP.EXE", false, 17), "'>>> Page 2 of SETUP.EXE ends here.  TCHK:17");
  EXPECT_EQ(CheckLine(255, "B", 4294967296ull), "IF S = 255 AND B = 4294967296 THEN");
}

}  // namespace
}  // namespace oldvek
