#include "see_also.h"

#include <gtest/gtest.h>

namespace vekhelp {
namespace {

TEST(SeeAlsoTest, EveryClosingBracketEndsAnEntryAndItsFirstCharacterIsCut) {
  const struct {
    std::string_view line;
    std::vector<std::string> entries;
  } cases[] = {
      {"[A][B][C]", {"A", "B", "C"}},
      {"[OLD INDEX][vek list]", {"OLD INDEX", "vek list"}},
      {"[A][B][C] and more", {"A", "B", "C"}},
      // Whatever stands first is taken for the "[": a blank between names shifts the cut.
      {"[A] [B]", {"A", "[B"}},
      {"See [A]", {"ee [A"}},
      {"A]", {""}},
      {"[]", {""}},
      {"]]", {"", ""}},
      {"[A][][B]", {"A", "", "B"}},
      {"no brackets here", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseSeeAlsoLine(c.line), c.entries) << c.line;
  EXPECT_TRUE(IsSeeAlsoLine("DIM A(10]"));
  EXPECT_FALSE(IsSeeAlsoLine("[A"));
  EXPECT_FALSE(IsSeeAlsoLine(""));
}

}  // namespace
}  // namespace vekhelp
