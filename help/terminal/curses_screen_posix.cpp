#include "terminal/curses_screen_posix.h"

#include <curses.h>
#include <langinfo.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "terminal/screen_layout.h"
#include "terminal/screen_text.h"

namespace vekhelp {
namespace {

// Colour pairs: white on blue for the areas, yellow on blue for labels and headings, black on
// yellow for the searched text.
constexpr short kAreaPair = 1;
constexpr short kLabelPair = 2;
constexpr short kFoundPair = 3;

// Keys the terminal sends for Alt-Left: xterm's, and Esc before Left.
constexpr const char* kAltLeftSequences[] = {"\033[1;3D", "\033\033[D", "\033\033OD"};
constexpr int kAltLeftCode = KEY_MAX + 0x200;  // clear of the codes ncurses gives keys it learns from terminfo

// Only signals interrupt a blocking read; this many in a row means the terminal has gone.
constexpr int kMostInterruptions = 100;

chtype Label() { return COLOR_PAIR(kLabelPair) | A_BOLD; }

size_t LongestEntry(const std::vector<std::string>& entries) {
  size_t longest = 0;
  for (const std::string& entry : entries) longest = std::max(longest, ExpandTabs(entry).size());
  return longest;
}

ScreenLayout LayOut(TerminalView& view) { return LayOutScreen(COLS, LINES, LongestEntry(view.contents().entries)); }

// Draws `bytes` one byte to a cell from (row, column.x), cut to the column's width and padded
// with blanks; cells marked in `found` get `found_attributes`.
void PutCells(bool utf8, int row, const Column& column, std::string_view bytes, attr_t attributes,
              const std::vector<bool>& found = {}, attr_t found_attributes = 0) {
  move(row, column.x);
  for (int x = 0; x < column.width; ++x) {
    const auto i = static_cast<size_t>(x);
    const unsigned char byte = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : ' ';
    char32_t shown = CellCharacter(byte);
    // Outside UTF-8 only ASCII can be drawn; the elision mark then stays recognisable.
    if (!utf8 && shown > 0x7E) shown = byte == static_cast<unsigned char>(kElisionMark) ? '>' : '?';
    const wchar_t text[2] = {static_cast<wchar_t>(shown), 0};
    const bool marked = i < found.size() && found[i];
    const attr_t look = marked ? found_attributes : attributes;
    cchar_t cell;
    setcchar(&cell, text, look & ~A_COLOR, static_cast<short>(PAIR_NUMBER(look)), nullptr);
    add_wch(&cell);
  }
}

void PutCentred(int row, const Column& column, std::string_view text, attr_t attributes) {
  const int pad = std::max(0, (column.width - static_cast<int>(text.size())) / 2);
  PutCells(false, row, column, std::string(static_cast<size_t>(pad), ' ') + std::string(text), attributes);
}

void DrawList(bool utf8, const ScreenLayout& layout, const Column& column, ListArea& list, bool focused) {
  const auto rows = static_cast<size_t>(layout.area_rows);
  list.top = ScrollToShow(list.top, list.selected, rows);
  for (size_t row = 0; row < rows; ++row) {
    const size_t i = list.top + row;
    const bool selected = i == list.selected && i < list.entries.size();
    const attr_t look = COLOR_PAIR(kAreaPair) | (selected ? (focused ? A_REVERSE : A_UNDERLINE) : A_NORMAL);
    const std::string entry = i < list.entries.size() ? ExpandTabs(list.entries[i]) : std::string();
    PutCells(utf8, layout.area_top + static_cast<int>(row), column, Elide(entry, static_cast<size_t>(column.width)),
             look);
  }
}

void DrawText(bool utf8, const ScreenLayout& layout, TerminalView& view) {
  const std::vector<std::string> lines = WrapLines(view.text_lines(), static_cast<size_t>(layout.text.width));
  const auto rows = static_cast<size_t>(layout.area_rows);
  size_t& top = view.text_top();
  if (view.seek_highlight()) {
    view.seek_highlight() = false;
    const auto holds = [&](const std::string& line) {
      const std::vector<bool> found = MatchedCells(line, view.highlight());
      return std::find(found.begin(), found.end(), true) != found.end();
    };
    const auto first = std::find_if(lines.begin(), lines.end(), holds);
    if (first != lines.end()) top = static_cast<size_t>(first - lines.begin());
  }
  top = std::min(top, lines.size() > rows ? lines.size() - rows : 0);
  const attr_t found_look = COLOR_PAIR(kFoundPair) | A_BOLD | A_REVERSE;
  for (size_t row = 0; row < rows; ++row) {
    const size_t i = top + row;
    const std::string_view line = i < lines.size() ? std::string_view(lines[i]) : std::string_view();
    PutCells(utf8, layout.area_top + static_cast<int>(row), layout.text, line, COLOR_PAIR(kAreaPair),
             MatchedCells(line, view.highlight()), found_look);
  }
}

// "Find : " and the search line; returns the column of the line's cursor.
int DrawFindLine(bool utf8, const ScreenLayout& layout, const TerminalView& view) {
  attrset(Label());
  mvaddstr(0, 0, "Find : ");
  const std::string& text = view.find().text();
  const auto width = static_cast<size_t>(layout.find_field.width);
  // The end of a long text stays in sight, with room for the cursor after it.
  const std::string_view shown = std::string_view(text).substr(text.size() >= width ? text.size() - width + 1 : 0);
  const attr_t look = view.find().selected() && view.focus() == Area::kFind ? A_REVERSE : A_UNDERLINE;
  PutCells(utf8, 0, layout.find_field, "", COLOR_PAIR(kAreaPair) | A_UNDERLINE);
  PutCells(utf8, 0, {layout.find_field.x, static_cast<int>(shown.size())}, shown, COLOR_PAIR(kAreaPair) | look);
  // The labels of the Windows dialog's buttons, where they fit whole.
  constexpr std::string_view kButtons = "[SEARCH: Enter]  [Exit HELP: Esc]";
  const int after = layout.find_field.x + layout.find_field.width + 2;
  if (after + static_cast<int>(kButtons.size()) <= COLS) PutCells(false, 0, {after, COLS - after}, kButtons, Label());
  return layout.find_field.x + static_cast<int>(shown.size());
}

// The status, after the whole of the selected entry while its list has the focus and cuts it.
std::string StatusText(const ScreenLayout& layout, TerminalView& view) {
  const bool contents = view.focus() == Area::kContents;
  if (!contents && view.focus() != Area::kSeeAlso) return view.status();
  const ListArea& list = contents ? view.contents() : view.see_also();
  const int width = contents ? layout.contents.width : layout.see_also.width;
  if (list.selected >= list.entries.size()) return view.status();
  std::string entry = ExpandTabs(list.entries[list.selected]);
  return entry.size() > static_cast<size_t>(width) ? "[" + entry + "]  " + view.status() : view.status();
}

std::string_view KeyHelp(Area focus) {
  if (focus == Area::kFind) return "Tab: areas   Type, then Enter: search   Alt-Left: back   Esc: quit";
  return "Tab: areas  Enter: open  Backspace: back  n: next found  /: find  q: quit";
}

}  // namespace

std::unique_ptr<CursesScreen> CursesScreen::Open() {
  if (newterm(nullptr, stdout, stdin) == nullptr) return nullptr;
  cbreak();
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  set_escdelay(25);
  for (const char* sequence : kAltLeftSequences) define_key(sequence, kAltLeftCode);
  mousemask(BUTTON1_CLICKED | BUTTON1_DOUBLE_CLICKED, nullptr);
  // NO_COLOR set to anything turns colour off, as a terminal without colours does.
  if (has_colors() && std::getenv("NO_COLOR") == nullptr) {
    start_color();
    init_pair(kAreaPair, COLOR_WHITE, COLOR_BLUE);
    init_pair(kLabelPair, COLOR_YELLOW, COLOR_BLUE);
    init_pair(kFoundPair, COLOR_BLACK, COLOR_YELLOW);
    bkgdset(COLOR_PAIR(kAreaPair));
  }
  return std::unique_ptr<CursesScreen>(new CursesScreen(std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0));
}

CursesScreen::~CursesScreen() { endwin(); }

void CursesScreen::Draw(TerminalView& view) {
  erase();
  const ScreenLayout layout = LayOut(view);
  if (!layout.fits) {
    curs_set(0);
    attrset(Label());
    mvaddstr(0, 0, "VEK Help: make the terminal larger");
    refresh();
    return;
  }
  const int cursor = DrawFindLine(utf8_, layout, view);
  const auto heading = [&](Area area) { return Label() | (view.focus() == area ? A_REVERSE : A_NORMAL); };
  PutCentred(1, layout.contents, "CONTENTS", heading(Area::kContents));
  PutCentred(1, layout.text, "HELP", heading(Area::kText));
  PutCentred(1, layout.see_also, "SEE", heading(Area::kSeeAlso));
  attrset(Label());
  mvvline(1, layout.contents.width, '|', layout.area_rows + 1);
  mvvline(1, layout.see_also.x - 1, '|', layout.area_rows + 1);
  DrawList(utf8_, layout, layout.contents, view.contents(), view.focus() == Area::kContents);
  DrawText(utf8_, layout, view);
  DrawList(utf8_, layout, layout.see_also, view.see_also(), view.focus() == Area::kSeeAlso);
  PutCells(utf8_, layout.status_row, {0, COLS}, Elide(StatusText(layout, view), static_cast<size_t>(COLS)),
           COLOR_PAIR(kAreaPair) | A_BOLD);
  // The last cell of the screen is left alone: writing it would scroll some terminals.
  PutCells(false, layout.help_row, {0, COLS - 1}, KeyHelp(view.focus()), Label());
  if (view.focus() == Area::kFind) {
    curs_set(1);
    move(0, cursor);
  } else {
    curs_set(0);
  }
  refresh();
}

Request CursesScreen::Read(TerminalView& view) {
  errno = 0;
  wint_t got = 0;
  const int kind = get_wch(&got);
  if (kind == ERR) {
    const bool gone = errno != EINTR || ++interruptions_ >= kMostInterruptions;
    return gone ? Request{Request::kExit, {}} : Request{};
  }
  interruptions_ = 0;
  // Keys have codes above 0xFF; a character beyond ASCII becomes the help file's byte for it.
  int c = static_cast<int>(got);
  if (kind == OK && got >= 0x80) {
    const std::optional<unsigned char> byte = ByteForCharacter(static_cast<char32_t>(got));
    if (!byte) return {};
    c = *byte;
  }
  const ScreenLayout layout = LayOut(view);
  const auto page_rows = static_cast<size_t>(std::max(1, layout.area_rows));
  const auto key = [&](Key::Kind kind) { return view.HandleKey(Key{kind, 0}, page_rows); };
  switch (c) {
    case '\t': return key(Key::kTab);
    case KEY_BTAB: return key(Key::kBackTab);
    case '\r':
    case '\n':
    case KEY_ENTER: return key(Key::kEnter);
    case 27: return key(Key::kEscape);
    case KEY_BACKSPACE:
    case 127:
    case 8: return key(Key::kBackspace);
    case kAltLeftCode: return key(Key::kAltLeft);
    case KEY_UP: return key(Key::kUp);
    case KEY_DOWN: return key(Key::kDown);
    case KEY_PPAGE: return key(Key::kPageUp);
    case KEY_NPAGE: return key(Key::kPageDown);
    case KEY_HOME: return key(Key::kHome);
    case KEY_END: return key(Key::kEnd);
    case KEY_MOUSE: {
      MEVENT event;
      if (getmouse(&event) != OK || !layout.fits) return {};
      const int row = event.y - layout.area_top;
      if (row < 0 || row >= layout.area_rows) return {};
      const bool twice = (event.bstate & BUTTON1_DOUBLE_CLICKED) != 0;
      const auto inside = [&](const Column& column) {
        return event.x >= column.x && event.x < column.x + column.width;
      };
      if (inside(layout.contents)) return view.Click(Area::kContents, static_cast<size_t>(row), twice);
      if (inside(layout.see_also)) return view.Click(Area::kSeeAlso, static_cast<size_t>(row), twice);
      return {};
    }
    default: break;
  }
  if (c >= 0x20 && c <= 0xFF) return view.HandleKey(Key{Key::kCharacter, static_cast<char>(c)}, page_rows);
  return {};
}

}  // namespace vekhelp
