#include "command.h"

namespace vek {

int RunList(const Arguments& arguments);

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"list", "FOLDER [PACKET...]", "prints the snippet list of the named packets, or of every packet in FOLDER",
       RunList},
  };
  return commands;
}

}  // namespace vek
