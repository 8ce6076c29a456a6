#ifndef OLDVEK_EDITING_SNIPPET_APPEND_H_
#define OLDVEK_EDITING_SNIPPET_APPEND_H_

// Appending a snippet to the end of a packet: its record after the last whole record of the
// index (covering a partial one), its header and terminated code lines at the end of the
// packet file. The append runs under a commit mark that takes it back should it be
// interrupted; a failed append is taken back at once.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/status.h"
#include "packets/formats.h"
#include "packets/open_packet.h"
#include "packets/packet_commit.h"
#include "packets/packet_name.h"
#include "platform/buffered_writer.h"
#include "platform/file.h"

namespace oldvek {

// Writes a snippet's terminated code lines after its header.
using BodyWriter = std::function<Status(BufferedWriter& out)>;

struct Appended {
  uint64_t count;                  // whole records the packet held before
  std::optional<CommitMark> undo;  // the undo mark, kept for a move between two packets
};

// Appends `record` (its Start set here) and `header` followed by what `body` writes to the
// packet `files`, opened alone with it (PacketOpen::kEdit) just before. A move between two packets passes its `link`:
// the undo mark, linked to the move, is then kept until the source's deletion is committed.
Result<Appended> AppendUnderMark(FileSystem& file_system, const PacketFiles& files, OpenPacket& packet,
                                 IndexRecord record, const SnippetHeader& header, const BodyWriter& body,
                                 std::optional<MoveLink> link = std::nullopt);

// Appends a new snippet (Flag "*", Subject and Author copied into its record) holding
// `code_lines` to packet `base` of `folder`; both files must exist. Returns its record number.
Result<uint64_t> AppendNewSnippet(FileSystem& file_system, std::string_view folder, const PacketName& base,
                                  const SnippetHeader& header, std::span<const std::string> code_lines);

}  // namespace oldvek

#endif  // OLDVEK_EDITING_SNIPPET_APPEND_H_
