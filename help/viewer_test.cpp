#include "viewer.h"

#include <gtest/gtest.h>

#include <optional>

#include "command_line.h"
#include "testing/temp_help_file.h"
#include "topic_text.h"

namespace vekhelp {
namespace {

using Lines = std::vector<std::string>;

// The screen as the viewer left it, and the order in which it was changed.
class ScreenDisplay : public ViewerDisplay {
 public:
  void ShowContents(const Lines& entries) override {
    contents = entries, selection.reset(), calls.push_back("contents");
  }
  void SelectContents(size_t index) override { selection = index, calls.push_back("select"); }
  void ShowTopicText(const std::string& shown) override { text = shown, calls.push_back("text"); }
  void ShowSeeAlso(const Lines& entries) override { see_also = entries, calls.push_back("see-also"); }

  Lines contents;
  std::optional<size_t> selection;
  std::string text = "Help Text Box";
  Lines see_also;
  Lines calls;
};

class ViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    help_.Write({"<CONTENTS>",
                 "INTRODUCTION",
                 "EDIT",
                 "EDITING",
                 "FILES",
                 "<END>",
                 "<INTRODUCTION>",
                 "Welcome.",
                 "[EDITING][FILES]",
                 "<END>",
                 "<EDIT>",
                 "Changing one snippet.",
                 "<END>",
                 "<EDITING>",
                 "Changing packets.",
                 "[EDIT]",
                 "<END>",
                 "<FILES>",
                 "Files are read on every request.",
                 "<END>",
                 "<<EDIT>",
                 "An odd name.",
                 "<END>",
                 "<INDEX>",
                 "The index file.",
                 "<ENDHELP>"});
  }

  testing::TempHelpFile help_;
  ScreenDisplay screen_;
  Viewer viewer_{help_.file(), screen_};
};

TEST_F(ViewerTest, StartFillsContentsThenTextThenSeeAlso) {
  viewer_.Start(FirstTopic(ArgumentText("VekHelp.exe")));
  EXPECT_EQ(screen_.calls, (Lines{"contents", "text", "select", "see-also"}));
  EXPECT_EQ(screen_.contents, (Lines{"INTRODUCTION", "EDIT", "EDITING", "FILES"}));
  EXPECT_EQ(screen_.text, TopicText({"<INTRODUCTION>", "Welcome."}));
  EXPECT_EQ(screen_.selection, 0u);
  EXPECT_EQ(screen_.see_also, (Lines{"EDITING", "FILES"}));
  viewer_.Start("<NOWHERE>");
  EXPECT_EQ(screen_.text, TopicText({"<INTRODUCTION>", "Welcome."})) << "a missing first topic leaves the text";
  help_.Write({"<CONTENTS>", "A", "[A][B]", "<END>", "<A>", "a", "<ENDHELP>"});
  viewer_.Start("<A>");
  EXPECT_EQ(screen_.contents, (Lines{"A"}));
  EXPECT_EQ(screen_.see_also, (Lines{"A", "B"})) << "the contents' own see-also line counts at start";
}

TEST_F(ViewerTest, DoubleClicksWrapNamesAndTakeHeadersAsTheyAre) {
  viewer_.Start("<INTRODUCTION>");
  const struct {
    bool contents;
    std::string_view entry;
    std::string text;
    Lines see_also;
  } cases[] = {
      {true, "EDITING", TopicText({"<EDITING>", "Changing packets."}), {"EDIT"}},
      {false, "FILES", TopicText({"<FILES>", "Files are read on every request."}), {}},
      {false, "<EDIT>", TopicText({"<EDIT>", "Changing one snippet."}), {}},
      {false, "<EDIT", TopicText({"<<EDIT>", "An odd name."}), {}},  // not a header line: wrapped
  };
  for (const auto& c : cases) {
    c.contents ? viewer_.OpenContentsEntry(c.entry) : viewer_.OpenSeeAlsoEntry(c.entry);
    EXPECT_EQ(screen_.text, c.text) << c.entry;
    EXPECT_EQ(screen_.see_also, c.see_also) << c.entry;
  }
  EXPECT_EQ(viewer_.lists().see_also_entries, (Lines{""})) << "one empty slot";
}

TEST_F(ViewerTest, SearchShowsOnlyItsResultsAndEveryCommandReadsTheFileAfresh) {
  viewer_.Start("<INTRODUCTION>");
  viewer_.Search("changing");
  EXPECT_EQ(screen_.see_also, (Lines{"EDITING", "FILES", "<EDIT>", "<EDITING>"}));
  EXPECT_EQ(screen_.text, TopicText({"<INTRODUCTION>", "Welcome."})) << "a search changes no text";
  help_.Write({"<CONTENTS>", "<END>", "<FILES>", "Rewritten.", "<ENDHELP>"});
  viewer_.OpenContentsEntry("FILES");
  EXPECT_EQ(screen_.text, TopicText({"<FILES>", "Rewritten."}));
  EXPECT_EQ(screen_.contents.size(), 4u) << "the contents list is filled once, at start";
  help_.Remove();
  screen_.calls.clear();
  viewer_.Start("<INTRODUCTION>");
  viewer_.Search("WELCOME");
  viewer_.OpenContentsEntry("FILES");
  EXPECT_EQ(screen_.calls, (Lines{"see-also", "see-also"}));
  EXPECT_EQ(screen_.see_also, Lines{});
}

}  // namespace
}  // namespace vekhelp
