#include "see_also.h"

#include <gtest/gtest.h>

namespace vekhelp {
namespace {

using Entries = std::vector<std::string>;

TEST(SeeAlsoTest, BracketedNamesInARowGiveOneEntryEach) {
  EXPECT_EQ(ParseSeeAlsoLine("[A][B][C]"), (Entries{"A", "B", "C"}));
  EXPECT_EQ(ParseSeeAlsoLine("[OLD INDEX][vek list]"), (Entries{"OLD INDEX", "vek list"}));
}

TEST(SeeAlsoTest, TextAfterTheLastBracketIsDropped) {
  EXPECT_EQ(ParseSeeAlsoLine("[A][B][C] and more"), (Entries{"A", "B", "C"}));
}

TEST(SeeAlsoTest, OnlyTheFirstCharacterBeforeEachBracketIsCut) {
  // Whatever stands first is taken for the "[": a blank between names shifts the cut.
  EXPECT_EQ(ParseSeeAlsoLine("[A] [B]"), (Entries{"A", "[B"}));
  EXPECT_EQ(ParseSeeAlsoLine("See [A]"), (Entries{"ee [A"}));
  EXPECT_EQ(ParseSeeAlsoLine("A]"), (Entries{""}));
}

TEST(SeeAlsoTest, EmptyBracketsStillCountAsEntries) {
  EXPECT_EQ(ParseSeeAlsoLine("[]"), (Entries{""}));
  EXPECT_EQ(ParseSeeAlsoLine("]]"), (Entries{"", ""}));
  EXPECT_EQ(ParseSeeAlsoLine("[A][][B]"), (Entries{"A", "", "B"}));
}

TEST(SeeAlsoTest, OnlyLinesWithAClosingBracketAreSeeAlsoLines) {
  EXPECT_TRUE(IsSeeAlsoLine("[A]"));
  EXPECT_TRUE(IsSeeAlsoLine("DIM A(10]"));
  EXPECT_FALSE(IsSeeAlsoLine("[A"));
  EXPECT_FALSE(IsSeeAlsoLine(""));
  EXPECT_TRUE(ParseSeeAlsoLine("no brackets here").empty());
}

}  // namespace
}  // namespace vekhelp
