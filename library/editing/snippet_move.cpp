#include "editing/snippet_move.h"

#include <optional>
#include <random>

#include "base/text.h"
#include "editing/snippet_append.h"
#include "editing/snippet_deletion.h"
#include "packets/body_reader.h"
#include "packets/formats.h"
#include "packets/packet_commit.h"
#include "packets/packet_files.h"
#include "packets/packet_lock.h"

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
    return NoRecordAt(record_position, files.index->path());
  }
  SnippetSpan span;
  OLDVEK_RETURN_IF_ERROR(ReadAtPosition(*files.index, record_position, span.record.bytes()));
  const uint64_t start = span.record.start();
  OLDVEK_RETURN_IF_ERROR(ReadAtPosition(*files.packet, start, span.header.bytes()));
  if (start == 0) return span;  // names no snippet: a header of 0x00 bytes and no lines
  Result<uint64_t> packet_length = files.packet->Size();
  if (!packet_length.ok()) return packet_length.status();
  uint64_t next_start = 0;
  if (IsRecordPosition(record_position + kIndexRecordSize, count)) {
    IndexRecord following;
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(*files.index, record_position + kIndexRecordSize, following.bytes()));
    next_start = following.start();
  }
  span.body_begin = start + kHeaderSize;
  span.body_end = BodyEnd(next_start, *packet_length);
  return span;
}

// Appends the snippet to the destination, its code lines copied from the source packet.
Result<Appended> AppendCopy(FileSystem& file_system, const PacketFiles& to, OpenPacket& destination,
                            const SnippetSpan& snippet, File& source_packet, std::optional<MoveLink> link) {
  const BodyWriter copy = [&](BufferedWriter& out) -> Status {
    if (snippet.body_begin == 0) return Status::Ok();
    return CopyBodyLines(source_packet, snippet.body_begin, snippet.body_end, out).status();
  };
  return AppendUnderMark(file_system, to, destination, snippet.record, snippet.header, copy, std::move(link));
}

std::string MoveId() {
  static std::mt19937 generator{std::random_device{}()};
  return HexText(generator() | 0x10000000u);
}

}  // namespace

Result<uint64_t> MoveSnippet(FileSystem& file_system, std::string_view folder, std::string_view source,
                             uint64_t record_position, std::string_view destination) {
  const bool same_packet = source == destination;
  OLDVEK_RETURN_IF_ERROR(CheckPacketName(source));
  OLDVEK_RETURN_IF_ERROR(CheckPacketName(destination));
  // Both packets are locked for the whole move, in the order of their names, so that two
  // moves between the same two packets cannot each hold one lock and wait for the other.
  const bool source_first = same_packet || source < destination;
  Result<PacketLock> first =
      PacketLock::Take(file_system, folder, source_first ? source : destination, PacketAccess::kEdit);
  if (!first.ok()) return first.status();
  std::optional<Result<PacketLock>> second;
  if (!same_packet) {
    second.emplace(PacketLock::Take(file_system, folder, source_first ? destination : source, PacketAccess::kEdit));
    if (!second->ok()) return second->status();
  }
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
  const std::string id = MoveId();
  std::optional<MoveLink> undo_link;
  if (!same_packet) undo_link = MoveLink{MoveLink::Side::kDestination, id, std::string(source)};
  Result<Appended> appended =
      AppendCopy(file_system, to, destination_files, *snippet, *source_files->packet, std::move(undo_link));
  if (!appended.ok()) return appended.status();
  if (!same_packet) {
    OLDVEK_RETURN_IF_ERROR(destination_files.packet->Close());
    OLDVEK_RETURN_IF_ERROR(destination_files.index->Close());
  }
  OLDVEK_RETURN_IF_ERROR(source_files->packet->Close());
  OLDVEK_RETURN_IF_ERROR(source_files->index->Close());

  if (same_packet) {
    // The snippet is safe at the end; only now does the earlier copy go.
    const Status deleted = DeleteFromLockedPacket(file_system, folder, source, record_position);
    if (!deleted.ok()) return Status::Error("the snippet was copied to the end of " + to.packet + " but its first copy stays: " + deleted.message());
    return appended->count;  // the record compacted away stood before the new one
  }
  // The deletion's mark is the move's commit point: from then on the destination keeps the
  // append, and its undo mark can go.
  bool committed = false;
  const Status deleted = DeleteFromLockedPacket(
      file_system, folder, source, record_position, MoveLink{MoveLink::Side::kSource, id, std::string(destination)},
      [&] {
        committed = true;
        return appended->undo->Remove();
      });
  if (deleted.ok()) return appended->count + 1;
  if (committed) {
    return Status::Error("the move to " + to.packet + " will be completed by the next operation on " + from.packet +
                         ": " + deleted.message());
  }
  // Not committed: the append is taken back now (or, should that fail too, by the next
  // operation on the destination).
  appended->undo->Leave();
  (void)SettlePacket(file_system, folder, destination);
  return Status::Error("nothing was moved: " + deleted.message());
}

}  // namespace oldvek
