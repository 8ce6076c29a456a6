#include "editing/snippet_deletion.h"

#include "editing/packet_rebuild.h"
#include "packets/body_reader.h"
#include "packets/formats.h"
#include "packets/index_reader.h"
#include "packets/packet_commit.h"
#include "packets/packet_files.h"
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
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> packet, file_system.Open(files.packet, kSharedPacketOpen));
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> index, file_system.Open(files.index, kSharedPacketOpen));
  OLDVEK_ASSIGN_OR_RETURN(uint64_t index_length, index->Size());
  IndexReader records(*index, RecordCount(index_length));
  // A position that is not where a record begins names no snippet: deleting "the record it
  // falls in" would remove a snippet the caller never named.
  if (!IsRecordPosition(record_position, records.record_count())) {
    return NoRecordAt(record_position, files.index);
  }
  // The old packet is read front to back, a header and a body at a time.
  ReadAheadFile old_packet(*packet);
  OLDVEK_ASSIGN_OR_RETURN(uint64_t packet_length, old_packet.Size());

  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<PacketRebuild> rebuild, PacketRebuild::Begin(file_system, files));
  BufferedWriter& new_packet = rebuild->packet();
  BufferedWriter& new_index = rebuild->index();

  const uint64_t deleted = (record_position - 1) / kIndexRecordSize + 1;
  uint64_t written = 1;  // where the next snippet starts in the new packet
  IndexRecord following;
  SnippetHeader header;
  // Writes record `k` and its snippet at the end of the new files.
  const auto copy = [&](uint64_t k, IndexRecord record) -> Status {
    const uint64_t start = record.start();
    uint64_t next_start = 0;
    if (k < records.record_count()) {
      OLDVEK_RETURN_IF_ERROR(records.Read(k + 1, following));
      next_start = following.start();
    }
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(old_packet, start, header.bytes()));
    record.set_start(written);
    new_index.Write({record.bytes().data(), kIndexRecordSize});
    new_packet.Write({header.bytes().data(), kHeaderSize});
    written += kHeaderSize;
    // A Start of 0 names no snippet: its header reads as 0x00 bytes and it has no lines.
    if (start != 0) {
      OLDVEK_ASSIGN_OR_RETURN(uint64_t body, CopyBodyLines(old_packet, start + kHeaderSize,
                                                           BodyEnd(next_start, packet_length), new_packet));
      written += body;
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
  OLDVEK_RETURN_IF_ERROR(rebuild->Commit({packet.get(), index.get()}, removal.link, removal.committed));
  return records.record_count() - (removal.to_end ? 0 : 1);
}

}  // namespace oldvek
