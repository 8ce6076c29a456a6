#include <cstdio>

#include "base/text.h"
#include "command.h"
#include "packets/formats.h"
#include "packets/snippet_entry.h"
#include "packets/snippet_reader.h"

namespace vek {
namespace {

void PrintField(const char* name, std::string_view value) {
  const std::string_view trimmed = oldvek::TrimTrailingBlanks(value);
  std::printf("%-8s %.*s\n", name, static_cast<int>(trimmed.size()), trimmed.data());
}

}  // namespace

int RunShow(const Arguments& arguments) {
  if (arguments.size() != 3) return Fail("show: expected FOLDER PACKET RECORD");
  const uint64_t record = oldvek::ReadDecimal(arguments[2]);
  if (record == 0) return Fail("show: the record number counts from 1");
  const std::string folder = AsFolder(arguments[0]);
  const std::string base(oldvek::PacketBaseName(arguments[1]));
  const oldvek::Result<oldvek::SnippetInfo> info = oldvek::RetrieveSnippet(
      oldvek::FileSystem::Default(), folder, base, oldvek::RecordPosition(record), [](std::string_view line) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        return oldvek::Status::Ok();
      });
  if (!info.ok()) return Fail("show: " + info.status().message());
  using oldvek::SnippetHeader;
  std::printf("----\n");
  PrintField("Author", info->header.Field(SnippetHeader::kAuthor));
  PrintField("Subject", info->header.Field(SnippetHeader::kSubject));
  PrintField("Origin", info->header.Field(SnippetHeader::kOrigin));
  PrintField("Date", info->header.Field(SnippetHeader::kDate));
  PrintField("Code", info->header.Field(SnippetHeader::kCode));
  PrintField("Tag", info->tag());
  std::printf("%-8s %s\n", "Kind", info->kind == oldvek::SnippetKind::kAttachment ? "2 (ZORVIT attachment)" : "1");
  return 0;
}

}  // namespace vek
