#include "topic_loader.h"

#include <gtest/gtest.h>

#include "testing/temp_help_file.h"

namespace vekhelp {
namespace {

using Lines = std::vector<std::string>;
using testing::TempHelpFile;

class TopicLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    help_.Write({"<CONTENTS>", "INTRODUCTION", "SORTING", "<END>",
                 "<INTRODUCTION>", "Welcome.", "[SORTING][FILES][NOTES]", "<END>",
                 "<SORTING>", "Bubble sort.", "[INTRODUCTION]", "Shell sort.", "<NOTES>", "<END>",
                 "<FILES>", "Open and close.", "<ENDHELP>",
                 "<AFTER>", "Past the end marker."});
  }

  bool Load(std::string_view header) { return LoadTopic(help_.file(), header, lists_, found_); }

  TempHelpFile help_;
  HelpLists lists_;
  bool found_ = false;
};

TEST_F(TopicLoaderTest, TopicIsItsHeaderAndBodyUpToItsEnd) {
  ASSERT_TRUE(Load("<FILES>"));
  EXPECT_EQ(lists_.topic_lines, (Lines{"<FILES>", "Open and close."}));
  ASSERT_TRUE(Load("<AFTER>"));  // no end marker: the file's end closes it
  EXPECT_EQ(lists_.topic_lines, (Lines{"<AFTER>", "Past the end marker."}));
}

TEST_F(TopicLoaderTest, OtherHeadersInsideATopicAreBodyText) {
  ASSERT_TRUE(Load("<SORTING>"));
  EXPECT_EQ(lists_.topic_lines, (Lines{"<SORTING>", "Bubble sort.", "Shell sort.", "<NOTES>"}));
}

TEST_F(TopicLoaderTest, SeeAlsoLineFillsEntriesAndSetsTheFlag) {
  ASSERT_TRUE(Load("<INTRODUCTION>"));
  EXPECT_EQ(lists_.topic_lines, (Lines{"<INTRODUCTION>", "Welcome."}));
  EXPECT_EQ(lists_.see_also_entries, (Lines{"SORTING", "FILES", "NOTES"}));
  EXPECT_TRUE(found_);
}

TEST_F(TopicLoaderTest, LaterSeeAlsoLineReplacesAndResizesTheEntries) {
  help_.Write({"<T>", "[A][B][C]", "body", "[D]", "<END>"});
  ASSERT_TRUE(Load("<T>"));
  EXPECT_EQ(lists_.see_also_entries, (Lines{"D"}));
  EXPECT_EQ(lists_.topic_lines, (Lines{"<T>", "body"}));
}

TEST_F(TopicLoaderTest, TopicWithoutSeeAlsoLeavesEntriesAndFlagAlone) {
  lists_.see_also_entries = {"KEPT"};
  ASSERT_TRUE(Load("<FILES>"));
  EXPECT_EQ(lists_.see_also_entries, (Lines{"KEPT"}));
  EXPECT_FALSE(found_);
  ASSERT_TRUE(Load("<INTRODUCTION>"));
  ASSERT_TRUE(Load("<FILES>"));
  EXPECT_TRUE(found_) << "the flag is set by a load and never cleared by one";
}

TEST_F(TopicLoaderTest, HeaderMustMatchTheWholeLineExactly) {
  for (std::string_view header : {"<files>", "<FILES> ", "FILES", "<FILE>", ""}) {
    EXPECT_FALSE(Load(header)) << header;
  }
  help_.Write({"<A>", "first", "<END>", "<A>", "second", "<END>"});
  ASSERT_TRUE(Load("<A>"));
  EXPECT_EQ(lists_.topic_lines, (Lines{"<A>", "first"}));
}

TEST_F(TopicLoaderTest, MissingHeaderOrFileLeavesEverythingAsItWas) {
  ASSERT_TRUE(Load("<INTRODUCTION>"));
  const HelpLists before = lists_;
  found_ = false;
  EXPECT_FALSE(Load("<NOWHERE>"));
  help_.Remove();
  EXPECT_FALSE(Load("<INTRODUCTION>"));
  help_.ReplaceWithDirectory();
  EXPECT_FALSE(Load("<INTRODUCTION>"));
  EXPECT_EQ(lists_.topic_lines, before.topic_lines);
  EXPECT_EQ(lists_.see_also_entries, before.see_also_entries);
  EXPECT_FALSE(found_);
}

TEST_F(TopicLoaderTest, WholeFileModeTakesEveryLineMarkersIncluded) {
  help_.Write({"<CONTENTS>", "A", "<END>", "<A>", "[B]", "<ENDHELP>", "tail"});
  lists_.topic_lines = {"old"};
  ASSERT_TRUE(LoadWholeFile(help_.file(), lists_));
  EXPECT_EQ(lists_.topic_lines, (Lines{"<CONTENTS>", "A", "<END>", "<A>", "[B]", "<ENDHELP>", "tail"}));
  EXPECT_TRUE(lists_.see_also_entries.empty());
  help_.Remove();
  EXPECT_FALSE(LoadWholeFile(help_.file(), lists_));
  EXPECT_EQ(lists_.topic_lines.size(), 7u);
}

}  // namespace
}  // namespace vekhelp
