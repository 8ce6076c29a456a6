#include "packets/open_packet.h"

namespace oldvek {
namespace {

struct HowOpened {
  OpenOptions index;
  OpenOptions packet;
  bool read_only_fallback;
};

HowOpened Options(PacketOpen how) {
  constexpr OpenOptions kReadOnly{Access::kRead, Share::kShared, Disposition::kOpenExisting};
  constexpr OpenOptions kShared{Access::kReadWrite, Share::kShared, Disposition::kOpenOrCreate};
  constexpr OpenOptions kSharedExisting{Access::kReadWrite, Share::kShared, Disposition::kOpenExisting};
  constexpr OpenOptions kAlone{Access::kReadWrite, Share::kExclusive, Disposition::kOpenOrCreate};
  constexpr OpenOptions kAloneExisting{Access::kReadWrite, Share::kExclusive, Disposition::kOpenExisting};
  switch (how) {
    case PacketOpen::kRead: return {kReadOnly, kReadOnly, false};
    case PacketOpen::kList: return {kShared, kShared, true};
    case PacketOpen::kMark: return {kSharedExisting, kShared, true};
    case PacketOpen::kExtract: return {kAloneExisting, kAlone, true};
    case PacketOpen::kRebuild: return {kShared, kShared, false};
    case PacketOpen::kEdit: return {kAlone, kAlone, false};
  }
  return {kReadOnly, kReadOnly, false};
}

// Opens `path` as `options` asks; a reader on a medium that refuses writing opens the existing
// file for reading instead. `writable` tells which it was.
Result<std::unique_ptr<File>> OpenFile(FileSystem& file_system, const std::string& path, OpenOptions options,
                                       bool fallback, bool& writable) {
  Result<std::unique_ptr<File>> file = file_system.Open(path, options);
  if (!fallback || file.ok() || file.status().kind() != Status::Kind::kWriteRefused) return file;
  writable = false;
  return file_system.Open(path, {Access::kRead, options.share, Disposition::kOpenExisting});
}

Result<OpenPacket> OpenIndexFile(FileSystem& file_system, const PacketFiles& files, const HowOpened& how) {
  OpenPacket open;
  OLDVEK_ASSIGN_OR_RETURN(open.index,
                          OpenFile(file_system, files.index, how.index, how.read_only_fallback, open.writable));
  OLDVEK_ASSIGN_OR_RETURN(open.index_length, open.index->Size());
  return open;
}

Status OpenPacketFile(FileSystem& file_system, const PacketFiles& files, const HowOpened& how, OpenPacket& open) {
  OLDVEK_ASSIGN_OR_RETURN(open.packet,
                          OpenFile(file_system, files.packet, how.packet, how.read_only_fallback, open.writable));
  OLDVEK_ASSIGN_OR_RETURN(open.packet_length, open.packet->Size());
  return Status::Ok();
}

}  // namespace

Result<OpenPacket> OpenPacket::Open(FileSystem& file_system, const PacketFiles& files, PacketOpen how) {
  const HowOpened options = Options(how);
  Result<OpenPacket> open = OpenIndexFile(file_system, files, options);
  if (!open.ok()) return open;
  OLDVEK_RETURN_IF_ERROR(OpenPacketFile(file_system, files, options, *open));
  return open;
}

Result<OpenPacket> OpenPacket::OpenIndex(FileSystem& file_system, const PacketFiles& files, PacketOpen how) {
  return OpenIndexFile(file_system, files, Options(how));
}

Result<OpenPacket> OpenPacket::OpenAt(FileSystem& file_system, const PacketFiles& files, PacketOpen how,
                                      uint64_t record_position, SnippetPlace& place) {
  const HowOpened options = Options(how);
  Result<OpenPacket> open = OpenIndexFile(file_system, files, options);
  if (!open.ok()) return open;
  Result<SnippetPlace> located = open->Locate(record_position);
  if (!located.ok()) return located.status();
  place = *located;
  OLDVEK_RETURN_IF_ERROR(OpenPacketFile(file_system, files, options, *open));
  return open;
}

Result<SnippetPlace> OpenPacket::Locate(uint64_t record_position) const {
  const uint64_t records = record_count();
  if (!IsRecordPosition(record_position, records)) return NoRecordAt(record_position, index->path());
  SnippetPlace place;
  OLDVEK_RETURN_IF_ERROR(ReadAtPosition(*index, record_position, place.record.bytes()));
  // Only a whole following record marks where the body ends; 0 means the end of the packet.
  if (IsRecordPosition(record_position + kIndexRecordSize, records)) {
    IndexRecord next;
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(*index, record_position + kIndexRecordSize, next.bytes()));
    place.next_start = next.start();
  }
  return place;
}

BodyBounds SnippetBody(const SnippetPlace& place, uint64_t packet_length) {
  const uint64_t start = place.record.start();
  if (start == 0) return {};
  return {start + kHeaderSize, BodyEnd(place.next_start, packet_length)};
}

Status OpenPacket::Close() {
  if (packet != nullptr) OLDVEK_RETURN_IF_ERROR(packet->Close());
  return index->Close();
}

}  // namespace oldvek
