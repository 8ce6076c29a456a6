#include "command.h"

namespace vek {

int RunList(const Arguments& arguments);
int RunEncode(const Arguments& arguments);
int RunShow(const Arguments& arguments);

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"list", "FOLDER [PACKET...]", "prints the snippet list of the named packets, or of every packet in FOLDER",
       RunList},
      {"show", "FOLDER PACKET RECORD",
       "prints the code lines of snippet RECORD (from 1), then its header; marks it as read", RunShow},
      {"encode", "FILE [--dialect pb|vb|qb] [--out NAME.BAS] [--dir FOLDER]",
       "writes FILE as self-extracting ZORVIT BASIC source pages (QBasic/QB/PDS unless told)", RunEncode},
  };
  return commands;
}

}  // namespace vek
