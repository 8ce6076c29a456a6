#include "editing/snippet_deletion.h"

#include "editing/packet_rebuild.h"
#include "packets/body_reader.h"
#include "packets/formats.h"
#include "packets/index_reader.h"
#include "packets/packet_commit.h"
#include "packets/packet_files.h"
#include "platform/read_ahead_file.h"

namespace oldvek {

Status DeleteSnippet(FileSystem& file_system, std::string_view folder, std::string_view base,
                     uint64_t record_position) {
  OLDVEK_RETURN_IF_ERROR(SettlePacket(file_system, folder, base));
  const PacketFiles files(folder, base);
  Result<std::unique_ptr<File>> packet = file_system.Open(files.packet, kSharedPacketOpen);
  if (!packet.ok()) return packet.status();
  Result<std::unique_ptr<File>> index = file_system.Open(files.index, kSharedPacketOpen);
  if (!index.ok()) return index.status();
  Result<uint64_t> index_length = (*index)->Size();
  if (!index_length.ok()) return index_length.status();
  IndexReader records(**index, RecordCount(*index_length));
  // Nothing listed: the packet file's bytes, if any, are no snippets of ours to drop.
  if (records.record_count() == 0) return Status::Ok();
  // The old packet is read front to back, a header and a body at a time.
  ReadAheadFile old_packet(**packet);
  Result<uint64_t> packet_length = old_packet.Size();
  if (!packet_length.ok()) return packet_length.status();

  Result<std::unique_ptr<PacketRebuild>> rebuild = PacketRebuild::Begin(file_system, files);
  if (!rebuild.ok()) return rebuild.status();
  BufferedWriter& new_packet = (*rebuild)->packet();
  BufferedWriter& new_index = (*rebuild)->index();

  const uint64_t deleted = DeletedRecordNumber(record_position);
  uint64_t next_start = 1;
  IndexRecord record;
  IndexRecord following;
  SnippetHeader header;
  const LineVisitor copy_line = [&](std::string_view line) {
    new_packet.Write(line);
    new_packet.Put(kLineEnd);
    next_start += line.size() + 1;
    return new_packet.status();
  };
  for (uint64_t k = 1; k <= records.record_count(); ++k) {
    if (k == deleted) continue;
    OLDVEK_RETURN_IF_ERROR(records.Read(k, record));
    const uint64_t start = record.start();
    // A body ends where the next record's snippet starts, the last one at the end of the file.
    uint64_t end = *packet_length + 1;
    if (k < records.record_count()) {
      OLDVEK_RETURN_IF_ERROR(records.Read(k + 1, following));
      end = following.start();
    }
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(old_packet, start, header.bytes()));
    record.set_start(next_start);
    new_index.Write({record.bytes().data(), kIndexRecordSize});
    new_packet.Write({header.bytes().data(), kHeaderSize});
    next_start += kHeaderSize;
    // A Start of 0 names no snippet: its header reads as 0x00 bytes and it has no lines.
    if (start != 0) OLDVEK_RETURN_IF_ERROR(ReadBodyLines(old_packet, start + kHeaderSize, end, copy_line));
    OLDVEK_RETURN_IF_ERROR(new_packet.status());
    OLDVEK_RETURN_IF_ERROR(new_index.status());
  }
  return (*rebuild)->Commit({packet->get(), index->get()});
}

}  // namespace oldvek
