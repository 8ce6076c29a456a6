// The help file shipped in examples/help: every name it offers must lead somewhere.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "temp_folder.h"
#include "topic_loader.h"

namespace vekhelp {
namespace {

// A topic of the example file; fails when no topic has the header.
HelpLists Topic(std::string_view header) {
  HelpLists lists;
  bool found = false;
  EXPECT_TRUE(LoadTopic(HelpFile(VEKHELP_EXAMPLE_FILE), header, lists, found)) << header;
  return lists;
}

TEST(ExampleHelpFileTest, LinesEndWithCrLfEveryTopicIsInTheContentsAndEveryRelatedTopicOpens) {
  const std::string bytes = oldvek::testing::ReadFileBytes(VEKHELP_EXAMPLE_FILE);
  EXPECT_TRUE(bytes.ends_with("<ENDHELP>\r\n"));
  EXPECT_FALSE(std::regex_search(bytes, std::regex("(^|[^\r])\n"))) << "a line ends in a bare LF";
  std::vector<std::string> contents;
  for (const std::string& line : Topic(kContentsHeader).topic_lines) {
    if (!HoldsHeaderMark(line)) contents.push_back(line);
  }
  ASSERT_GE(contents.size(), 12u);
  EXPECT_EQ(contents.front(), "INTRODUCTION");
  for (size_t i = 0; i < contents.size(); ++i) {
    const std::string header = "<" + contents[i] + ">";
    const std::vector<std::string> related = Topic(header).see_also_entries;
    EXPECT_FALSE(related.empty()) << header;
    for (const std::string& name : related) Topic("<" + name + ">");
    // A contents entry found inside another topic's heading would select the wrong entry.
    for (size_t j = 0; j < i; ++j) EXPECT_EQ(header.find(contents[j]), std::string::npos) << header;
  }
  // Only headers and markers hold angle brackets, and each header stands once.
  HelpLists whole;
  ASSERT_TRUE(LoadWholeFile(HelpFile(VEKHELP_EXAMPLE_FILE), whole));
  std::set<std::string> headers;
  for (const std::string& line : whole.topic_lines) {
    if (!HoldsHeaderMark(line)) continue;
    EXPECT_TRUE(line.front() == '<' && line.back() == '>' && line.find('<', 1) == std::string::npos) << line;
    EXPECT_TRUE(IsEndMarker(line) || headers.insert(line).second) << "twice: " << line;
  }
  EXPECT_EQ(headers.size(), contents.size() + 1) << "every topic is in the contents";
}

}  // namespace
}  // namespace vekhelp
