#include "viewer.h"

#include <gtest/gtest.h>

#include <optional>

#include "command_line.h"
#include "testing/temp_help_file.h"

namespace vekhelp {
namespace {

using Lines = std::vector<std::string>;
using testing::TempHelpFile;

const std::string kIndent(30, ' ');

// The screen as the viewer left it, and the order in which it was changed.
class ScreenDisplay : public ViewerDisplay {
 public:
  void ShowContents(const Lines& entries) override {
    contents = entries;
    selection.reset();
    calls.push_back("contents");
  }
  void SelectContents(size_t index) override {
    selection = index;
    calls.push_back("select");
  }
  void ShowTopicText(const std::string& shown) override {
    text = shown;
    calls.push_back("text");
  }
  void ShowSeeAlso(const Lines& entries) override {
    see_also = entries;
    calls.push_back("see-also");
  }

  Lines contents;
  std::optional<size_t> selection;
  std::string text = "Help Text Box";
  Lines see_also;
  Lines calls;
};

class ViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    help_.Write({"<CONTENTS>", "INTRODUCTION", "EDIT", "EDITING", "FILES", "<END>",
                 "<INTRODUCTION>", "Welcome.", "[EDITING][FILES]", "<END>",
                 "<EDIT>", "Changing one snippet.", "<END>",
                 "<EDITING>", "Changing packets.", "[EDIT]", "<END>",
                 "<FILES>", "Files are read on every request.", "<END>",
                 "<INDEX>", "The index file.", "<ENDHELP>"});
  }

  TempHelpFile help_;
  ScreenDisplay screen_;
  Viewer viewer_{help_.file(), screen_};
};

TEST_F(ViewerTest, StartFillsContentsThenTextThenSeeAlso) {
  viewer_.Start("<INTRODUCTION>");
  EXPECT_EQ(screen_.calls, (Lines{"contents", "text", "select", "see-also"}));
  EXPECT_EQ(screen_.contents, (Lines{"INTRODUCTION", "EDIT", "EDITING", "FILES"}));
  EXPECT_EQ(viewer_.lists().contents_entries, screen_.contents);
  EXPECT_EQ(screen_.text, kIndent + "INTRODUCTION\r\nWelcome.\r\n");
  EXPECT_EQ(screen_.selection, 0u);
  EXPECT_EQ(screen_.see_also, (Lines{"EDITING", "FILES"}));
}

TEST_F(ViewerTest, NoArgumentShowsTheIntroductionSelected) {
  viewer_.Start(FirstTopic(ArgumentText("VekHelp.exe")));
  EXPECT_EQ(screen_.text, kIndent + "INTRODUCTION\r\nWelcome.\r\n");
  EXPECT_EQ(screen_.selection, 0u);
}

TEST_F(ViewerTest, ContentsSeeAlsoLineCountsAtStart) {
  help_.Write({"<CONTENTS>", "A", "[A][B]", "<END>", "<A>", "a", "<ENDHELP>"});
  viewer_.Start("<A>");
  EXPECT_EQ(screen_.contents, (Lines{"A"}));
  EXPECT_EQ(screen_.see_also, (Lines{"A", "B"}));
}

TEST_F(ViewerTest, EditSelectedBeforeEditing) {
  viewer_.Start("<EDITING>");
  EXPECT_EQ(screen_.selection, 1u);
  EXPECT_EQ(screen_.see_also, (Lines{"EDIT"}));
}

TEST_F(ViewerTest, MissingFirstTopicLeavesTheTextBox) {
  viewer_.Start("<NOWHERE>");
  EXPECT_EQ(screen_.contents.size(), 4u);
  EXPECT_EQ(screen_.text, "Help Text Box");
}

TEST_F(ViewerTest, MissingFileShowsNothing) {
  help_.Remove();
  viewer_.Start("<INTRODUCTION>");
  EXPECT_EQ(screen_.calls, Lines{});
  viewer_.Search("WELCOME");
  EXPECT_EQ(screen_.see_also, Lines{});
  viewer_.OpenContentsEntry("FILES");
  EXPECT_EQ(screen_.text, "Help Text Box");
}

TEST_F(ViewerTest, ContentsDoubleClickWrapsTheEntry) {
  viewer_.Start("<INTRODUCTION>");
  viewer_.OpenContentsEntry("EDITING");
  EXPECT_EQ(screen_.text, kIndent + "EDITING\r\nChanging packets.\r\n");
  EXPECT_EQ(screen_.selection, 1u);
  EXPECT_EQ(screen_.see_also, (Lines{"EDIT"}));
}

