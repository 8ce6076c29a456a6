#ifndef OLDVEK_TOOLS_VEK_OPTIONS_H_
#define OLDVEK_TOOLS_VEK_OPTIONS_H_

#include <map>
#include <optional>
#include <set>
#include <string>

#include "command.h"

namespace vek {

// A subcommand's arguments split into positional ones and "--name value" options.
struct ParsedArguments {
  Arguments positional;
  std::map<std::string, std::string> options;

  std::optional<std::string> Option(const std::string& name) const;
};

// Fails with a message on an option not in `known` or an option without its value.
std::optional<ParsedArguments> ParseArguments(const Arguments& arguments, const std::set<std::string>& known,
                                              std::string& error);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_OPTIONS_H_
