#include <cstdio>

#include "archive.h"
#include "base/text.h"
#include "command.h"
#include "failure.h"
#include "packets/formats.h"
#include "packets/snippet_reader.h"
#include "shown_text.h"
#include "snippet_json.h"

namespace vek {
namespace {

struct ShowOptions {
  std::string folder;
  std::string packet;
  std::string record;
  bool keep_unread = false;
  bool raw = false;
  bool json = false;
};

void PrintField(const char* name, std::string_view value) {
  std::printf("%-8s ", name);
  PrintShown(oldvek::TrimTrailingBlanks(value));
}

int RunShow(const ShowOptions& options) {
  const std::string folder = ExistingFolder(options.folder);
  const std::string base = ExistingPacket(folder, options.packet);
  const uint64_t number = SnippetNumber(options.record, folder, base);
  std::vector<std::string> lines;
  const oldvek::SnippetInfo info = Must(oldvek::RetrieveSnippet(
      Files(), folder, base, oldvek::RecordPosition(number),
      [&](std::string_view line) {
        lines.emplace_back(line);
        return oldvek::Status::Ok();
      },
      options.keep_unread ? oldvek::MarkRead::kNo : oldvek::MarkRead::kYes));
  const bool attachment = info.kind == oldvek::SnippetKind::kAttachment;
  if (options.json) {
    oldvek::IndexRecord record = ReadSnippets(folder, base)[number - 1].record;
    nlohmann::json document = SnippetJson(base, number, record, info.header);
    document["kind"] = attachment ? 2 : 1;
    document["lines"] = nlohmann::json::array();
    for (const std::string& line : lines) document["lines"].push_back(Text(line));
    PrintJson(document);
    return kDone;
  }
  if (options.raw) {
    for (const std::string& line : lines) {
      std::fwrite(line.data(), 1, line.size(), stdout);
      std::fputc('\n', stdout);
    }
    return kDone;
  }
  for (const std::string& line : lines) PrintShown(line);
  using oldvek::SnippetHeader;
  std::printf("----\n");
  PrintField("Author", info.header.Field(SnippetHeader::kAuthor));
  PrintField("Subject", info.header.Field(SnippetHeader::kSubject));
  PrintField("Origin", info.header.Field(SnippetHeader::kOrigin));
  PrintField("Date", info.header.Field(SnippetHeader::kDate));
  PrintField("Code", info.header.Field(SnippetHeader::kCode));
  PrintField("Tag", info.tag());
  std::printf("%-8s %s\n", "Kind", attachment ? "2 (ZORVIT attachment)" : "1");
  return kDone;
}

}  // namespace

void AddShowCommand(CLI::App& app) {
  auto options = std::make_shared<ShowOptions>();
  CLI::App* command =
      app.add_subcommand("show", "print the code lines of snippet RECORD (from 1), then its header; marks it as read");
  command->add_option("FOLDER", options->folder, "the archive folder")->required();
  command->add_option("PACKET", options->packet, "the packet (any letter case)")->required();
  command->add_option("RECORD", options->record, "the snippet's number in the packet, from 1")->required();
  command->add_flag("--keep-unread", options->keep_unread, "leave the read mark as it is");
  CLI::Option* raw = command->add_flag(
      "--raw", options->raw, "print the code lines alone, as the bytes stored (no conversion from the archive's encoding)");
  AddJson(*command, options->json);
  command->get_option("--json")->excludes(raw);
  SetAction(*command, [options] { return RunShow(*options); });
}

}  // namespace vek