TEST_F(ViewerTest, TopicWithoutSeeAlsoLeavesOneEmptySlot) {
  viewer_.Start("<INTRODUCTION>");
  viewer_.OpenContentsEntry("FILES");
  EXPECT_EQ(screen_.text, kIndent + "FILES\r\nFiles are read on every request.\r\n");
  EXPECT_EQ(screen_.see_also, Lines{});
  EXPECT_EQ(viewer_.lists().see_also_entries, (Lines{""}));
}

TEST_F(ViewerTest, SeeAlsoDoubleClickWrapsNamesAndTakesResultsAsTheyAre) {
  viewer_.Start("<INTRODUCTION>");
  viewer_.OpenSeeAlsoEntry("FILES");
  EXPECT_EQ(screen_.text, kIndent + "FILES\r\nFiles are read on every request.\r\n");
  viewer_.OpenSeeAlsoEntry("<EDIT>");
  EXPECT_EQ(screen_.text, kIndent + "EDIT\r\nChanging one snippet.\r\n");
  viewer_.OpenSeeAlsoEntry("<EDIT");  // not a header line: wrapped like a name
  EXPECT_EQ(screen_.text, kIndent + "EDIT\r\nChanging one snippet.\r\n");
}

TEST_F(ViewerTest, DoubleClickOnAMissingTopicKeepsTheTextAndEmptiesSeeAlso) {
  viewer_.Start("<INTRODUCTION>");
  screen_.calls.clear();
  viewer_.OpenSeeAlsoEntry("NOWHERE");
  EXPECT_EQ(screen_.text, kIndent + "INTRODUCTION\r\nWelcome.\r\n");
  EXPECT_EQ(screen_.see_also, Lines{});
  EXPECT_EQ(screen_.calls, (Lines{"see-also"}));
}

TEST_F(ViewerTest, SearchAppendsResultsToTheTopicsSeeAlso) {
  viewer_.Start("<INTRODUCTION>");
  viewer_.Search("changing");
  EXPECT_EQ(screen_.see_also, (Lines{"EDITING", "FILES", "<EDIT>", "<EDITING>"}));
  EXPECT_EQ(screen_.text, kIndent + "INTRODUCTION\r\nWelcome.\r\n") << "a search changes no text";
  viewer_.Search("INDEX FILE");
  EXPECT_EQ(screen_.see_also, (Lines{"EDITING", "FILES", "<INDEX>"}));
}

TEST_F(ViewerTest, SearchThatFindsNothingStillRefreshesTheList) {
  viewer_.Start("<INTRODUCTION>");
  viewer_.Search("WELCOME");
  ASSERT_EQ(screen_.see_also, (Lines{"EDITING", "FILES", "<INTRODUCTION>"}));
  viewer_.Search("NOWHERE");
  EXPECT_EQ(screen_.see_also, (Lines{"EDITING", "FILES"}));
}

TEST_F(ViewerTest, SearchAfterAnEmptySlotShowsOnlyResults) {
  viewer_.Start("<INTRODUCTION>");
  viewer_.OpenContentsEntry("FILES");
  viewer_.Search("REQUEST");
  EXPECT_EQ(screen_.see_also, (Lines{"<FILES>"}));
  viewer_.OpenSeeAlsoEntry(screen_.see_also[0]);
  EXPECT_EQ(screen_.text, kIndent + "FILES\r\nFiles are read on every request.\r\n");
  EXPECT_EQ(screen_.selection, 3u);
}

TEST_F(ViewerTest, TopicAfterASearchIsStillShownAlone) {
  viewer_.Start("<INTRODUCTION>");
  viewer_.Search("X");
  viewer_.OpenContentsEntry("NOWHERE");  // the topic lines hold the whole file now
  EXPECT_EQ(screen_.text, kIndent + "INTRODUCTION\r\nWelcome.\r\n");
}

TEST_F(ViewerTest, EveryCommandReadsTheFileAfresh) {
  viewer_.Start("<INTRODUCTION>");
  help_.Write({"<CONTENTS>", "<END>", "<FILES>", "Rewritten.", "<ENDHELP>"});
  viewer_.OpenContentsEntry("FILES");
  EXPECT_EQ(screen_.text, kIndent + "FILES\r\nRewritten.\r\n");
  EXPECT_EQ(screen_.contents.size(), 4u) << "the contents list is filled once, at start";
}

}  // namespace
}  // namespace vekhelp
