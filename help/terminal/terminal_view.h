#ifndef VEKHELP_TERMINAL_TERMINAL_VIEW_H_
#define VEKHELP_TERMINAL_TERMINAL_VIEW_H_

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "terminal/find_line.h"
#include "viewer.h"

namespace vekhelp {

// The terminal's four areas, in Tab order.
enum class Area { kFind, kContents, kText, kSeeAlso };

// A key, as the terminal front-end reads it.
struct Key {
  enum Kind {
    kCharacter,
    kTab,
    kBackTab,
    kEnter,
    kEscape,
    kBackspace,
    kAltLeft,
    kUp,
    kDown,
    kPageUp,
    kPageDown,
    kHome,
    kEnd
  };
  Kind kind = kCharacter;
  char character = 0;
};

// What a key asks the viewer to do.
struct Request {
  enum Kind { kNothing, kSearch, kOpenContents, kOpenSeeAlso, kBack, kNextFound, kExit };
  Kind kind = kNothing;
  std::string text;  // the search text, or the entry to open
};

// A list area: its entries, the selected one and the first one on screen.
struct ListArea {
  std::vector<std::string> entries;
  size_t selected = 0;
  size_t top = 0;
};

// The terminal's screen contents and the keyboard rules, without the drawing: the viewer
// writes into it, the keys move around in it, and the drawing reads it.
class TerminalView final : public ViewerDisplay {
 public:
  TerminalView() : find_("find what?") {}

  // Handles one key; `page_rows` is how many rows an area shows, for Page Up and Page Down.
  // Tab and Shift-Tab move between the areas; Enter searches from the search line (the focus
  // then goes to the see-also list, which holds what was found) and opens the selected entry
  // of a list; Alt-Left, and Backspace outside the search line, go back;
  // outside it, n goes to the next topic found, / to the search line, and q exits, as Esc
  // does anywhere.
  Request HandleKey(const Key& key, size_t page_rows);
  // A mouse click on row `row` of a list area (counted from its top row on screen): the area
  // gets the focus and the entry there is selected; a double-click opens it.
  Request Click(Area area, size_t row, bool double_click);

  void ShowContents(const std::vector<std::string>& entries) override;
  void SelectContents(size_t index) override;
  void ShowTopicText(const std::string& text) override;
  void ShowSeeAlso(const std::vector<std::string>& entries) override;

  Area focus() const { return focus_; }
  const FindLine& find() const { return find_; }
  ListArea& contents() { return contents_; }
  ListArea& see_also() { return see_also_; }
  const std::vector<std::string>& text_lines() const { return text_lines_; }
  // The first row of the (wrapped) topic text on screen; the drawing keeps it in range.
  size_t& text_top() { return text_top_; }

  // The searched text, marked wherever the topic text holds it; empty for none. While there
  // is one, each topic shown opens at its first occurrence.
  void set_highlight(std::string upper_text) { highlight_ = std::move(upper_text); }
  const std::string& highlight() const { return highlight_; }
  // Set when a topic is shown and its first occurrence of the highlight is still to be found.
  bool& seek_highlight() { return seek_highlight_; }

  // What the last request came to, for the status line.
  void set_status(std::string status) { status_ = std::move(status); }
  const std::string& status() const { return status_; }

 private:
  void MoveFocus(int step);
  static Request Open(Request::Kind kind, const ListArea& list);
  static void MoveSelection(ListArea& list, const Key& key, size_t page_rows);
  void Scroll(const Key& key, size_t page_rows);

  Area focus_ = Area::kFind;
  FindLine find_;
  ListArea contents_;
  ListArea see_also_;
  std::vector<std::string> text_lines_;
  size_t text_top_ = 0;
  std::string highlight_;
  bool seek_highlight_ = false;
  std::string status_;
};

}  // namespace vekhelp

#endif  // VEKHELP_TERMINAL_TERMINAL_VIEW_H_
