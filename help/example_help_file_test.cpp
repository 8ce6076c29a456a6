// The help file shipped in examples/help: every name it offers must lead somewhere.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "topic_loader.h"

namespace vekhelp {
namespace {

class ExampleHelpFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bool ignored = false;
    ASSERT_TRUE(LoadTopic(file_, kContentsHeader, lists_, ignored)) << file_.path();
    for (const std::string& line : lists_.topic_lines) {
      if (!HoldsHeaderMark(line)) contents_.push_back(line);
    }
  }

  // The see-also entries of `header`, or nothing when it has no see-also line; fails when
  // there is no such topic.
  std::vector<std::string> SeeAlsoOf(std::string_view header) {
    HelpLists lists;
    bool found = false;
    EXPECT_TRUE(LoadTopic(file_, header, lists, found)) << header;
    return lists.see_also_entries;
  }

  const HelpFile file_{VEKHELP_EXAMPLE_FILE};
  HelpLists lists_;
  std::vector<std::string> contents_;
};

TEST_F(ExampleHelpFileTest, EveryContentsEntryIsATopicWhoseRelatedTopicsOpen) {
  EXPECT_GE(contents_.size(), 12u);
  EXPECT_EQ(contents_.front(), "INTRODUCTION");
  for (const std::string& entry : contents_) {
    const std::vector<std::string> related = SeeAlsoOf("<" + entry + ">");
    EXPECT_FALSE(related.empty()) << entry;
    for (const std::string& name : related) SeeAlsoOf("<" + name + ">");  // fails when no topic has the name
  }
}

TEST_F(ExampleHelpFileTest, ContentsEntriesNameTheirOwnTopicWhenShown) {
  // A contents entry found inside another topic's heading would select the wrong entry.
  for (size_t i = 0; i < contents_.size(); ++i) {
    const std::string header = "<" + contents_[i] + ">";
    for (size_t j = 0; j < i; ++j) EXPECT_EQ(header.find(contents_[j]), std::string::npos) << header;
  }
}

TEST_F(ExampleHelpFileTest, OnlyHeadersAndMarkersHoldAngleBrackets) {
  HelpLists whole;
  ASSERT_TRUE(LoadWholeFile(file_, whole));
  std::set<std::string> headers;
  for (const std::string& line : whole.topic_lines) {
    if (!HoldsHeaderMark(line)) continue;
    EXPECT_TRUE(line.front() == '<' && line.back() == '>' && line.find('<', 1) == std::string::npos) << line;
    if (!IsEndMarker(line)) {
      EXPECT_TRUE(headers.insert(line).second) << "twice: " << line;
    }
  }
  EXPECT_EQ(headers.size(), contents_.size() + 1) << "every topic is in the contents";
}

TEST_F(ExampleHelpFileTest, LinesEndWithCrLf) {
  std::ifstream in(VEKHELP_EXAMPLE_FILE, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(bytes.empty());
  EXPECT_TRUE(bytes.ends_with("<ENDHELP>\r\n"));
  for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
    ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << "bare LF at byte " << at;
  }
}

}  // namespace
}  // namespace vekhelp
