#include "terminal/curses_screen_posix.h"

#include <curses.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "terminal/screen_layout.h"

namespace vekhelp {
namespace {

// Colour pairs: white on blue for the areas, yellow on blue for labels and headings.
constexpr short kAreaPair = 1;
constexpr short kLabelPair = 2;

constexpr std::string_view kKeyHelp = "Tab: next area   Enter: search / open   Arrows, PgUp, PgDn: move   Esc or q: exit";

chtype Label() { return COLOR_PAIR(kLabelPair) | A_BOLD; }

// Text at (row, x) cut to `width` columns and padded with blanks to fill them.
void Put(int row, const Column& column, std::string_view text, chtype attributes) {
  std::string cell(text.substr(0, std::min<size_t>(text.size(), static_cast<size_t>(column.width))));
  cell.resize(static_cast<size_t>(column.width), ' ');
  attrset(attributes);
  mvaddnstr(row, column.x, cell.c_str(), column.width);
}

void PutCentred(int row, const Column& column, std::string_view text, chtype attributes) {
  const int pad = std::max(0, (column.width - static_cast<int>(text.size())) / 2);
  Put(row, column, std::string(static_cast<size_t>(pad), ' ') + std::string(text), attributes);
}

void DrawList(const ScreenLayout& layout, const Column& column, ListArea& list, bool focused) {
  const auto rows = static_cast<size_t>(layout.area_rows);
  list.top = ScrollToShow(list.top, list.selected, rows);
  for (size_t row = 0; row < rows; ++row) {
    const size_t i = list.top + row;
    const bool selected = i == list.selected && i < list.entries.size();
    const chtype look = COLOR_PAIR(kAreaPair) | (selected ? (focused ? A_REVERSE : A_UNDERLINE) : A_NORMAL);
    Put(layout.area_top + static_cast<int>(row), column, i < list.entries.size() ? list.entries[i] : "", look);
  }
}

void DrawText(const ScreenLayout& layout, TerminalView& view) {
  const std::vector<std::string> lines = WrapLines(view.text_lines(), static_cast<size_t>(layout.text.width));
  const auto rows = static_cast<size_t>(layout.area_rows);
  size_t& top = view.text_top();
  top = std::min(top, lines.size() > rows ? lines.size() - rows : 0);
  for (size_t row = 0; row < rows; ++row) {
    const size_t i = top + row;
    Put(layout.area_top + static_cast<int>(row), layout.text, i < lines.size() ? lines[i] : "", COLOR_PAIR(kAreaPair));
  }
}

// "Find : " and the search line; returns the column of the line's cursor.
int DrawFindLine(const ScreenLayout& layout, const TerminalView& view) {
  attrset(Label());
  mvaddstr(0, 0, "Find : ");
  const std::string& text = view.find().text();
  const auto width = static_cast<size_t>(layout.find_field.width);
  // The end of a long text stays in sight, with room for the cursor after it.
  const std::string_view shown = std::string_view(text).substr(text.size() >= width ? text.size() - width + 1 : 0);
  const chtype look = view.find().selected() && view.focus() == Area::kFind ? A_REVERSE : A_UNDERLINE;
  Put(0, layout.find_field, "", COLOR_PAIR(kAreaPair) | A_UNDERLINE);
  Put(0, {layout.find_field.x, static_cast<int>(shown.size())}, shown, COLOR_PAIR(kAreaPair) | look);
  const int after = layout.find_field.x + layout.find_field.width + 2;
  if (after < COLS) Put(0, {after, COLS - after}, "[SEARCH: Enter]  [Exit HELP: Esc]", Label());
  return layout.find_field.x + static_cast<int>(shown.size());
}

}  // namespace

CursesScreen::CursesScreen() {
  initscr();
  cbreak();
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  set_escdelay(25);
  if (has_colors()) {
    start_color();
    init_pair(kAreaPair, COLOR_WHITE, COLOR_BLUE);
    init_pair(kLabelPair, COLOR_YELLOW, COLOR_BLUE);
    bkgdset(COLOR_PAIR(kAreaPair));
  }
}

CursesScreen::~CursesScreen() { endwin(); }

void CursesScreen::Draw(TerminalView& view) {
  erase();
  const ScreenLayout layout = LayOutScreen(COLS, LINES);
  if (!layout.fits) {
    curs_set(0);
    attrset(Label());
    mvaddstr(0, 0, "VEK Help: make the terminal larger");
    refresh();
    return;
  }
  const int cursor = DrawFindLine(layout, view);
  const auto heading = [&](Area area) { return Label() | (view.focus() == area ? A_REVERSE : A_NORMAL); };
  PutCentred(1, layout.contents, "CONTENTS", heading(Area::kContents));
  PutCentred(1, layout.text, "HELP", heading(Area::kText));
  PutCentred(1, layout.see_also, "SEE", heading(Area::kSeeAlso));
  attrset(Label());
  mvvline(1, layout.contents.width, '|', layout.area_rows + 1);
  mvvline(1, layout.see_also.x - 1, '|', layout.area_rows + 1);
  DrawList(layout, layout.contents, view.contents(), view.focus() == Area::kContents);
  DrawText(layout, view);
  DrawList(layout, layout.see_also, view.see_also(), view.focus() == Area::kSeeAlso);
  Put(layout.help_row, {0, COLS}, kKeyHelp, Label());
  if (view.focus() == Area::kFind) {
    curs_set(1);
    move(0, cursor);
  } else {
    curs_set(0);
  }
  refresh();
}

std::optional<Key> CursesScreen::ReadKey() {
  const int c = getch();
  switch (c) {
    case '\t': return Key{Key::kTab};
    case KEY_BTAB: return Key{Key::kBackTab};
    case '\r':
    case '\n':
    case KEY_ENTER: return Key{Key::kEnter};
    case 27: return Key{Key::kEscape};
    case KEY_BACKSPACE:
    case 127:
    case 8: return Key{Key::kBackspace};
    case KEY_UP: return Key{Key::kUp};
    case KEY_DOWN: return Key{Key::kDown};
    case KEY_PPAGE: return Key{Key::kPageUp};
    case KEY_NPAGE: return Key{Key::kPageDown};
    case KEY_HOME: return Key{Key::kHome};
    case KEY_END: return Key{Key::kEnd};
    default: break;
  }
  if (c >= 0x20 && c <= 0xFF) return Key{Key::kCharacter, static_cast<char>(c)};
  return std::nullopt;
}

size_t CursesScreen::page_rows() const { return static_cast<size_t>(std::max(1, LayOutScreen(COLS, LINES).area_rows)); }

}  // namespace vekhelp
