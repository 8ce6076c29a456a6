#include "encoder/zorvit_lines.h"

#include <gtest/gtest.h>

namespace oldvek {
namespace {

// The page samples hold every kind of marker line; none holds a count past 32 bits.
TEST(ZorvitLinesTest, CheckLineCountsPast32Bits) {
  EXPECT_EQ(CheckLine(255, "B", 4294967296ull), "IF S = 255 AND B = 4294967296 THEN");
}

}  // namespace
}  // namespace oldvek
