// vek delete, move and retitle: the library's packet editing from the command line. A
// snippet is named by its packet and record number (from 1), as "vek list" shows them.
#include <cstdio>

#include "archive.h"
#include "base/text.h"
#include "command.h"
#include "editing/header_update.h"
#include "editing/snippet_deletion.h"
#include "editing/snippet_move.h"
#include "failure.h"
#include "header_options.h"
#include "packets/formats.h"

namespace vek {
namespace {

struct SnippetOptions {
  std::string folder;
  std::string packet;
  std::string record;
  std::string destination;
  HeaderOptions header;
};

struct SnippetName {
  std::string folder;
  oldvek::PacketName base;
  uint64_t number;
  uint64_t position() const { return oldvek::RecordPosition(number); }
};

SnippetName NameSnippet(const SnippetOptions& options) {
  const std::string folder = ExistingFolder(options.folder);
  const oldvek::PacketName base = ExistingPacket(folder, options.packet);
  WritableFolder(folder);
  return {folder, base, SnippetNumber(options.record, folder, base)};
}

CLI::App* AddSnippetCommand(CLI::App& app, const char* name, const char* description, SnippetOptions& options) {
  CLI::App* command = app.add_subcommand(name, description);
  command->add_option("FOLDER", options.folder, "the archive folder")->required();
  command->add_option("PACKET", options.packet, "the packet (any letter case)")->required();
  command->add_option("RECORD", options.record, "the snippet's number in the packet, from 1")->required();
  return command;
}

int RunDelete(const SnippetOptions& options) {
  const SnippetName snippet = NameSnippet(options);
  Must(oldvek::DeleteSnippet(Files(), snippet.folder, snippet.base, snippet.position()));
  return kDone;
}

int RunMove(const SnippetOptions& options) {
  const SnippetName snippet = NameSnippet(options);
  oldvek::PacketName destination = PacketArgument(options.destination);
  // The same packet named in another letter case is that packet, not a second one.
  if (oldvek::EqualsIgnoringAsciiCase(destination, snippet.base)) destination = snippet.base;
  const uint64_t record =
      Must(oldvek::MoveSnippet(Files(), snippet.folder, snippet.base, snippet.position(), destination));
  std::printf("now record %llu of %s\n", static_cast<unsigned long long>(record), destination.text().c_str());
  return kDone;
}

int RunRetitle(const SnippetOptions& options) {
  const oldvek::FieldChanges changes = options.header.Changes();
  if (changes.empty()) UsageFail("retitle names no field: give --author, --subject, --origin, --date or --code");
  const SnippetName snippet = NameSnippet(options);
  Must(oldvek::ChangeHeaderFields(Files(), snippet.folder, snippet.base, snippet.position(), changes));
  return kDone;
}

}  // namespace

void AddEditCommands(CLI::App& app) {
  auto remove = std::make_shared<SnippetOptions>();
  SetAction(*AddSnippetCommand(app, "delete", "remove a snippet, rebuilding its packet", *remove),
            [remove] { return RunDelete(*remove); });

  auto move = std::make_shared<SnippetOptions>();
  CLI::App* move_command = AddSnippetCommand(
      app, "move", "move a snippet to the end of packet DESTINATION of the same folder (created if missing)", *move);
  move_command->add_option("DESTINATION", move->destination, "the packet that receives the snippet")->required();
  SetAction(*move_command, [move] { return RunMove(*move); });

  auto retitle = std::make_shared<SnippetOptions>();
  CLI::App* retitle_command =
      AddSnippetCommand(app, "retitle", "rewrite a snippet's header fields in place; fields not given stay", *retitle);
  retitle->header.AddTo(*retitle_command);
  SetAction(*retitle_command, [retitle] { return RunRetitle(*retitle); });
}

}  // namespace vek
