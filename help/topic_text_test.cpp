#include "topic_text.h"

#include <gtest/gtest.h>

namespace vekhelp {
namespace {

using Lines = std::vector<std::string>;
const std::string kIndent(30, ' ');

TEST(TopicTextTest, HeaderShowsItsNameAfterThirtyBlanks) {
  const std::pair<std::string_view, std::string> cases[] = {
      {"<SORTING>", "SORTING"},
      {"See <HERE> and <THERE>", "HERE"},
      {"<NO CLOSE", "NO CLOSE"},
      {"IF A < B THEN", " B THEN"},
      // An empty name falls back to the text before the last bracket.
      {"<>abc>", ">abc"},
      {"<>", ""},
      {"x><", ""}};
  for (const auto& [header, name] : cases) EXPECT_EQ(HeaderCaption(header), kIndent + name) << header;
  EXPECT_EQ(TopicText({"<FILES>", "Open.", "", "IF A<B THEN"}),
            kIndent + "FILES\r\nOpen.\r\n\r\n" + kIndent + "B THEN\r\n");
  EXPECT_EQ(TopicText({}), "");
}

TEST(TopicTextTest, LastHeaderLineSelectsTheFirstEntryItHolds) {
  const Lines contents = {"INTRODUCTION", "EDIT", "EDITING"};
  EXPECT_EQ(ContentsSelection({"<EDITING>", "body"}, contents), 1u);
  EXPECT_EQ(ContentsSelection({"<INTRODUCTION>"}, contents), 0u);
  EXPECT_EQ(ContentsSelection({"<SEARCH>", "EDITING in a body line does not count"}, contents), std::nullopt);
  EXPECT_EQ(ContentsSelection({"<EDITING>", "x", "<INTRODUCTION>", "<NONE>"}, contents), 0u);
  EXPECT_EQ(ContentsSelection({"<FILES>"}, {"", "FILES"}), 0u) << "an empty entry matches every header";
  EXPECT_EQ(ContentsSelection({"<FILES>"}, {}), std::nullopt);
}

}  // namespace
}  // namespace vekhelp
