#include "browse/browser.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "browse/browse_layout.h"

namespace vek {
namespace {

// Packet SORTS of 3 snippets, BIG of 100,000 (never read but a window at a time), and BAD,
// whose one snippet cannot be read.
class FakeArchive final : public ArchiveView {
 public:
  FakeArchive() : packets_{{"SORTS", 3}, {"BIG", 100000}, {"BAD", 1}} {}

  const std::vector<PacketRow>& packets() const override { return packets_; }
  std::vector<SnippetRow> Snippets(size_t packet, uint64_t first, size_t count) override {
    std::vector<SnippetRow> rows;
    for (uint64_t n = first; n < first + count && n <= packets_[packet].snippets; ++n) {
      rows.push_back({n, n == 2, n == 3, "Subject " + std::to_string(n), "Author"});
    }
    most_rows_read = std::max(most_rows_read, rows.size());
    return rows;
  }
  SnippetText Open(size_t packet, uint64_t number) override {
    if (packet == 2) throw std::runtime_error("BAD is damaged");
    opened.push_back(packets_[packet].name + " " + std::to_string(number));
    SnippetText text{{{"Author", "Ann"}}, {}, number == 3};
    if (number == 3) {
      text.lines = {"'>>> Page 1 of 2 of GAME.EXE begins here. TYPE:BINAA TLEN:5", "U\"abc"};
    } else {
      for (int i = 1; i <= 50; ++i) text.lines.push_back("PRINT " + std::to_string(i));
    }
    return text;
  }
  Found Search(const std::string& term) override {
    if (term != "swap") return {};
    return {{{0, {2, false, false, "Swap", "Bo"}}, {1, {7, false, false, "Swap too", "Cy"}}}, ""};
  }
  std::string Extract(size_t packet, uint64_t number, bool attachment, const std::string& path) override {
    return packets_[packet].name + " " + std::to_string(number) + (attachment ? " set to " : " text to ") + path;
  }

  std::vector<PacketRow> packets_;
  std::vector<std::string> opened;
  size_t most_rows_read = 0;
};

void Press(Browser& browser, std::initializer_list<Key> keys) {
  for (const Key& key : keys) browser.HandleKey(key);
}
void Type(Browser& browser, std::string_view text) {
  for (const char c : text) browser.HandleKey({Key::kCharacter, c});
}

class BrowserTest : public ::testing::Test {
 protected:
  BrowserTest() { browser.SetPageRows(10, 5, 8); }
  FakeArchive archive;
  Browser browser{archive};
};

TEST_F(BrowserTest, OpensAPacketThenASnippetAndGoesBack) {
  EXPECT_EQ(browser.PacketRows(), (std::vector<std::string>{"SORTS      3", "BIG   100000", "BAD        1"}));
  Press(browser, {{Key::kEnter}});
  EXPECT_EQ(browser.focus(), Pane::kSnippets);
  EXPECT_EQ(browser.SnippetsTitle(), "SORTS: 3 snippets");
  const std::vector<std::string> rows = browser.SnippetRows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1], "2 N  Subject 2                       Author");
  EXPECT_EQ(rows[2].substr(0, 5), "3  @ ");
  Press(browser, {{Key::kCharacter, 'j'}, {Key::kRight}});
  EXPECT_EQ(archive.opened, std::vector<std::string>{"SORTS 2"});
  EXPECT_EQ(browser.focus(), Pane::kCode);
  EXPECT_EQ(browser.TextRows()[0].text, "Author   Ann");
  EXPECT_TRUE(browser.TextRows()[2].code);
  EXPECT_EQ(browser.Where(), "SORTS 2/3");
  Press(browser, {{Key::kLeft}});
  EXPECT_EQ(browser.focus(), Pane::kSnippets);
  Press(browser, {{Key::kBackspace}});
  EXPECT_EQ(browser.focus(), Pane::kPackets);
}

