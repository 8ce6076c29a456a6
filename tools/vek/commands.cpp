#include "command.h"

namespace vek {

int RunList(const Arguments& arguments);
int RunEncode(const Arguments& arguments);
int RunShow(const Arguments& arguments);
int RunSearch(const Arguments& arguments);
int RunDelete(const Arguments& arguments);
int RunMove(const Arguments& arguments);
int RunRetitle(const Arguments& arguments);
int RunExtract(const Arguments& arguments);
int RunCde(const Arguments& arguments);

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"list", "FOLDER [PACKET...]", "prints the snippet list of the named packets, or of every packet in FOLDER",
       RunList},
      {"show", "FOLDER PACKET RECORD",
       "prints the code lines of snippet RECORD (from 1), then its header; marks it as read", RunShow},
      {"search", "FOLDER TEXT [--in subject|author|origin|code] [PACKET...]",
       "prints the entries of the snippets whose field holds TEXT (any letter case); exit 1 when none", RunSearch},
      {"delete", "FOLDER PACKET RECORD", "removes a snippet, rebuilding its packet", RunDelete},
      {"move", "FOLDER PACKET RECORD DESTINATION", "moves a snippet to the end of another packet", RunMove},
      {"retitle", "FOLDER PACKET RECORD [--author A] [--subject S] [--origin O] [--date D] [--code C]",
       "rewrites a snippet's header fields in place", RunRetitle},
      {"extract", "FOLDER PACKET RECORD OUT [--mode attachment|text]",
       "decodes a snippet's ZORVIT attachment into OUT, or writes its code as text", RunExtract},
      {"cde", "FOLDER OUT.CDE PACKET... [--lead TEXT] [--header N]",
       "gathers every snippet of the packets into one code file", RunCde},
      {"encode", "FILE [--dialect pb|vb|qb] [--out NAME.BAS] [--dir FOLDER]",
       "writes FILE as self-extracting ZORVIT BASIC source pages (QBasic/QB/PDS unless told)", RunEncode},
  };
  return commands;
}

}  // namespace vek
