#include "browse/browse_command.h"

#include <memory>

#include "command.h"

namespace vek {

void AddBrowseCommand(CLI::App& app) {
  auto options = std::make_shared<BrowseOptions>();
  CLI::App* command = app.add_subcommand(
      "browse",
      "read the archive in the terminal: packets, their snippets and a snippet's code in three panes; "
      "/ searches every packet, x extracts, y copies the code, ? lists the keys, q quits. "
      "Reading leaves the read marks as they are. Needs a terminal on standard input and output "
      "(exit 2 without one); Linux only");
  command->add_option("FOLDER", options->folder, "the archive folder")->required();
  command->add_option("PACKET", options->packet, "the packet to open first (any letter case)");
  command->add_flag("--mark-read", options->mark_read,
                    "mark each snippet read when its code is shown, as the reader does");
  SetAction(*command, [options] { return RunBrowse(*options); });
}

}  // namespace vek