TEST_F(BrowserTest, MovesAndPagesWithinBounds) {
  browser.OpenPacket(1);
  Press(browser, {{Key::kEnd}});
  EXPECT_EQ(browser.snippet_list().selected, 99999u);
  EXPECT_EQ(browser.snippet_list().top, 99995u);
  EXPECT_EQ(browser.SnippetRows().back().substr(0, 6), "100000");
  Press(browser, {{Key::kDown}, {Key::kPageUp}, {Key::kUp}});
  EXPECT_EQ(browser.snippet_list().selected, 99993u);
  Press(browser, {{Key::kHome}, {Key::kCharacter, 'k'}, {Key::kPageDown}, {Key::kPageDown}});
  EXPECT_EQ(browser.snippet_list().selected, 10u);
  EXPECT_EQ(browser.snippet_list().top, 6u);
  // Only what is on screen is asked for.
  EXPECT_LE(archive.most_rows_read, 5u);
  // The code pane scrolls, and stops with its last row at the bottom.
  Press(browser, {{Key::kEnter}, {Key::kEnd}});
  EXPECT_EQ(browser.TextRows().back().text, "PRINT 50");
  Press(browser, {{Key::kDown}, {Key::kPageUp}});
  EXPECT_EQ(browser.TextRows().front().text, "PRINT 35");
  // A shrinking screen keeps the selection in sight.
  browser.OpenPacket(1);
  Press(browser, {{Key::kPageDown}});
  browser.SetPageRows(10, 2, 8);
  EXPECT_EQ(browser.snippet_list().top, 4u);
  // A packet opened before the screen was measured is shown with the packets above it.
  Browser fresh(archive);
  fresh.OpenPacket(2);
  fresh.SetPageRows(10, 5, 8);
  EXPECT_EQ(fresh.packet_list().top, 0u);
}

TEST_F(BrowserTest, SearchesAndStepsThroughTheHits) {
  Press(browser, {{Key::kCharacter, '/'}});
  Type(browser, "swapx");
  Press(browser, {{Key::kBackspace}});
  EXPECT_EQ(browser.prompt(), "Search: swap");
  Press(browser, {{Key::kEnter}});
  EXPECT_FALSE(browser.prompt());
  EXPECT_EQ(browser.SnippetsTitle(), "Search \"swap\": 2 hits");
  EXPECT_EQ(browser.SnippetRows()[1], "BIG       7    Swap too                        Cy");
  EXPECT_EQ(archive.opened, std::vector<std::string>{"SORTS 2"});
  Type(browser, "nnN");
  EXPECT_EQ(archive.opened, (std::vector<std::string>{"SORTS 2", "BIG 7", "SORTS 2"}));
  EXPECT_EQ(browser.Where(), "\"swap\" hit 1/2");
  Type(browser, "N");
  EXPECT_EQ(browser.status(), "First hit");
  // A search that finds nothing leaves the hits as they were.
  Press(browser, {{Key::kCharacter, '/'}});
  Type(browser, "none");
  Press(browser, {{Key::kEnter}});
  EXPECT_EQ(browser.status(), "Nothing holds \"none\"");
  EXPECT_EQ(browser.SnippetsTitle(), "Search \"swap\": 2 hits");
  // Esc leaves a prompt, not the reader.
  Press(browser, {{Key::kCharacter, '/'}});
  EXPECT_EQ(browser.HandleKey({Key::kEscape}).kind, Action::kNone);
  EXPECT_FALSE(browser.prompt());
}

