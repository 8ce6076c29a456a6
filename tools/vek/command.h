#ifndef OLDVEK_TOOLS_VEK_COMMAND_H_
#define OLDVEK_TOOLS_VEK_COMMAND_H_

#include <string>
#include <vector>

namespace vek {

using Arguments = std::vector<std::string>;

// A subcommand: its arguments (after the subcommand's name) in, an exit status out.
struct Command {
  const char* name;
  const char* usage;    // arguments, as shown by "vek help"
  const char* summary;  // one line
  int (*run)(const Arguments& arguments);
};

// Every subcommand, in the order "vek help" lists them.
const std::vector<Command>& Commands();

// A folder as the library takes it: with its trailing separator.
std::string AsFolder(std::string folder);

// Base names of the packets in a folder (its ".IDX" files), sorted.
std::vector<std::string> PacketsIn(const std::string& folder);

// Prints "vek: <message>" to standard error and returns the exit status for a failure.
int Fail(const std::string& message);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_COMMAND_H_
