#include "editing/header_update.h"

#include <functional>
#include <utility>

#include "base/text.h"
#include "packets/formats.h"
#include "packets/open_packet.h"
#include "packets/packet_commit.h"
#include "packets/packet_lock.h"

namespace oldvek {
namespace {

// The new fields, made from the header as it stands.
using FieldsFrom = std::function<HeaderFields(const SnippetHeader& current)>;

Status RewriteHeader(FileSystem& file_system, std::string_view folder, const PacketName& base, uint64_t record_position,
                     const FieldsFrom& fields_from) {
  OLDVEK_ASSIGN_OR_RETURN(PacketLock lock, PacketLock::Take(file_system, folder, base, PacketAccess::kEdit));
  const PacketFiles files(folder, base);
  OLDVEK_ASSIGN_OR_RETURN(OpenPacket open, OpenPacket::Open(file_system, files, PacketOpen::kEdit));
  File& index = *open.index;
  File& packet = *open.packet;
  if (!IsRecordPosition(record_position, open.record_count())) return NoRecordAt(record_position, files.index);
  IndexRecord record;
  OLDVEK_RETURN_IF_ERROR(ReadAtPosition(index, record_position, record.bytes()));
  const uint64_t start = record.start();
  const uint64_t packet_length = open.packet_length;
  if (start == 0 || start > packet_length || packet_length - (start - 1) < kHeaderSize) {
    return Status::Error(files.packet + " has no snippet header at position " + DecimalText(start) +
                         " (index record at " + DecimalText(record_position) + ")");
  }
  SnippetHeader header;
  OLDVEK_RETURN_IF_ERROR(ReadAtPosition(packet, start, header.bytes()));
  const HeaderFields fields = fields_from(header);

  record.SetField(IndexRecord::kSubject, fields.subject);
  record.SetField(IndexRecord::kAuthor, fields.author);
  header.SetField(SnippetHeader::kAuthor, fields.author);
  header.SetField(SnippetHeader::kSubject, fields.subject);
  header.SetField(SnippetHeader::kOrigin, fields.origin);
  header.SetField(SnippetHeader::kDate, fields.date);
  header.SetField(SnippetHeader::kCode, fields.code);

  Commit commit;
  commit.patches = {
      Patch::Write(PacketPart::kIndex, record_position, std::string(record.bytes().data(), kIndexRecordSize)),
      Patch::Write(PacketPart::kPacket, start, std::string(header.bytes().data(), kHeaderSize))};
  OLDVEK_ASSIGN_OR_RETURN(CommitMark mark, CommitMark::Write(file_system, files, commit));
  // From here a failure leaves the mark, and the next operation writes both blocks again.
  OLDVEK_RETURN_IF_ERROR(ApplyPatches(commit.patches, packet, index));
  OLDVEK_RETURN_IF_ERROR(index.Sync());
  OLDVEK_RETURN_IF_ERROR(packet.Sync());
  OLDVEK_RETURN_IF_ERROR(mark.Remove());
  return open.Close();
}

}  // namespace

Status UpdateHeader(FileSystem& file_system, std::string_view folder, const PacketName& base, uint64_t record_position,
                    const HeaderFields& fields) {
  return RewriteHeader(file_system, folder, base, record_position, [&](const SnippetHeader&) { return fields; });
}

Status CheckFieldText(std::string_view field, std::string_view text) {
  constexpr std::string_view kBreaking("~\r\n\0", 4);
  const size_t at = text.find_first_of(kBreaking);
  if (at == std::string_view::npos) return Status::Ok();
  static constexpr const char* kNames[] = {"\"~\"", "a carriage return", "a line feed", "a NUL byte"};
  return Status::Error(std::string(field) + " holds " + kNames[kBreaking.find(text[at])] +
                       ", which would split the snippet's list entry");
}

Status ChangeHeaderFields(FileSystem& file_system, std::string_view folder, const PacketName& base,
                          uint64_t record_position, const FieldChanges& changes) {
  if (changes.empty()) return Status::Error("no header field to change");
  const std::pair<const char*, const std::optional<std::string>*> given[] = {{"the author", &changes.author},
                                                                             {"the subject", &changes.subject},
                                                                             {"the origin", &changes.origin},
                                                                             {"the date", &changes.date},
                                                                             {"the code", &changes.code}};
  for (const auto& [name, text] : given) {
    if (*text) OLDVEK_RETURN_IF_ERROR(CheckFieldText(name, **text));
  }
  return RewriteHeader(file_system, folder, base, record_position, [&](const SnippetHeader& current) {
    const auto keep = [&](const std::optional<std::string>& text, FieldSpan span) {
      return text ? *text : std::string(current.Field(span));
    };
    return HeaderFields{keep(changes.author, SnippetHeader::kAuthor), keep(changes.subject, SnippetHeader::kSubject),
                        keep(changes.origin, SnippetHeader::kOrigin), keep(changes.date, SnippetHeader::kDate),
                        keep(changes.code, SnippetHeader::kCode)};
  });
}

}  // namespace oldvek
