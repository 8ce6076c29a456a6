#include "terminal/terminal_view.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "terminal/screen_text.h"

namespace vekhelp {

Request TerminalView::HandleKey(const Key& key, size_t page_rows) {
  if (key.kind == Key::kEscape) return {Request::kExit, {}};
  if (key.kind == Key::kAltLeft) return {Request::kBack, {}};
  if (key.kind == Key::kTab || key.kind == Key::kBackTab) {
    MoveFocus(key.kind == Key::kTab ? 1 : -1);
    return {};
  }
  switch (focus_) {
    case Area::kFind:
      if (key.kind == Key::kCharacter) find_.Type(std::string_view(&key.character, 1));
      if (key.kind == Key::kBackspace) find_.Backspace();
      if (key.kind != Key::kEnter) return {};
      focus_ = Area::kSeeAlso;  // where the topics found are listed, and n goes on to the next
      return {Request::kSearch, find_.text()};
    case Area::kContents:
    case Area::kSeeAlso: {
      const bool contents = focus_ == Area::kContents;
      ListArea& list = contents ? contents_ : see_also_;
      if (key.kind == Key::kEnter) return Open(contents ? Request::kOpenContents : Request::kOpenSeeAlso, list);
      MoveSelection(list, key, page_rows);
      break;
    }
    case Area::kText: Scroll(key, page_rows); break;
  }
  if (key.kind == Key::kBackspace) return {Request::kBack, {}};
  if (key.kind == Key::kCharacter && key.character == '/') {
    focus_ = Area::kFind;
    find_.SelectAll();
    return {};
  }
  if (key.kind == Key::kCharacter && (key.character == 'n' || key.character == 'N')) return {Request::kNextFound, {}};
  if (key.kind == Key::kCharacter && (key.character == 'q' || key.character == 'Q')) return {Request::kExit, {}};
  return {};
}

Request TerminalView::Click(Area area, size_t row, bool double_click) {
  if (area != Area::kContents && area != Area::kSeeAlso) return {};
  focus_ = area;
  ListArea& list = area == Area::kContents ? contents_ : see_also_;
  if (list.top + row >= list.entries.size()) return {};
  list.selected = list.top + row;
  if (!double_click) return {};
  return Open(area == Area::kContents ? Request::kOpenContents : Request::kOpenSeeAlso, list);
}

void TerminalView::ShowContents(const std::vector<std::string>& entries) { contents_ = {entries, 0, 0}; }

void TerminalView::SelectContents(size_t index) { contents_.selected = index; }

void TerminalView::ShowTopicText(const std::string& text) {
  text_lines_.clear();
  for (std::string_view rest = text; !rest.empty();) {
    const size_t end = rest.find("\r\n");
    text_lines_.push_back(ExpandTabs(rest.substr(0, end)));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
  }
  text_top_ = 0;
  seek_highlight_ = !highlight_.empty();
}

void TerminalView::ShowSeeAlso(const std::vector<std::string>& entries) { see_also_ = {entries, 0, 0}; }

void TerminalView::MoveFocus(int step) {
  constexpr int kAreas = 4;
  focus_ = static_cast<Area>((static_cast<int>(focus_) + step + kAreas) % kAreas);
  if (focus_ == Area::kFind) find_.SelectAll();
}

Request TerminalView::Open(Request::Kind kind, const ListArea& list) {
  if (list.selected >= list.entries.size()) return {};
  return {kind, list.entries[list.selected]};
}

void TerminalView::MoveSelection(ListArea& list, const Key& key, size_t page_rows) {
  if (list.entries.empty()) return;
  const size_t last = list.entries.size() - 1;
  const size_t page = std::max<size_t>(page_rows, 1);
  size_t& at = list.selected;
  switch (key.kind) {
    case Key::kUp: at = at > 0 ? at - 1 : 0; break;
    case Key::kDown: at = std::min(at + 1, last); break;
    case Key::kPageUp: at = at > page ? at - page : 0; break;
    case Key::kPageDown: at = std::min(at + page, last); break;
    case Key::kHome: at = 0; break;
    case Key::kEnd: at = last; break;
    default: break;
  }
}

void TerminalView::Scroll(const Key& key, size_t page_rows) {
  const size_t page = std::max<size_t>(page_rows, 1);
  size_t& top = text_top_;
  switch (key.kind) {
    case Key::kUp: top = top > 0 ? top - 1 : 0; break;
    case Key::kDown: ++top; break;
    case Key::kPageUp: top = top > page ? top - page : 0; break;
    case Key::kPageDown: top += page; break;
    case Key::kHome: top = 0; break;
    case Key::kEnd: top = std::numeric_limits<size_t>::max(); break;  // the drawing brings it into range
    default: break;
  }
}

}  // namespace vekhelp
