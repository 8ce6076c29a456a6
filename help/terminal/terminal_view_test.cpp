#include "terminal/terminal_view.h"

#include <gtest/gtest.h>

namespace vekhelp {
namespace {

using Lines = std::vector<std::string>;

Key Press(Key::Kind kind) { return Key{kind, 0}; }
Key Type(char c) { return Key{Key::kCharacter, c}; }

class TerminalViewTest : public ::testing::Test {
 protected:
  // Sends the keys in order, five rows to a page; what the last one asks for.
  Request Send(std::initializer_list<Key> keys) {
    Request last;
    for (const Key& key : keys) last = view_.HandleKey(key, 5);
    return last;
  }
  Request Send(Key::Kind kind) { return Send({Press(kind)}); }

  TerminalView view_;
};

// The search line has the focus first; Tab and Back-Tab go round the four areas.
TEST_F(TerminalViewTest, EnterSearchesForTheUpperCaseTextOrOpensTheSelectedEntry) {
  for (char c : std::string_view("sort q")) Send({Type(c)});
  Request request = Send(Key::kEnter);
  EXPECT_EQ(request.kind, Request::kSearch);
  EXPECT_EQ(request.text, "SORT Q") << "q is text on the search line, not exit";
  EXPECT_EQ(view_.focus(), Area::kSeeAlso) << "the search line lets n go to the next topic found";
  EXPECT_EQ(Send(Key::kEnter).kind, Request::kNothing) << "an empty list";
  view_.ShowContents({"INTRODUCTION", "FILES"});
  view_.ShowSeeAlso({"FILES", "<INDEX>"});
  request = Send({Press(Key::kTab), Press(Key::kTab), Press(Key::kDown), Press(Key::kEnter)});
  EXPECT_EQ(request.kind, Request::kOpenContents);
  EXPECT_EQ(request.text, "FILES");
  request = Send({Press(Key::kBackTab), Press(Key::kBackTab), Press(Key::kEnd), Press(Key::kEnter)});
  EXPECT_EQ(request.kind, Request::kOpenSeeAlso);
  EXPECT_EQ(request.text, "<INDEX>");
  EXPECT_EQ(Send({Press(Key::kTab), Type('x'), Press(Key::kEnter)}).text, "X") << "Tab selects the search text";
}

TEST_F(TerminalViewTest, SelectionStaysInsideTheListAndTheTextScrollsFromTheTop) {
  view_.ShowContents({"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L"});
  Send(Key::kTab);
  const std::pair<Key::Kind, size_t> steps[] = {{Key::kUp, 0},        {Key::kPageDown, 5}, {Key::kPageDown, 10},
                                                {Key::kPageDown, 11}, {Key::kDown, 11},    {Key::kHome, 0}};
  for (const auto& [kind, selected] : steps) {
    Send(kind);
    EXPECT_EQ(view_.contents().selected, selected) << kind;
  }
  view_.ShowTopicText("a\r\n\r\nb c\r\n");
  EXPECT_EQ(view_.text_lines(), (Lines{"a", "", "b c"}));
  Send({Press(Key::kTab), Press(Key::kPageDown), Press(Key::kUp)});
  EXPECT_EQ(view_.text_top(), 4u);
  view_.ShowTopicText("x\r\n");
  EXPECT_EQ(view_.text_top(), 0u);
}

TEST_F(TerminalViewTest, EscapeExitsEverywhereAndLetterKeysWorkOutsideTheSearchLine) {
  const struct {
    bool on_search_line;
    Key key;
    Request::Kind wanted;
  } cases[] = {{false, Press(Key::kBackspace), Request::kBack},
               {true, Press(Key::kBackspace), Request::kNothing},
               {false, Press(Key::kAltLeft), Request::kBack},
               {true, Press(Key::kAltLeft), Request::kBack},
               {false, Type('n'), Request::kNextFound},
               {true, Type('n'), Request::kNothing},
               {true, Press(Key::kEscape), Request::kExit},
               {false, Press(Key::kEscape), Request::kExit},
               {false, Type('q'), Request::kExit},
               {false, Type('Q'), Request::kExit},
               {false, Type('x'), Request::kNothing}};
  for (const auto& c : cases) {
    TerminalView view;
    if (!c.on_search_line) view.HandleKey(Press(Key::kTab), 5);
    EXPECT_EQ(view.HandleKey(c.key, 5).kind, c.wanted) << c.on_search_line << " " << c.key.kind;
  }
  Send({Type('x'), Press(Key::kTab), Type('/')});
  EXPECT_EQ(view_.focus(), Area::kFind);
  EXPECT_TRUE(view_.find().selected()) << "/ selects the text typed before";
}

TEST_F(TerminalViewTest, ClicksSelectAndDoubleClicksOpenListEntries) {
  view_.ShowContents({"A", "B", "C"});
  view_.contents().top = 1;
  EXPECT_EQ(view_.Click(Area::kContents, 1, false).kind, Request::kNothing);
  view_.Click(Area::kContents, 2, true);  // below the last entry
  EXPECT_EQ(view_.focus(), Area::kContents);
  EXPECT_EQ(view_.contents().selected, 2u) << "rows count from the first entry on screen, and none below the last";
  const Request open = view_.Click(Area::kContents, 0, true);
  EXPECT_EQ(open.kind, Request::kOpenContents);
  EXPECT_EQ(open.text, "B");
}

}  // namespace
}  // namespace vekhelp
