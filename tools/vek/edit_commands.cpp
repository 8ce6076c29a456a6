// vek delete, move and retitle: the library's packet editing from the command line. A
// snippet is named by its packet and record number (from 1), as "vek list" shows them.
#include <cstdio>

#include "base/text.h"
#include "command.h"
#include "editing/header_update.h"
#include "editing/snippet_deletion.h"
#include "editing/snippet_move.h"
#include "options.h"
#include "packets/formats.h"
#include "packets/snippet_entry.h"
#include "packets/snippet_reader.h"

namespace vek {
namespace {

struct SnippetName {
  std::string folder;
  std::string base;
  uint64_t record_position = 0;
};

// FOLDER PACKET RECORD, the first three positional arguments.
std::optional<SnippetName> NameSnippet(const Arguments& positional, std::string& error) {
  if (positional.size() < 3) {
    error = "expected FOLDER PACKET RECORD";
    return std::nullopt;
  }
  const uint64_t record = oldvek::ReadDecimal(positional[2]);
  if (record == 0) {
    error = "the record number counts from 1";
    return std::nullopt;
  }
  return SnippetName{AsFolder(positional[0]), std::string(oldvek::PacketBaseName(positional[1])),
                     oldvek::RecordPosition(record)};
}

}  // namespace

int RunDelete(const Arguments& arguments) {
  std::string error;
  const std::optional<SnippetName> snippet = NameSnippet(arguments, error);
  if (!snippet || arguments.size() != 3) return Fail("delete: " + (snippet ? "expected FOLDER PACKET RECORD" : error));
  const oldvek::Status status =
      oldvek::DeleteSnippet(oldvek::FileSystem::Default(), snippet->folder, snippet->base, snippet->record_position);
  return status.ok() ? 0 : Fail("delete: " + status.message());
}

int RunMove(const Arguments& arguments) {
  std::string error;
  const std::optional<SnippetName> snippet = NameSnippet(arguments, error);
  if (!snippet || arguments.size() != 4) return Fail("move: " + (snippet ? "expected FOLDER PACKET RECORD DESTINATION" : error));
  const oldvek::Result<uint64_t> record =
      oldvek::MoveSnippet(oldvek::FileSystem::Default(), snippet->folder, snippet->base, snippet->record_position,
                          oldvek::PacketBaseName(arguments[3]));
  if (!record.ok()) return Fail("move: " + record.status().message());
  std::printf("now record %llu of %s\n", static_cast<unsigned long long>(*record), arguments[3].c_str());
  return 0;
}

int RunRetitle(const Arguments& arguments) {
  std::string error;
  const std::optional<ParsedArguments> parsed =
      ParseArguments(arguments, {"author", "subject", "origin", "date", "code"}, error);
  if (!parsed) return Fail("retitle: " + error);
  const std::optional<SnippetName> snippet = NameSnippet(parsed->positional, error);
  if (!snippet) return Fail("retitle: " + error);
  // Fields not given keep the text they have.
  oldvek::Result<oldvek::SnippetInfo> current = oldvek::RetrieveSnippet(
      oldvek::FileSystem::Default(), snippet->folder, snippet->base, snippet->record_position,
      [](std::string_view) { return oldvek::Status::Ok(); }, oldvek::MarkRead::kNo);
  if (!current.ok()) return Fail("retitle: " + current.status().message());
  using oldvek::SnippetHeader;
  const auto field = [&](const char* name, oldvek::FieldSpan span) {
    return parsed->Option(name).value_or(std::string(oldvek::TrimTrailingBlanks(current->header.Field(span))));
  };
  const oldvek::HeaderFields fields{field("author", SnippetHeader::kAuthor), field("subject", SnippetHeader::kSubject),
                                    field("origin", SnippetHeader::kOrigin), field("date", SnippetHeader::kDate),
                                    field("code", SnippetHeader::kCode)};
  const oldvek::Status status = oldvek::UpdateHeader(oldvek::FileSystem::Default(), snippet->folder, snippet->base,
                                                     snippet->record_position, fields);
  return status.ok() ? 0 : Fail("retitle: " + status.message());
}

}  // namespace vek
