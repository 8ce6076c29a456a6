#include "help_search.h"

#include <gtest/gtest.h>

#include "testing/temp_help_file.h"

namespace vekhelp {
namespace {

using Lines = std::vector<std::string>;
using testing::TempHelpFile;

class HelpSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    help_.Write({"<CONTENTS>", "INTRODUCTION", "SORTING", "FILES", "SPLASH", "<END>",
                 "<INTRODUCTION>", "Welcome to the help.", "[SORTING][FILES]", "<END>",
                 "<SORTING>", "A bubble sort swaps neighbours.", "A shell sort compares far apart.", "<END>",
                 "<FILES>", "Files are opened and closed on every request.", "<END>",
                 "<SPLASH>", "Nothing but a title.", "<ENDHELP>"});
  }

  Lines Search(std::string_view text) {
    SearchHelp(help_.file(), text, lists_);
    return lists_.see_also_entries;
  }

  TempHelpFile help_;
  HelpLists lists_;
};

TEST_F(HelpSearchTest, ReportsTheHeaderOfEachTopicHoldingTheText) {
  EXPECT_EQ(SearchHelp(help_.file(), "CLOSE", lists_), 1u);
  EXPECT_EQ(lists_.see_also_entries, (Lines{"<FILES>"}));
  EXPECT_EQ(Search("WELCOME"), (Lines{"<INTRODUCTION>"}));
  EXPECT_EQ(Search("ARE"), (Lines{"<SORTING>", "<FILES>"})) << "in file order";
}

TEST_F(HelpSearchTest, ComparesAgainstUpperCasedLines) {
  EXPECT_EQ(Search("BUBBLE SORT"), (Lines{"<SORTING>"}));
  EXPECT_EQ(Search("bubble"), Lines{}) << "the text arrives upper-cased; lower case never matches a letter";
}

TEST_F(HelpSearchTest, TopicWithSeveralHitsIsReportedOnce) {
  EXPECT_EQ(SearchHelp(help_.file(), " SORT ", lists_), 1u);
  EXPECT_EQ(lists_.see_also_entries, (Lines{"<SORTING>"}));
}

TEST_F(HelpSearchTest, ContentsSectionIsNotSearched) {
  help_.Write({"<CONTENTS>", "ZEBRA", "<END>", "<A>", "plain", "<ENDHELP>"});
  EXPECT_EQ(SearchHelp(help_.file(), "ZEBRA", lists_), 0u);
}

TEST_F(HelpSearchTest, EndMarkersAreNeverCompared) {
  EXPECT_EQ(Search("END"), Lines{});
  help_.Write({"<CONTENTS>", "<END>", "<A>", "nothing", "<END>", "<B>", "yes", "<ENDHELP>"});
  EXPECT_EQ(Search("E"), (Lines{"<B>"})) << "<A> holds an E only in its end marker";
  EXPECT_EQ(Search("D"), Lines{});
}

TEST_F(HelpSearchTest, HitOnAHeaderLineReportsThatTopic) {
  EXPECT_EQ(Search("SPLASH"), (Lines{"<SPLASH>"}));
}

TEST_F(HelpSearchTest, SeeAlsoLinesAreSearchedToo) {
  EXPECT_EQ(Search("SORT"), (Lines{"<INTRODUCTION>", "<SORTING>"}));
}

TEST_F(HelpSearchTest, HeaderRightAfterAReportedTopicIsNotSearched) {
  // Every header holds "<", yet the walk steps over the header that follows a reported topic.
  EXPECT_EQ(Search("<"), (Lines{"<INTRODUCTION>", "<FILES>"}));
  help_.Write({"<CONTENTS>", "<END>", "<SORTING>", "sorting", "<END>", "<SORT KEYS>", "none here", "<ENDHELP>"});
  EXPECT_EQ(Search("SORT"), (Lines{"<SORTING>"}));
}

TEST_F(HelpSearchTest, LinesBeforeTheFirstTopicCountForIt) {
  help_.Write({"<CONTENTS>", "<END>", "stray line", "<A>", "a", "<ENDHELP>"});
  EXPECT_EQ(Search("STRAY"), (Lines{"<A>"}));
}

TEST_F(HelpSearchTest, HitOnTheLastLineIsNotReported) {
  help_.Write({"<CONTENTS>", "<END>", "<A>", "a", "<ENDHELP>", "trailer"});
  EXPECT_EQ(Search("TRAILER"), Lines{});
}

TEST_F(HelpSearchTest, EmptyTextMatchesEveryTopicWithABody) {
  EXPECT_EQ(Search(""), (Lines{"<INTRODUCTION>", "<SORTING>", "<FILES>", "<SPLASH>"}));
}

TEST_F(HelpSearchTest, SecondSearchKeepsTheTopicsOwnEntriesOnly) {
  lists_.see_also_entries = {"SORTING", "FILES"};
  EXPECT_EQ(Search("SHELL"), (Lines{"SORTING", "FILES", "<SORTING>"}));
  EXPECT_EQ(Search("TITLE"), (Lines{"SORTING", "FILES", "<SPLASH>"}));
  EXPECT_EQ(Search("NOWHERE"), (Lines{"SORTING", "FILES"}));
}

TEST_F(HelpSearchTest, EmptySlotIsNotKeptInFrontOfResults) {
  lists_.see_also_entries = {""};
  EXPECT_EQ(Search("TITLE"), (Lines{"<SPLASH>"}));
  lists_.see_also_entries = {"A", "", "B"};
  EXPECT_EQ(Search("TITLE"), (Lines{"A", "B", "<SPLASH>"}));
}

TEST_F(HelpSearchTest, FileWithoutEndMarkerIsNotSearched) {
  help_.Write({"<CONTENTS>", "A", "<A>", "text"});
  lists_.see_also_entries = {"OWN", "<OLD RESULT>"};
  EXPECT_EQ(Search("TEXT"), (Lines{"OWN"}));
}

TEST_F(HelpSearchTest, MissingFileFindsNothingAndDropsOldResults) {
  lists_.see_also_entries = {"OWN", "<OLD RESULT>"};
  lists_.topic_lines = {"<A>", "text"};
  help_.Remove();
  EXPECT_EQ(SearchHelp(help_.file(), "TEXT", lists_), 0u);
  EXPECT_EQ(lists_.see_also_entries, (Lines{"OWN"}));
  EXPECT_EQ(lists_.topic_lines, (Lines{"<A>", "text"}));
}

}  // namespace
}  // namespace vekhelp
