#include "editing/snippet_move.h"

#include <optional>
#include <random>

#include "base/text.h"
#include "editing/snippet_deletion.h"
#include "packets/body_reader.h"
#include "packets/formats.h"
#include "packets/packet_commit.h"
#include "packets/packet_files.h"
#include "packets/packet_lock.h"
#include "platform/buffered_writer.h"

namespace oldvek {
namespace {

struct OpenPacket {
  std::unique_ptr<File> index;
  std::unique_ptr<File> packet;
};

Result<OpenPacket> OpenExclusively(FileSystem& file_system, const PacketFiles& files) {
  Result<std::unique_ptr<File>> index = file_system.Open(files.index, kExclusivePacketOpen);
  if (!index.ok()) return index.status();
  Result<std::unique_ptr<File>> packet = file_system.Open(files.packet, kExclusivePacketOpen);
  if (!packet.ok()) return packet.status();
  return OpenPacket{std::move(*index), std::move(*packet)};
}

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

// Writes the record at `slot` of the destination index, then the header and the terminated
// code lines at the end of the destination packet, and flushes both.
Status AppendSnippet(SnippetSpan& snippet, File& source_packet, OpenPacket& destination, uint64_t slot,
                     uint64_t new_start) {
  snippet.record.set_start(new_start);
  OLDVEK_RETURN_IF_ERROR(WriteAtPosition(*destination.index, slot, snippet.record.bytes()));
  BufferedWriter out(*destination.packet);
  out.Write({snippet.header.bytes().data(), kHeaderSize});
  if (snippet.body_begin != 0) {
    Result<uint64_t> body = CopyBodyLines(source_packet, snippet.body_begin, snippet.body_end, out);
    if (!body.ok()) return body.status();
  }
  OLDVEK_RETURN_IF_ERROR(out.Flush());
  OLDVEK_RETURN_IF_ERROR(destination.index->Sync());
  return destination.packet->Sync();
}

// How to take an append back: the bytes of a partial record that the new record covers are
// put back, and both files are cut to their old lengths.
Result<Commit> AppendUndo(OpenPacket& destination, uint64_t slot, uint64_t index_length, uint64_t packet_length) {
  Commit undo;
  if (index_length > slot - 1) {
    std::string covered(index_length - (slot - 1), '\0');
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(*destination.index, slot, covered));
    undo.patches.push_back(Patch::Write(PacketPart::kIndex, slot, std::move(covered)));
  }
  undo.patches.push_back(Patch::Cut(PacketPart::kIndex, index_length));
  undo.patches.push_back(Patch::Cut(PacketPart::kPacket, packet_length));
  return undo;
}

Status Undo(const Commit& undo, OpenPacket& destination, CommitMark& mark) {
  OLDVEK_RETURN_IF_ERROR(ApplyPatches(undo.patches, *destination.packet, *destination.index));
  OLDVEK_RETURN_IF_ERROR(destination.index->Sync());
  OLDVEK_RETURN_IF_ERROR(destination.packet->Sync());
  return mark.Remove();
}

struct Appended {
  uint64_t count;                   // whole records the destination held before
  std::optional<CommitMark> undo;   // kept for a move between two packets
};

// Appends the snippet to the destination under a mark that takes the append back should it
// be interrupted; a failed append is taken back at once. A move between two packets keeps the
// mark, linked to the move, until the source's deletion is committed.
Result<Appended> AppendTakingBackOnFailure(FileSystem& file_system, const PacketFiles& to, OpenPacket& destination,
                                           SnippetSpan& snippet, File& source_packet, std::optional<MoveLink> link) {
  Result<uint64_t> index_length = destination.index->Size();
  if (!index_length.ok()) return index_length.status();
  Result<uint64_t> packet_length = destination.packet->Size();
  if (!packet_length.ok()) return packet_length.status();
  // The new record follows the last whole one: a partial record after it is covered.
  const uint64_t count = RecordCount(*index_length);
  const uint64_t slot = RecordPosition(count + 1);

  Result<Commit> undo = AppendUndo(destination, slot, *index_length, *packet_length);
  if (!undo.ok()) return undo.status();
  undo->move = std::move(link);
  Result<CommitMark> mark = CommitMark::Write(file_system, to, *undo);
  if (!mark.ok()) return mark.status();
  const Status appended = AppendSnippet(snippet, source_packet, destination, slot, *packet_length + 1);
  if (!appended.ok()) {
    (void)Undo(*undo, destination, *mark);  // when this fails too, the mark stays for the next operation
    return appended;
  }
  if (undo->move) return Appended{count, std::move(*mark)};
  // Should the mark stay, the next operation takes the append back; the source is untouched.
  OLDVEK_RETURN_IF_ERROR(mark->Remove());
  return Appended{count, std::nullopt};
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
  Result<Appended> appended = AppendTakingBackOnFailure(file_system, to, destination_files, *snippet,
                                                        *source_files->packet, std::move(undo_link));
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
