#include "browse/curses_browser_posix.h"

#include <curses.h>
#include <langinfo.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "browse/basic_highlight.h"
#include "browse/browse_layout.h"
#include "browse/shown_text.h"

namespace vek {
namespace {

// Colour pairs, one per kind of token; pair 0 is the terminal's own colours.
constexpr short kPairOf[] = {0, 1, 2, 3, 4, 5};  // indexed by Token
constexpr short kTokenColours[] = {-1, COLOR_RED, COLOR_YELLOW, COLOR_GREEN, COLOR_CYAN, COLOR_MAGENTA};

// Only signals interrupt a blocking read; this many in a row means the terminal has gone.
constexpr int kMostInterruptions = 100;
constexpr int kWheelRows = 3;

BrowseLayout LayOut(Browser& browser) {
  size_t longest = 0;
  for (const std::string& row : browser.PacketRows()) longest = std::max(longest, row.size());
  return LayOutBrowser(COLS, LINES, longest);
}

// Cells of `text` from (row, x), `width` of them, padded with blanks; `looks` gives each byte
// its attributes (all `look` when empty).
void PutCells(bool utf8, int row, int x, int width, std::string_view text, attr_t look,
              const std::vector<attr_t>& looks = {}) {
  if (width <= 0) return;
  move(row, x);
  for (int i = 0; i < width; ++i) {
    const auto at = static_cast<size_t>(i);
    const unsigned char byte = at < text.size() ? static_cast<unsigned char>(text[at]) : ' ';
    const wchar_t cell_text[2] = {static_cast<wchar_t>(ShownCharacter(byte, utf8)), 0};
    const attr_t cell_look = at < looks.size() ? looks[at] : look;
    cchar_t cell;
    setcchar(&cell, cell_text, cell_look & ~A_COLOR, static_cast<short>(PAIR_NUMBER(cell_look)), nullptr);
    add_wch(&cell);
  }
}

void DrawList(bool utf8, const PaneBox& box, const std::string& title, const std::vector<std::string>& rows,
              const ListState& list, bool focused) {
  PutCells(utf8, box.title_row, box.x, box.width, title, A_BOLD | (focused ? A_REVERSE : A_UNDERLINE));
  for (int row = 0; row < box.rows; ++row) {
    const auto at = static_cast<size_t>(row);
    const bool selected = at < rows.size() && list.top + at == list.selected;
    const attr_t look = selected ? (focused ? A_REVERSE : A_UNDERLINE) : A_NORMAL;
    PutCells(utf8, box.top + row, box.x, box.width, at < rows.size() ? ExpandTabs(rows[at]) : "", look);
  }
}

std::vector<attr_t> CodeLooks(std::string_view line, bool colour) {
  std::vector<attr_t> looks(line.size(), A_NORMAL);
  for (const TokenRun& run : HighlightBasic(line)) {
    const auto token = static_cast<int>(run.token);
    const attr_t look = colour ? COLOR_PAIR(kPairOf[token]) | (run.token == Token::kKeyword ? A_BOLD : A_NORMAL)
                               : (run.token == Token::kKeyword ? A_BOLD : A_NORMAL);
    std::fill_n(looks.begin() + static_cast<std::ptrdiff_t>(run.begin), run.length, look);
  }
  return looks;
}

void DrawText(bool utf8, bool colour, const PaneBox& box, Browser& browser) {
  PutCells(utf8, box.title_row, box.x, box.width, browser.TextTitle(),
           A_BOLD | (browser.focus() == Pane::kCode ? A_REVERSE : A_UNDERLINE));
  const std::vector<TextRow> rows = browser.TextRows();
  for (int row = 0; row < box.rows; ++row) {
    const auto at = static_cast<size_t>(row);
    if (at >= rows.size()) {
      PutCells(utf8, box.top + row, box.x, box.width, "", A_NORMAL);
      continue;
    }
    // Tabs are expanded before the line is highlighted, so that looks and cells agree.
    const std::string line = ExpandTabs(rows[at].text);
    PutCells(utf8, box.top + row, box.x, box.width, line, A_NORMAL,
             rows[at].code ? CodeLooks(line, colour) : std::vector<attr_t>{});
  }
}

void DrawHelp(bool utf8) {
  const std::vector<std::string>& lines = Browser::HelpLines();
  for (int row = 0; row < LINES - 1; ++row) {
    const auto at = static_cast<size_t>(row);
    PutCells(utf8, row, 0, COLS, at < lines.size() ? lines[at] : "", row == 0 ? A_BOLD : A_NORMAL);
  }
}

// "where you are   message", the keys at the right where they fit; the prompt instead while
// one is typed.
std::string StatusText(Browser& browser, int columns) {
  if (const auto prompt = browser.prompt()) return *prompt;
  std::string text = browser.Where();
  if (!browser.status().empty()) text += (text.empty() ? "" : "   ") + browser.status();
  constexpr std::string_view kKeys = "?:keys  q:quit";
  const auto room = static_cast<size_t>(std::max(columns - 1, 0));
  if (text.size() + 2 + kKeys.size() <= room)
    text += std::string(room - text.size() - kKeys.size(), ' ') + std::string(kKeys);
  return text;
}

void Copy(std::string_view text) {
  // OSC 52: the terminal puts the text on the clipboard (tmux, xterm, kitty and others).
  const std::string sequence = "\033]52;c;" + Base64(ArchiveTextAsUtf8(text)) + "\a";
  std::fwrite(sequence.data(), 1, sequence.size(), stdout);
  std::fflush(stdout);
}

}  // namespace

std::unique_ptr<CursesBrowser> CursesBrowser::Open() {
  if (newterm(nullptr, stdout, stdin) == nullptr) return nullptr;
  cbreak();
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  set_escdelay(25);
  curs_set(0);
  mousemask(BUTTON1_CLICKED | BUTTON4_PRESSED | BUTTON5_PRESSED, nullptr);
  const char* no_colour = std::getenv("NO_COLOR");
  const bool colour = has_colors() && (no_colour == nullptr || *no_colour == '\0');
  if (colour) {
    start_color();
    use_default_colors();
    for (size_t token = 1; token < std::size(kTokenColours); ++token)
      init_pair(kPairOf[token], kTokenColours[token], -1);
  }
  return std::unique_ptr<CursesBrowser>(new CursesBrowser(std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0, colour));
}

CursesBrowser::~CursesBrowser() { endwin(); }

void CursesBrowser::Draw(Browser& browser) {
  erase();
  const BrowseLayout layout = LayOut(browser);
  if (!layout.fits) {
    PutCells(false, 0, 0, COLS, "vek browse: too small", A_BOLD);
    refresh();
    return;
  }
  browser.SetPageRows(layout.packets.rows, layout.snippets.rows, layout.text.rows);
  if (browser.help_shown()) {
    DrawHelp(utf8_);
  } else {
    DrawList(utf8_, layout.packets, "Packets", browser.PacketRows(), browser.packet_list(),
             browser.focus() == Pane::kPackets);
    mvvline(0, layout.packets.width, ACS_VLINE, layout.status_row);
    DrawList(utf8_, layout.snippets, browser.SnippetsTitle(), browser.SnippetRows(), browser.snippet_list(),
             browser.focus() == Pane::kSnippets);
    DrawText(utf8_, colour_, layout.text, browser);
  }
  // The last cell of the screen is left alone: writing it would scroll some terminals.
  PutCells(utf8_, layout.status_row, 0, COLS - 1, StatusText(browser, COLS), A_REVERSE);
  refresh();
}

bool CursesBrowser::Read(Browser& browser) {
  errno = 0;
  wint_t got = 0;
  const int kind = get_wch(&got);
  if (kind == ERR) return errno == EINTR && ++interruptions_ < kMostInterruptions;
  interruptions_ = 0;
  const auto key = [&](Key::Kind kind) {
    const Action action = browser.HandleKey(Key{kind, 0});
    if (action.kind == Action::kCopy) Copy(action.text);
    return action.kind != Action::kQuit;
  };
  if (kind == KEY_CODE_YES) {
    switch (got) {
      case KEY_UP: return key(Key::kUp);
      case KEY_DOWN: return key(Key::kDown);
      case KEY_PPAGE: return key(Key::kPageUp);
      case KEY_NPAGE: return key(Key::kPageDown);
      case KEY_HOME: return key(Key::kHome);
      case KEY_END: return key(Key::kEnd);
      case KEY_ENTER: return key(Key::kEnter);
      case KEY_LEFT: return key(Key::kLeft);
      case KEY_RIGHT: return key(Key::kRight);
      case KEY_BACKSPACE: return key(Key::kBackspace);
      case KEY_BTAB: return key(Key::kBackTab);
      case KEY_MOUSE: {
        MEVENT event;
        const BrowseLayout layout = LayOut(browser);
        if (getmouse(&event) != OK || !layout.fits) return true;
        for (const auto& [pane, box] : {std::pair{Pane::kPackets, layout.packets},
                                        {Pane::kSnippets, layout.snippets},
                                        {Pane::kCode, layout.text}}) {
          if (event.x < box.x || event.x >= box.x + box.width || event.y < box.top || event.y >= box.top + box.rows) {
            continue;
          }
          if (event.bstate & BUTTON4_PRESSED) {
            browser.Wheel(pane, -kWheelRows);
          } else if (event.bstate & BUTTON5_PRESSED) {
            browser.Wheel(pane, kWheelRows);
          } else {
            browser.Click(pane, event.y - box.top);
          }
        }
        return true;
      }
      default: return true;  // a resize among them: the next Draw fits the new size
    }
  }
  switch (got) {
    case '\t': return key(Key::kTab);
    case '\r':
    case '\n': return key(Key::kEnter);
    case 27: return key(Key::kEscape);
    case 127:
    case 8: return key(Key::kBackspace);
    default: break;
  }
  if (got < 0x20 || got > 0x7E) return true;  // typed text is ASCII
  const Action action = browser.HandleKey(Key{Key::kCharacter, static_cast<char>(got)});
  if (action.kind == Action::kCopy) Copy(action.text);
  return action.kind != Action::kQuit;
}

}  // namespace vek
