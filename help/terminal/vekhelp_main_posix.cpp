// VekHelp in a terminal: the viewer's four areas drawn with ncurses. The arguments, joined by
// blanks, name the first topic as the Windows program's command line does.
#include <string>
#include <vector>

#include "command_line.h"
#include "terminal/curses_screen_posix.h"
#include "terminal/terminal_view.h"
#include "viewer.h"

int main(int argc, char** argv) {
  using namespace vekhelp;
  TerminalView view;
  Viewer viewer(HelpFile(), view);
  viewer.Start(FirstTopic(JoinArguments(std::vector<std::string>(argv + 1, argv + argc))));

  CursesScreen screen;
  for (;;) {
    screen.Draw(view);
    const std::optional<Key> key = screen.ReadKey();
    if (!key) continue;
    const Request request = view.HandleKey(*key, screen.page_rows());
    switch (request.kind) {
      case Request::kNothing: break;
      case Request::kSearch: viewer.Search(request.text); break;
      case Request::kOpenContents: viewer.OpenContentsEntry(request.text); break;
      case Request::kOpenSeeAlso: viewer.OpenSeeAlsoEntry(request.text); break;
      case Request::kExit: return 0;
    }
  }
}
