#ifndef VEKHELP_TERMINAL_CURSES_SCREEN_POSIX_H_
#define VEKHELP_TERMINAL_CURSES_SCREEN_POSIX_H_

#include <cstddef>
#include <optional>

#include "terminal/terminal_view.h"

namespace vekhelp {

// The terminal under ncurses: taken over on construction, given back on destruction.
class CursesScreen {
 public:
  CursesScreen();
  ~CursesScreen();
  CursesScreen(const CursesScreen&) = delete;
  CursesScreen& operator=(const CursesScreen&) = delete;

  // Draws the whole screen from the view; keeps the view's scroll positions in range.
  void Draw(TerminalView& view);
  // Waits for a key; nothing for keys that mean nothing here (a resize among them).
  std::optional<Key> ReadKey();
  // Rows of the list and text areas, for Page Up and Page Down.
  size_t page_rows() const;
};

}  // namespace vekhelp

#endif  // VEKHELP_TERMINAL_CURSES_SCREEN_POSIX_H_
