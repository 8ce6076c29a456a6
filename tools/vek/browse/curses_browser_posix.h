#ifndef OLDVEK_TOOLS_VEK_BROWSE_CURSES_BROWSER_POSIX_H_
#define OLDVEK_TOOLS_VEK_BROWSE_CURSES_BROWSER_POSIX_H_

#include <memory>

#include "browse/browser.h"

namespace vek {

// The terminal under ncurses, taken over by Open and given back on destruction: draws the
// browser and hands it the keys, clicks and wheel turns.
class CursesBrowser {
 public:
  // Nothing when there is no terminal ncurses can drive. Call setlocale first.
  static std::unique_ptr<CursesBrowser> Open();
  ~CursesBrowser();
  CursesBrowser(const CursesBrowser&) = delete;
  CursesBrowser& operator=(const CursesBrowser&) = delete;

  void Draw(Browser& browser);
  // Waits for a key, a click or a resize and hands it on; false once the reader quits or the
  // terminal has gone away.
  bool Read(Browser& browser);

 private:
  CursesBrowser(bool utf8, bool colour) : utf8_(utf8), colour_(colour) {}

  bool utf8_;
  bool colour_;
  int interruptions_ = 0;
};

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_BROWSE_CURSES_BROWSER_POSIX_H_
