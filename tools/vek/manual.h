#ifndef OLDVEK_TOOLS_VEK_MANUAL_H_
#define OLDVEK_TOOLS_VEK_MANUAL_H_

#include <CLI/CLI.hpp>
#include <string>

namespace vek {

// The manual page vek.1 (roff) and the bash completion script, made from the same
// commands, options and texts that --help shows.
std::string ManualPage(CLI::App& app);
std::string BashCompletion(CLI::App& app);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_MANUAL_H_
