#ifndef OLDVEK_PACKETS_OPEN_PACKET_H_
#define OLDVEK_PACKETS_OPEN_PACKET_H_

// A packet's two files opened together, in one of the few ways operations open them, with
// their lengths, and where a record's snippet lies in them.

#include <cstdint>
#include <memory>

#include "base/status.h"
#include "packets/formats.h"
#include "packets/packet_files.h"
#include "platform/file.h"

namespace oldvek {

// How an operation opens a packet. The readers of the caller's interface open for reading and
// writing, as a missing file is then created empty and the read mark can be set; on a medium
// that refuses writing (a CD-ROM, a read-only mount) they open the existing files for reading
// instead, with the same sharing, so that a read-only archive can still be read.
enum class PacketOpen {
  kRead,     // for reading, shared, existing files only: readers that leave no trace
  kList,     // shared, a missing file created empty: listing, search, code files
  kMark,     // shared, the index must exist (a refused position leaves no trace): a fetch
  kExtract,  // as kMark, but alone with both files while the output is written
  kRebuild,  // shared, a missing file created, never read-only: deletion and settling
  kEdit,     // alone with both files, a missing file created, never read-only: appends, header updates
};

// Where a snippet lies: its index record, and the Start of the next whole record, where its
// body ends (0 when no whole record follows: the body runs to the end of the packet).
struct SnippetPlace {
  IndexRecord record;
  uint64_t next_start = 0;
};

// The positions a snippet's body runs between, `end` excluded; both 0 for a Start of 0, which
// names no snippet.
struct BodyBounds {
  uint64_t begin = 0;
  uint64_t end = 0;
};
BodyBounds SnippetBody(const SnippetPlace& place, uint64_t packet_length);

struct OpenPacket {
  // Opens the index, then the packet file.
  static Result<OpenPacket> Open(FileSystem& file_system, const PacketFiles& files, PacketOpen how);
  // Opens the index alone, for an operation that reads or marks records only.
  static Result<OpenPacket> OpenIndex(FileSystem& file_system, const PacketFiles& files, PacketOpen how);
  // Opens the index and finds the record at `record_position`, and only then opens the packet
  // file: a position that is not where a whole record begins is refused before a file is made.
  static Result<OpenPacket> OpenAt(FileSystem& file_system, const PacketFiles& files, PacketOpen how,
                                   uint64_t record_position, SnippetPlace& place);

  // The record at `record_position` and the Start of the whole record after it; a position
  // that is not where a whole record begins is refused.
  Result<SnippetPlace> Locate(uint64_t record_position) const;
  uint64_t record_count() const { return RecordCount(index_length); }
  // Closes the packet file, if open, then the index.
  Status Close();

  std::unique_ptr<File> index;
  std::unique_ptr<File> packet;
  uint64_t index_length = 0;
  uint64_t packet_length = 0;
  bool writable = true;  // false when a medium that refuses writing had them opened for reading
};

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_OPEN_PACKET_H_
