#ifndef VEKHELP_TERMINAL_TERMINAL_VIEW_H_
#define VEKHELP_TERMINAL_TERMINAL_VIEW_H_

#include <cstddef>
#include <string>
#include <vector>

#include "terminal/find_line.h"
#include "viewer.h"

namespace vekhelp {

// The terminal's four areas, in Tab order.
enum class Area { kFind, kContents, kText, kSeeAlso };

// A key, as the terminal front-end reads it.
struct Key {
  enum Kind { kCharacter, kTab, kBackTab, kEnter, kEscape, kBackspace, kUp, kDown, kPageUp, kPageDown, kHome, kEnd };
  Kind kind = kCharacter;
  char character = 0;
};

// What a key asks the viewer to do.
struct Request {
  enum Kind { kNothing, kSearch, kOpenContents, kOpenSeeAlso, kExit };
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
  // Tab and Shift-Tab move between the areas; Enter searches from the search line and opens
  // the selected entry of a list; Esc exits anywhere, q wherever it is not typed as text.
  Request HandleKey(const Key& key, size_t page_rows);

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
};

}  // namespace vekhelp

#endif  // VEKHELP_TERMINAL_TERMINAL_VIEW_H_
