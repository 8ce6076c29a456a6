#ifndef OLDVEK_TOOLS_VEK_COMPLETIONS_H_
#define OLDVEK_TOOLS_VEK_COMPLETIONS_H_

#include <CLI/CLI.hpp>
#include <string>

namespace vek {

// Completion scripts for bash, zsh and fish, made from the commands and options CLI11 holds:
// commands, options, the values of options that take one of a set, packet names of the folder
// already typed, file and folder names.
std::string BashCompletion(CLI::App& app);
std::string ZshCompletion(CLI::App& app);
std::string FishCompletion(CLI::App& app);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_COMPLETIONS_H_
