#ifndef OLDVEK_TOOLS_VEK_CLI_OUTLINE_H_
#define OLDVEK_TOOLS_VEK_CLI_OUTLINE_H_

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace vek {

// What the manual and the completions need of vek's command line, read from CLI11's
// definitions so that a new command or option shows in them without further work.
struct OptionOutline {
  std::vector<std::string> names;  // "-c", "--count"
  std::string help;
  std::string default_value;
  std::string environment;  // the variable that gives the value when the option is not typed
  bool takes_value = false;
  bool repeats = false;
  bool global = false;               // accepted before or after the command
  std::vector<std::string> choices;  // from a type name such as "TEXT:{pb,vb,qb}"; "..." left out
};

// What a command's argument names: an archive folder, a packet of that folder, a file, or
// anything else (a number, a search text).
enum class ArgumentKind { kFolder, kPacket, kFile, kOther };

struct PositionalOutline {
  std::string name;  // FOLDER, PACKET, ...
  ArgumentKind kind;
  bool repeats;
};

struct CommandOutline {
  std::string name;
  std::string help;
  std::string usage;  // "vek list [OPTIONS] FOLDER [PACKET...]"
  std::vector<OptionOutline> options;
  std::vector<PositionalOutline> positionals;
};

struct CliOutline {
  std::vector<OptionOutline> global_options;  // accepted before or after the command
  std::vector<CommandOutline> commands;
};

CliOutline Outline(CLI::App& app);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_CLI_OUTLINE_H_
