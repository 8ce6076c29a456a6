#include "terminal/terminal_view.h"

#include <gtest/gtest.h>

namespace vekhelp {
namespace {

using Lines = std::vector<std::string>;

Key Press(Key::Kind kind) { return Key{kind, 0}; }
Key Type(char c) { return Key{Key::kCharacter, c}; }

class TerminalViewTest : public ::testing::Test {
 protected:
  Request Send(const Key& key) { return view_.HandleKey(key, 5); }
  void TypeText(std::string_view text) {
    for (char c : text) Send(Type(c));
  }

  TerminalView view_;
};

TEST_F(TerminalViewTest, TabVisitsTheAreasInOrderBothWays) {
  EXPECT_EQ(view_.focus(), Area::kFind);
  for (Area next : {Area::kContents, Area::kText, Area::kSeeAlso, Area::kFind}) {
    Send(Press(Key::kTab));
    EXPECT_EQ(view_.focus(), next);
  }
  Send(Press(Key::kBackTab));
  EXPECT_EQ(view_.focus(), Area::kSeeAlso);
}

TEST_F(TerminalViewTest, EnterOnTheSearchLineSearchesForItsUpperCaseText) {
  EXPECT_EQ(view_.find().text(), "FIND WHAT?");
  TypeText("sort q");
  const Request request = Send(Press(Key::kEnter));
  EXPECT_EQ(request.kind, Request::kSearch);
  EXPECT_EQ(request.text, "SORT Q") << "q is text on the search line, not exit";
}

TEST_F(TerminalViewTest, EnterOpensTheSelectedEntryOfEitherList) {
  view_.ShowContents({"INTRODUCTION", "FILES"});
  view_.ShowSeeAlso({"FILES", "<INDEX>"});
  Send(Press(Key::kTab));
  Send(Press(Key::kDown));
  Request request = Send(Press(Key::kEnter));
  EXPECT_EQ(request.kind, Request::kOpenContents);
  EXPECT_EQ(request.text, "FILES");
  Send(Press(Key::kBackTab));
  Send(Press(Key::kBackTab));
  Send(Press(Key::kEnd));
  request = Send(Press(Key::kEnter));
  EXPECT_EQ(request.kind, Request::kOpenSeeAlso);
  EXPECT_EQ(request.text, "<INDEX>");
}

TEST_F(TerminalViewTest, EnterOnAnEmptyListDoesNothing) {
  Send(Press(Key::kTab));
  EXPECT_EQ(Send(Press(Key::kEnter)).kind, Request::kNothing);
  EXPECT_EQ(Send(Press(Key::kDown)).kind, Request::kNothing);
}

TEST_F(TerminalViewTest, SelectionStaysInsideTheList) {
  Lines entries;
  for (char c = 'A'; c <= 'L'; ++c) entries.emplace_back(1, c);
  view_.ShowContents(entries);
  Send(Press(Key::kTab));
  Send(Press(Key::kUp));
  EXPECT_EQ(view_.contents().selected, 0u);
  Send(Press(Key::kPageDown));
  EXPECT_EQ(view_.contents().selected, 5u);
  Send(Press(Key::kPageDown));
  Send(Press(Key::kPageDown));
  EXPECT_EQ(view_.contents().selected, 11u);
  Send(Press(Key::kDown));
  EXPECT_EQ(view_.contents().selected, 11u);
  Send(Press(Key::kHome));
  EXPECT_EQ(view_.contents().selected, 0u);
}

TEST_F(TerminalViewTest, TopicTextSplitsAtCrLfAndScrollsFromTheTop) {
  view_.ShowTopicText("a\r\n\r\nb c\r\n");
  EXPECT_EQ(view_.text_lines(), (Lines{"a", "", "b c"}));
  Send(Press(Key::kTab));
  Send(Press(Key::kTab));
  Send(Press(Key::kPageDown));
  EXPECT_EQ(view_.text_top(), 5u);
  Send(Press(Key::kUp));
  EXPECT_EQ(view_.text_top(), 4u);
  view_.ShowTopicText("x\r\n");
  EXPECT_EQ(view_.text_top(), 0u);
}

TEST_F(TerminalViewTest, EscapeExitsEverywhereAndQOutsideTheSearchLine) {
  EXPECT_EQ(Send(Press(Key::kEscape)).kind, Request::kExit);
  Send(Press(Key::kTab));
  EXPECT_EQ(Send(Type('q')).kind, Request::kExit);
  Send(Press(Key::kTab));
  EXPECT_EQ(Send(Type('Q')).kind, Request::kExit);
  EXPECT_EQ(Send(Type('x')).kind, Request::kNothing);
}

}  // namespace
}  // namespace vekhelp
