#ifndef OLDVEK_TOOLS_VEK_BROWSE_BROWSE_COMMAND_H_
#define OLDVEK_TOOLS_VEK_BROWSE_BROWSE_COMMAND_H_

#include <string>

namespace vek {

struct BrowseOptions {
  std::string folder;
  std::string packet;  // opened first; none: the packet list has the focus
  bool mark_read = false;
};

// Runs the reader on the terminal; its exit status.
int RunBrowse(const BrowseOptions& options);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_BROWSE_BROWSE_COMMAND_H_
