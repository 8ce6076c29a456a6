#ifndef OLDVEK_EDITING_SNIPPET_DELETION_H_
#define OLDVEK_EDITING_SNIPPET_DELETION_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "base/status.h"
#include "packets/formats.h"
#include "packets/packet_commit.h"
#include "platform/file.h"

namespace oldvek {

// Rebuilds packet `base` without the snippet of the record at `record_position`: every
// other snippet, in index order from position 1, as its header and its terminated code
// lines; every other record byte for byte but its Start, rewritten left-aligned. A position
// that is not where a record begins is refused before anything is written. Any failure before the commit leaves both files
// exactly as they were; see PacketRebuild for the replacement.
Status DeleteSnippet(FileSystem& file_system, std::string_view folder, std::string_view base,
                     uint64_t record_position);

// The same, for a caller that holds the packet's lock (PacketLock) and has settled it. A move
// passes its link and what to do once the deletion is committed (see PacketRebuild::Commit).
Status DeleteFromLockedPacket(FileSystem& file_system, std::string_view folder, std::string_view base,
                              uint64_t record_position, std::optional<MoveLink> move = std::nullopt,
                              const std::function<Status()>& committed = {});

}  // namespace oldvek

#endif  // OLDVEK_EDITING_SNIPPET_DELETION_H_
