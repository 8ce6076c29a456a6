#ifndef VEKHELP_TERMINAL_CURSES_SCREEN_POSIX_H_
#define VEKHELP_TERMINAL_CURSES_SCREEN_POSIX_H_

#include <memory>

#include "terminal/terminal_view.h"

namespace vekhelp {

// The terminal under ncurses: taken over by Open, given back on destruction.
class CursesScreen {
 public:
  // Takes over the terminal on stdin and stdout; nothing when there is none that ncurses can
  // drive. Call setlocale first: characters beyond ASCII are drawn only in a UTF-8 locale.
  static std::unique_ptr<CursesScreen> Open();
  ~CursesScreen();
  CursesScreen(const CursesScreen&) = delete;
  CursesScreen& operator=(const CursesScreen&) = delete;

  // Draws the whole screen from the view; keeps the view's scroll positions in range.
  void Draw(TerminalView& view);
  // Waits for a key or a mouse click and hands it to the view; a resize asks for nothing (the
  // next Draw fits the new size), and a terminal that has gone away asks to exit.
  Request Read(TerminalView& view);

 private:
  explicit CursesScreen(bool utf8) : utf8_(utf8) {}
  bool utf8_;
  int interruptions_ = 0;
};

}  // namespace vekhelp

#endif  // VEKHELP_TERMINAL_CURSES_SCREEN_POSIX_H_
