#ifndef OLDVEK_EDITING_SNIPPET_DELETION_H_
#define OLDVEK_EDITING_SNIPPET_DELETION_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "base/status.h"
#include "packets/formats.h"
#include "packets/packet_commit.h"
#include "packets/packet_name.h"
#include "platform/file.h"

namespace oldvek {

// Rebuilds packet `base` without the snippet of the record at `record_position`: every
// other snippet, in index order from position 1, as its header and its terminated code
// lines; every other record byte for byte but its Start, rewritten left-aligned. A position
// that is not where a record begins is refused before anything is written. Any failure before the commit leaves both
// files exactly as they were; see PacketRebuild for the replacement.
Status DeleteSnippet(FileSystem& file_system, std::string_view folder, const PacketName& base,
                     uint64_t record_position);

// What a move asks of the rebuild that takes its snippet out of the source.
struct Removal {
  // A move within the packet: the snippet is written again after the others, in the same
  // rebuild, so that it is never in the packet twice or not at all.
  bool to_end = false;
  // A move to another packet: the link of its commit, and what to do once the source's mark
  // is written (see PacketRebuild::Commit).
  std::optional<MoveLink> link{};
  std::function<Status()> committed{};
};

// The same, for a caller that holds the packet's lock (PacketLock) and has settled it.
// Returns the number of records the rebuilt index holds.
Result<uint64_t> DeleteFromLockedPacket(FileSystem& file_system, std::string_view folder, const PacketName& base,
                                        uint64_t record_position, const Removal& removal = {});

}  // namespace oldvek

#endif  // OLDVEK_EDITING_SNIPPET_DELETION_H_
