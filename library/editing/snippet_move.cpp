#include "editing/snippet_move.h"

#include <optional>

#include "base/text.h"
#include "editing/snippet_append.h"
#include "editing/snippet_deletion.h"
#include "packets/body_reader.h"
#include "packets/formats.h"
#include "packets/packet_commit.h"
#include "packets/packet_files.h"

namespace oldvek {
namespace {

// A snippet as its record, its header and the positions its body runs between.
struct SnippetSpan {
  IndexRecord record;
  SnippetHeader header;
  uint64_t body_begin = 0;
  uint64_t body_end = 0;  // excluded
};

Result<SnippetSpan> ReadSnippetSpan(OpenPacket& files, uint64_t record_position) {
  Result<uint64_t> index_length = files.index->Size();
  if (!index_length.ok()) return index_length.status();
  const uint64_t count = RecordCount(*index_length);
  if (!IsRecordPosition(record_position, count)) {
    return Status::Error(files.index->path() + " has no record at position " + DecimalText(record_position));
  }
  SnippetSpan span;
  OLDVEK_RETURN_IF_ERROR(ReadAtPosition(*files.index, record_position, span.record.bytes()));
  const uint64_t start = span.record.start();
  OLDVEK_RETURN_IF_ERROR(ReadAtPosition(*files.packet, start, span.header.bytes()));
  if (start == 0) return span;  // names no snippet: a header of 0x00 bytes and no lines
  Result<uint64_t> packet_length = files.packet->Size();
  if (!packet_length.ok()) return packet_length.status();
  span.body_begin = start + kHeaderSize;
  span.body_end = *packet_length + 1;
  if (IsRecordPosition(record_position + kIndexRecordSize, count)) {
    IndexRecord following;
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(*files.index, record_position + kIndexRecordSize, following.bytes()));
    span.body_end = following.start();
  }
  return span;
}

// Appends the snippet to the destination, its code lines read from the source packet.
Result<uint64_t> AppendCopy(FileSystem& file_system, const PacketFiles& to, OpenPacket& destination,
                            const SnippetSpan& snippet, File& source_packet) {
  return AppendUnderMark(file_system, to, destination, snippet.record, snippet.header, [&](BufferedWriter& out) {
    if (snippet.body_begin == 0) return Status::Ok();
    return ReadBodyLines(source_packet, snippet.body_begin, snippet.body_end, [&](std::string_view line) {
      out.Write(line);
      out.Put(kLineEnd);
      return out.status();
    });
  });
}

}  // namespace

Result<uint64_t> MoveSnippet(FileSystem& file_system, std::string_view folder, std::string_view source,
                             uint64_t record_position, std::string_view destination) {
  const bool same_packet = source == destination;
  OLDVEK_RETURN_IF_ERROR(SettlePacket(file_system, folder, source));
  if (!same_packet) OLDVEK_RETURN_IF_ERROR(SettlePacket(file_system, folder, destination));
  const PacketFiles from(folder, source);
  const PacketFiles to(folder, destination);

  Result<OpenPacket> source_files = OpenExclusively(file_system, from);
  if (!source_files.ok()) return source_files.status();
  Result<SnippetSpan> snippet = ReadSnippetSpan(*source_files, record_position);
  if (!snippet.ok()) return snippet.status();
  std::optional<Result<OpenPacket>> other_files;
  if (!same_packet) {
    other_files.emplace(OpenExclusively(file_system, to));
    if (!other_files->ok()) return other_files->status();
  }
  OpenPacket& destination_files = same_packet ? *source_files : **other_files;
  Result<uint64_t> count = AppendCopy(file_system, to, destination_files, *snippet, *source_files->packet);
  if (!count.ok()) return count.status();
  if (!same_packet) {
    OLDVEK_RETURN_IF_ERROR(destination_files.packet->Close());
    OLDVEK_RETURN_IF_ERROR(destination_files.index->Close());
  }
  OLDVEK_RETURN_IF_ERROR(source_files->packet->Close());
  OLDVEK_RETURN_IF_ERROR(source_files->index->Close());

  // The snippet is safe in the destination; only now does the source copy go.
  const Status deleted = DeleteSnippet(file_system, folder, source, record_position);
  if (!deleted.ok()) {
    return Status::Error("the snippet was copied to " + to.packet + " but is still in " + from.packet + ": " +
                         deleted.message());
  }
  // Moving within one packet compacts the record away from before the new one.
  return same_packet ? *count : *count + 1;
}

}  // namespace oldvek
