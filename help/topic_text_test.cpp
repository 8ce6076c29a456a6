#include "topic_text.h"

#include <gtest/gtest.h>

namespace vekhelp {
namespace {

using Lines = std::vector<std::string>;
const std::string kIndent(30, ' ');

TEST(TopicTextTest, HeaderShowsItsNameAfterThirtyBlanks) {
  EXPECT_EQ(HeaderCaption("<SORTING>"), kIndent + "SORTING");
  EXPECT_EQ(HeaderCaption("See <HERE> and <THERE>"), kIndent + "HERE");
  EXPECT_EQ(HeaderCaption("<NO CLOSE"), kIndent + "NO CLOSE");
  EXPECT_EQ(HeaderCaption("IF A < B THEN"), kIndent + " B THEN");
}

TEST(TopicTextTest, EmptyNameFallsBackToTheTextBeforeTheLastBracket) {
  EXPECT_EQ(HeaderCaption("<>abc>"), kIndent + ">abc");
  EXPECT_EQ(HeaderCaption("<>"), kIndent);
  EXPECT_EQ(HeaderCaption("x><"), kIndent);
}

TEST(TopicTextTest, TextBoxHoldsEveryLineEndedByCrLf) {
  EXPECT_EQ(TopicText({"<FILES>", "Open.", "", "IF A<B THEN"}),
            kIndent + "FILES\r\nOpen.\r\n\r\n" + kIndent + "B THEN\r\n");
  EXPECT_EQ(TopicText({}), "");
}

TEST(TopicTextTest, SelectionGoesToTheFirstEntryFoundInTheHeader) {
  const Lines contents = {"INTRODUCTION", "EDIT", "EDITING"};
  EXPECT_EQ(ContentsSelection({"<EDITING>", "body"}, contents), 1u);
  EXPECT_EQ(ContentsSelection({"<INTRODUCTION>"}, contents), 0u);
  EXPECT_EQ(ContentsSelection({"<SEARCH>", "EDITING in a body line does not count"}, contents), std::nullopt);
}

TEST(TopicTextTest, LastHeaderLineOfATopicDecides) {
  const Lines contents = {"FILES", "SORTING"};
  EXPECT_EQ(ContentsSelection({"<SORTING>", "x", "<FILES>", "<NONE>"}, contents), 0u);
}

TEST(TopicTextTest, EmptyContentsEntryMatchesEveryHeader) {
  EXPECT_EQ(ContentsSelection({"<FILES>"}, {"", "FILES"}), 0u);
  EXPECT_EQ(ContentsSelection({"<FILES>"}, {}), std::nullopt);
}

}  // namespace
}  // namespace vekhelp
