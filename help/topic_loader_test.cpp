#include "topic_loader.h"

#include <gtest/gtest.h>

#include "testing/temp_help_file.h"

namespace vekhelp {
namespace {

using Lines = std::vector<std::string>;

class TopicLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    help_.Write({"<CONTENTS>", "INTRODUCTION", "SORTING", "<END>", "<INTRODUCTION>", "Welcome.",
                 "[SORTING][FILES][NOTES]", "<END>", "<SORTING>", "Bubble sort.", "[INTRODUCTION]", "Shell sort.",
                 "<NOTES>", "<END>", "<FILES>", "Open and close.", "<ENDHELP>", "<AFTER>", "Past the end marker."});
  }

  bool Load(std::string_view header) { return LoadTopic(help_.file(), header, lists_, found_); }

  testing::TempHelpFile help_;
  HelpLists lists_;
  bool found_ = false;
};

TEST_F(TopicLoaderTest, TopicIsItsHeaderAndBodyUpToItsEndWithoutSeeAlsoLines) {
  const struct {
    std::string_view header;
    Lines topic, see_also;
  } cases[] = {
      {"<FILES>", {"<FILES>", "Open and close."}, {"KEPT"}},
      {"<AFTER>", {"<AFTER>", "Past the end marker."}, {"KEPT"}},  // no end marker: the file's end
      // Other headers inside a topic are body text; a later see-also line replaces the entries.
      {"<SORTING>", {"<SORTING>", "Bubble sort.", "Shell sort.", "<NOTES>"}, {"INTRODUCTION"}},
      {"<INTRODUCTION>", {"<INTRODUCTION>", "Welcome."}, {"SORTING", "FILES", "NOTES"}},
  };
  for (const auto& c : cases) {
    lists_.see_also_entries = {"KEPT"};
    found_ = false;
    ASSERT_TRUE(Load(c.header));
    EXPECT_EQ(lists_.topic_lines, c.topic) << c.header;
    EXPECT_EQ(lists_.see_also_entries, c.see_also) << c.header;
    EXPECT_EQ(found_, c.see_also != Lines{"KEPT"}) << c.header;
  }
  ASSERT_TRUE(Load("<FILES>"));
  EXPECT_TRUE(found_) << "the flag is set by a load and never cleared by one";
  const std::initializer_list<std::string_view> file = {"<T>", "[A][B][C]", "body",      "[D]", "<END>",
                                                        "<T>", "second",    "<ENDHELP>", "tail"};
  help_.Write(file);
  ASSERT_TRUE(Load("<T>"));
  EXPECT_EQ(lists_.topic_lines, (Lines{"<T>", "body"})) << "the first topic of a name";
  EXPECT_EQ(lists_.see_also_entries, (Lines{"D"})) << "a later see-also line resizes the entries";
  ASSERT_TRUE(LoadWholeFile(help_.file(), lists_));
  EXPECT_EQ(lists_.topic_lines, Lines(file.begin(), file.end())) << "every line, markers included";
}

TEST_F(TopicLoaderTest, InexactHeaderOrUnreadableFileLeavesEverythingAsItWas) {
  ASSERT_TRUE(Load("<INTRODUCTION>"));
  const HelpLists before = lists_;
  found_ = false;
  for (std::string_view header : {"<NOWHERE>", "<files>", "<FILES> ", "FILES", "<FILE>", ""}) {
    EXPECT_FALSE(Load(header)) << header;
  }
  help_.Remove();  // the ways a read fails are the help file's own test's
  EXPECT_FALSE(Load("<INTRODUCTION>"));
  EXPECT_FALSE(LoadWholeFile(help_.file(), lists_));
  EXPECT_EQ(lists_.topic_lines, before.topic_lines);
  EXPECT_EQ(lists_.see_also_entries, before.see_also_entries);
  EXPECT_FALSE(found_);
}

}  // namespace
}  // namespace vekhelp
