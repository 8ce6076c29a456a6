#include "browse/browse_command.h"
#include "failure.h"

namespace vek {

// Debian has no curses for MinGW: the Windows vek has no full-screen terminal to draw on.
int RunBrowse(const BrowseOptions&) {
  UsageFail(
      "browse needs a terminal that this Windows vek does not have (it is built for Linux); "
      "vek list, show and search work here");
}

}  // namespace vek
