#include "editing/snippet_append.h"

#include "packets/packet_lock.h"

namespace oldvek {
namespace {

// How to take an append back: the bytes of a partial record that the new record covers are
// put back, and both files are cut to their old lengths.
Result<Commit> AppendUndo(OpenPacket& packet, uint64_t slot, uint64_t index_length, uint64_t packet_length) {
  Commit undo;
  if (index_length > slot - 1) {
    std::string covered(index_length - (slot - 1), '\0');
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(*packet.index, slot, covered));
    undo.patches.push_back(Patch::Write(PacketPart::kIndex, slot, std::move(covered)));
  }
  undo.patches.push_back(Patch::Cut(PacketPart::kIndex, index_length));
  undo.patches.push_back(Patch::Cut(PacketPart::kPacket, packet_length));
  return undo;
}

Status Undo(const Commit& undo, OpenPacket& packet, CommitMark& mark) {
  OLDVEK_RETURN_IF_ERROR(ApplyPatches(undo.patches, *packet.packet, *packet.index));
  OLDVEK_RETURN_IF_ERROR(packet.index->Sync());
  OLDVEK_RETURN_IF_ERROR(packet.packet->Sync());
  return mark.Remove();
}

Status WriteSnippet(OpenPacket& packet, uint64_t slot, IndexRecord& record, const SnippetHeader& header,
                    const BodyWriter& body) {
  OLDVEK_RETURN_IF_ERROR(WriteAtPosition(*packet.index, slot, record.bytes()));
  BufferedWriter out(*packet.packet);
  out.Write({header.bytes().data(), kHeaderSize});
  OLDVEK_RETURN_IF_ERROR(body(out));
  OLDVEK_RETURN_IF_ERROR(out.Flush());
  OLDVEK_RETURN_IF_ERROR(packet.index->Sync());
  return packet.packet->Sync();
}

}  // namespace

Result<Appended> AppendUnderMark(FileSystem& file_system, const PacketFiles& files, OpenPacket& packet,
                                 IndexRecord record, const SnippetHeader& header, const BodyWriter& body,
                                 std::optional<MoveLink> link) {
  // The new record follows the last whole one: a partial record after it is covered.
  const uint64_t count = packet.record_count();
  const uint64_t slot = RecordPosition(count + 1);

  OLDVEK_ASSIGN_OR_RETURN(Commit undo, AppendUndo(packet, slot, packet.index_length, packet.packet_length));
  undo.move = std::move(link);
  OLDVEK_ASSIGN_OR_RETURN(CommitMark mark, CommitMark::Write(file_system, files, undo));
  record.set_start(packet.packet_length + 1);
  const Status appended = WriteSnippet(packet, slot, record, header, body);
  if (!appended.ok()) {
    (void)Undo(undo, packet, mark);  // when this fails too, the mark stays for the next operation
    return appended;
  }
  if (undo.move) return Appended{count, std::move(mark)};
  // Should the mark stay, the next operation takes the append back: so its removal is on the disk
  // before the append is reported done, or a power cut could bring it back.
  OLDVEK_RETURN_IF_ERROR(mark.Remove());
  OLDVEK_RETURN_IF_ERROR(file_system.FlushFolderOf(files.mark));
  return Appended{count, std::nullopt};
}

Result<uint64_t> AppendNewSnippet(FileSystem& file_system, std::string_view folder, const PacketName& base,
                                  const SnippetHeader& header, std::span<const std::string> code_lines) {
  const PacketFiles files(folder, base);
  // Both files must be there: an append never creates a packet.
  if (!file_system.Exists(files.index)) return Status::Error("cannot open " + files.index + ": no such file");
  if (!file_system.Exists(files.packet)) return Status::Error("cannot open " + files.packet + ": no such file");
  OLDVEK_ASSIGN_OR_RETURN(PacketLock lock, PacketLock::Take(file_system, folder, base, PacketAccess::kEdit));
  OLDVEK_ASSIGN_OR_RETURN(OpenPacket packet, OpenPacket::Open(file_system, files, PacketOpen::kEdit));
  IndexRecord record;
  record.SetField({0, kIndexRecordSize}, "");
  record.set_flag('*');
  record.SetField(IndexRecord::kSubject, header.Field(SnippetHeader::kSubject));
  record.SetField(IndexRecord::kAuthor, header.Field(SnippetHeader::kAuthor));
  Result<Appended> appended = AppendUnderMark(file_system, files, packet, record, header, [&](BufferedWriter& out) {
    for (const std::string& line : code_lines) {
      out.Write(line);
      out.Put(kLineEnd);
    }
    return out.status();
  });
  if (!appended.ok()) return appended.status();
  OLDVEK_RETURN_IF_ERROR(packet.Close());
  return appended->count + 1;
}

}  // namespace oldvek
