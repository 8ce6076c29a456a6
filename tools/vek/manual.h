#ifndef OLDVEK_TOOLS_VEK_MANUAL_H_
#define OLDVEK_TOOLS_VEK_MANUAL_H_

#include <CLI/CLI.hpp>
#include <string>

namespace vek {

// The manual page vek.1 (roff), made from the same commands, options and texts that --help
// shows, with the sections --help has no room for.
std::string ManualPage(CLI::App& app);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_MANUAL_H_
