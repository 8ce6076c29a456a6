#include "editing/snippet_deletion.h"

#include "editing/packet_rebuild.h"
#include "packets/body_reader.h"
#include "packets/formats.h"
#include "packets/index_reader.h"
#include "packets/open_packet.h"
#include "packets/packet_commit.h"
#include "packets/packet_lock.h"
#include "platform/read_ahead_file.h"

namespace oldvek {

Status DeleteSnippet(FileSystem& file_system, std::string_view folder, const PacketName& base,
                     uint64_t record_position) {
  OLDVEK_ASSIGN_OR_RETURN(PacketLock lock, PacketLock::Take(file_system, folder, base, PacketAccess::kEdit));
  return DeleteFromLockedPacket(file_system, folder, base, record_position).status();
}

Result<uint64_t> DeleteFromLockedPacket(FileSystem& file_system, std::string_view folder, const PacketName& base,
                                        uint64_t record_position, const Removal& removal) {
  const PacketFiles files(folder, base);
  OLDVEK_ASSIGN_OR_RETURN(OpenPacket open, OpenPacket::Open(file_system, files, PacketOpen::kRebuild));
  IndexReader records(*open.index, open.record_count());
  // A position that is not where a record begins names no snippet: deleting "the record it
  // falls in" would remove a snippet the caller never named.
  if (!IsRecordPosition(record_position, records.record_count())) {
    return NoRecordAt(record_position, files.index);
  }
  // The old packet is read front to back, a header and a body at a time.
  ReadAheadFile old_packet(*open.packet);

  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<PacketRebuild> rebuild, PacketRebuild::Begin(file_system, files));
  BufferedWriter& new_packet = rebuild->packet();
  BufferedWriter& new_index = rebuild->index();

  const uint64_t deleted = (record_position - 1) / kIndexRecordSize + 1;
  uint64_t written = 1;  // where the next snippet starts in the new packet
  IndexRecord following;
  SnippetHeader header;
  // Writes record `k` and its snippet at the end of the new files.
  const auto copy = [&](uint64_t k, const IndexRecord& record) -> Status {
    SnippetPlace place{record};
    if (k < records.record_count()) {
      OLDVEK_RETURN_IF_ERROR(records.Read(k + 1, following));
      place.next_start = following.start();
    }
    const BodyBounds body = SnippetBody(place, open.packet_length);
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(old_packet, record.start(), header.bytes()));
    place.record.set_start(written);
    new_index.Write({place.record.bytes().data(), kIndexRecordSize});
    new_packet.Write({header.bytes().data(), kHeaderSize});
    written += kHeaderSize;
    // A Start of 0 names no snippet: its header reads as 0x00 bytes and it has no lines.
    if (body.begin != 0) {
      OLDVEK_ASSIGN_OR_RETURN(uint64_t copied, CopyBodyLines(old_packet, body.begin, body.end, new_packet));
      written += copied;
    }
    OLDVEK_RETURN_IF_ERROR(new_packet.status());
    return new_index.status();
  };
  IndexRecord record;
  for (uint64_t k = 1; k <= records.record_count(); ++k) {
    if (k == deleted) continue;
    OLDVEK_RETURN_IF_ERROR(records.Read(k, record));
    OLDVEK_RETURN_IF_ERROR(copy(k, record));
  }
  if (removal.to_end) {
    OLDVEK_RETURN_IF_ERROR(records.Read(deleted, record));
    OLDVEK_RETURN_IF_ERROR(copy(deleted, record));
  }
  OLDVEK_RETURN_IF_ERROR(rebuild->Commit({open.packet.get(), open.index.get()}, removal.link, removal.committed));
  return records.record_count() - (removal.to_end ? 0 : 1);
}

}  // namespace oldvek
