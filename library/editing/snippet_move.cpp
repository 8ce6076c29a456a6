#include "editing/snippet_move.h"

#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "base/text.h"
#include "editing/snippet_append.h"
#include "editing/snippet_deletion.h"
#include "packets/body_reader.h"
#include "packets/formats.h"
#include "packets/packet_commit.h"
#include "packets/packet_lock.h"

namespace oldvek {
namespace {

// A snippet as its record, its header and the positions its body runs between.
struct SnippetSpan {
  IndexRecord record;
  SnippetHeader header;
  BodyBounds body;
};

Result<SnippetSpan> ReadSnippetSpan(const OpenPacket& files, uint64_t record_position) {
  OLDVEK_ASSIGN_OR_RETURN(SnippetPlace place, files.Locate(record_position));
  SnippetSpan span{place.record, {}, SnippetBody(place, files.packet_length)};
  // A Start of 0 names no snippet: a header of 0x00 bytes and no lines.
  OLDVEK_RETURN_IF_ERROR(ReadAtPosition(*files.packet, span.record.start(), span.header.bytes()));
  return span;
}

// Appends the snippet to the destination, its code lines copied from the source packet.
Result<Appended> AppendCopy(FileSystem& file_system, const PacketFiles& to, OpenPacket& destination,
                            const SnippetSpan& snippet, File& source_packet, std::optional<MoveLink> link) {
  const BodyWriter copy = [&](BufferedWriter& out) -> Status {
    if (snippet.body.begin == 0) return Status::Ok();
    return CopyBodyLines(source_packet, snippet.body.begin, snippet.body.end, out).status();
  };
  return AppendUnderMark(file_system, to, destination, snippet.record, snippet.header, copy, std::move(link));
}

// The files of a packet that a failed move created go again, so that no empty packet is left
// behind; not while a mark is pending on them, nor once they hold anything.
void RemoveCreatedFiles(FileSystem& file_system, const PacketFiles& files, std::span<const std::string> created) {
  if (file_system.Exists(files.mark)) return;
  for (const std::string& path : created) {
    Result<std::unique_ptr<File>> file =
        file_system.Open(path, {Access::kRead, Share::kExclusive, Disposition::kOpenExisting});
    if (!file.ok()) continue;
    const Result<uint64_t> size = (*file)->Size();
    const bool empty = size.ok() && *size == 0;
    if ((*file)->Close().ok() && empty) (void)file_system.Remove(path);
  }
}

std::string MoveId() {
  static std::mt19937 generator{std::random_device{}()};
  return HexText(generator() | 0x10000000u);
}

// Both packets locked and settled; the destination's files are created when missing.
Result<uint64_t> MoveToAnotherPacket(FileSystem& file_system, std::string_view folder, const PacketName& source,
                                     uint64_t record_position, const PacketName& destination) {
  const PacketFiles from(folder, source);
  const PacketFiles to(folder, destination);
  OLDVEK_ASSIGN_OR_RETURN(OpenPacket source_files, OpenPacket::Open(file_system, from, PacketOpen::kEdit));
  OLDVEK_ASSIGN_OR_RETURN(SnippetSpan snippet, ReadSnippetSpan(source_files, record_position));
  OLDVEK_ASSIGN_OR_RETURN(OpenPacket destination_files, OpenPacket::Open(file_system, to, PacketOpen::kEdit));
  const std::string id = MoveId();
  OLDVEK_ASSIGN_OR_RETURN(Appended appended,
                          AppendCopy(file_system, to, destination_files, snippet, *source_files.packet,
                                     MoveLink{MoveLink::Side::kDestination, id, std::string(source)}));
  OLDVEK_RETURN_IF_ERROR(destination_files.Close());
  OLDVEK_RETURN_IF_ERROR(source_files.Close());

  // The deletion's mark is the move's commit point: from then on the destination keeps the
  // append, and its undo mark can go.
  bool committed = false;
  const Removal removal{.link = MoveLink{MoveLink::Side::kSource, id, std::string(destination)}, .committed = [&] {
                          committed = true;
                          return appended.undo->Remove();
                        }};
  const Status deleted = DeleteFromLockedPacket(file_system, folder, source, record_position, removal).status();
  if (deleted.ok()) return appended.count + 1;
  if (committed) {
    return Status::Error("the move to " + to.packet + " will be completed by the next operation on " + from.packet +
                         ": " + deleted.message());
  }
  // Not committed: the append is taken back now (or, should that fail too, by the next
  // operation on the destination).
  appended.undo->Leave();
  (void)SettlePacket(file_system, folder, destination);
  return Status::Error("nothing was moved: " + deleted.message());
}

}  // namespace

Result<uint64_t> MoveSnippet(FileSystem& file_system, std::string_view folder, const PacketName& source,
                             uint64_t record_position, const PacketName& destination) {
  const bool same_packet = source == destination;
  // Both packets are locked for the whole move, in the order of their names, so that two
  // moves between the same two packets cannot each hold one lock and wait for the other.
  const bool source_first = same_packet || source < destination;
  OLDVEK_ASSIGN_OR_RETURN(PacketLock first, PacketLock::Take(file_system, folder, source_first ? source : destination,
                                                             PacketAccess::kEdit));
  std::optional<Result<PacketLock>> second;
  if (!same_packet) {
    second.emplace(PacketLock::Take(file_system, folder, source_first ? destination : source, PacketAccess::kEdit));
    if (!second->ok()) return second->status();
  }
  // Within one packet the move is one rebuild: the snippet goes to the end as the others close up.
  if (same_packet) {
    return DeleteFromLockedPacket(file_system, folder, source, record_position, {.to_end = true});  // the last record
  }
  const PacketFiles to(folder, destination);
  std::vector<std::string> created;
  for (const std::string* path : {&to.index, &to.packet}) {
    if (!file_system.Exists(*path)) created.push_back(*path);
  }
  Result<uint64_t> moved = MoveToAnotherPacket(file_system, folder, source, record_position, destination);
  if (!moved.ok() && !created.empty()) RemoveCreatedFiles(file_system, to, created);
  return moved;
}

}  // namespace oldvek
