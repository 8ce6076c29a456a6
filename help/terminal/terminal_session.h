#ifndef VEKHELP_TERMINAL_TERMINAL_SESSION_H_
#define VEKHELP_TERMINAL_TERMINAL_SESSION_H_

#include <string>
#include <string_view>
#include <vector>

#include "help_file.h"
#include "terminal/terminal_view.h"
#include "viewer.h"

namespace vekhelp {

// What the terminal adds to the viewer: a topic named without its angle brackets, the way back
// through the topics shown, the next topic found, the searched text marked, and a status line
// that says what each request came to.
class TerminalSession {
 public:
  TerminalSession(const HelpFile& file, TerminalView& view) : file_(file), view_(view), viewer_(file, view) {}

  // Shows the topic named by the command line's argument text (see TopicHeader).
  void Start(std::string_view argument_text);
  // Carries out a request; false when the viewer is to exit.
  bool Handle(const Request& request);

 private:
  void Opened(const std::string& header);
  void Back();
  void NextFound();
  void Search(const std::string& text);
  // Whether the viewer's last load was `header` (a topic that is not found leaves it as it was).
  bool Shows(std::string_view header) const;
  bool FileReadable() const;

  HelpFile file_;
  TerminalView& view_;
  Viewer viewer_;
  std::vector<std::string> history_;  // the headers of the topics shown, the current one last
  std::vector<std::string> found_;    // the headers the last search found
};

// The header of the first topic: the argument text as the Windows viewer reads it (quotes
// dropped, "<INTRODUCTION>" when empty). A name without angle brackets is bracketed: as typed
// when the file has that topic, else the first header that matches it in any letter case,
// else upper-cased (a topic not found).
std::string TopicHeader(const HelpFile& file, std::string_view argument_text);

}  // namespace vekhelp

#endif  // VEKHELP_TERMINAL_TERMINAL_SESSION_H_