TEST_F(BrowserTest, AttachmentsShowTheirPagesAndExtractTheSet) {
  EXPECT_EQ(browser.HandleKey({Key::kCharacter, 'x'}).kind, Action::kNone);
  EXPECT_EQ(browser.status(), "Open a snippet first: x extracts the snippet shown");
  browser.OpenPacket(0);
  Press(browser, {{Key::kEnd}, {Key::kEnter}});
  EXPECT_EQ(browser.TextTitle(), "SORTS 3 (attachment)");
  EXPECT_EQ(browser.TextRows()[2].text, "ZORVIT attachment GAME.EXE: page 1 of 2, 2 encoded lines");
  Type(browser, "v");
  EXPECT_EQ(browser.TextRows()[2].text, "'>>> Page 1 of 2 of GAME.EXE begins here. TYPE:BINAA TLEN:5");
  Type(browser, "x");
  EXPECT_EQ(browser.prompt(), "Extract to: GAME.EXE");
  Press(browser, {{Key::kEnter}});
  EXPECT_EQ(browser.status(), "SORTS 3 set to GAME.EXE");
  // A plain snippet is offered as text under a name of its own.
  Press(browser, {{Key::kLeft}, {Key::kHome}, {Key::kEnter}});
  Type(browser, "x");
  EXPECT_EQ(browser.prompt(), "Extract to: SORTS_1.BAS");
  const Action copy = browser.HandleKey({Key::kEscape});
  EXPECT_EQ(copy.kind, Action::kNone);
  const Action copied = browser.HandleKey({Key::kCharacter, 'y'});
  EXPECT_EQ(copied.kind, Action::kCopy);
  EXPECT_EQ(copied.text.substr(0, 16), "PRINT 1\nPRINT 2\n");
}

TEST_F(BrowserTest, ClicksHelpQuitAndFailures) {
  browser.Click(Pane::kPackets, 1);
  EXPECT_EQ(browser.packet_list().selected, 1u);
  EXPECT_EQ(browser.focus(), Pane::kPackets);
  browser.Click(Pane::kPackets, 1);  // a second click opens
  EXPECT_EQ(browser.SnippetsTitle(), "BIG: 100000 snippets");
  browser.Click(Pane::kPackets, 7);  // below the last packet: nothing
  EXPECT_EQ(browser.packet_list().selected, 1u);
  browser.Wheel(Pane::kSnippets, 3);
  EXPECT_EQ(browser.snippet_list().selected, 3u);
  // A failure is shown on the status line, and the reader stays where it was.
  browser.OpenPacket(2);
  Press(browser, {{Key::kEnter}});
  EXPECT_EQ(browser.status(), "BAD is damaged");
  EXPECT_EQ(browser.focus(), Pane::kSnippets);
  // ? shows the keys until any key; q and Esc quit.
  Type(browser, "?");
  EXPECT_TRUE(browser.help_shown());
  EXPECT_EQ(browser.HandleKey({Key::kCharacter, 'q'}).kind, Action::kNone);
  EXPECT_FALSE(browser.help_shown());
  EXPECT_EQ(browser.HandleKey({Key::kCharacter, 'q'}).kind, Action::kQuit);
  EXPECT_EQ(browser.HandleKey({Key::kEscape}).kind, Action::kQuit);
}

TEST(BrowseLayoutTest, PanesFitTheScreen) {
  const BrowseLayout usual = LayOutBrowser(80, 24, 12);
  ASSERT_TRUE(usual.fits);
  EXPECT_EQ(usual.packets.width, 12);
  EXPECT_EQ(usual.snippets.x, 13);
  EXPECT_EQ(usual.snippets.rows, 8);
  EXPECT_EQ(usual.text.title_row, 9);
  EXPECT_EQ(usual.text.top + usual.text.rows, usual.status_row);
  EXPECT_EQ(usual.status_row, 23);
  const BrowseLayout small = LayOutBrowser(40, 12, 60);
  ASSERT_TRUE(small.fits);
  EXPECT_EQ(small.packets.width, 10);
  EXPECT_GE(small.text.rows, 4);
  EXPECT_FALSE(LayOutBrowser(29, 24, 12).fits);
  EXPECT_FALSE(LayOutBrowser(80, 7, 12).fits);
}

}  // namespace
}  // namespace vek
