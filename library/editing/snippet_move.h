#ifndef OLDVEK_EDITING_SNIPPET_MOVE_H_
#define OLDVEK_EDITING_SNIPPET_MOVE_H_

#include <cstdint>
#include <string_view>

#include "base/status.h"
#include "platform/file.h"

namespace oldvek {

// Moves the snippet of the record at `record_position` of packet `source` to the end of
// packet `destination` (both in `folder`; the same packet is allowed). The record and the
// snippet (its header and its terminated code lines) are appended to the destination and
// flushed; only then is the snippet deleted from the source. When the append fails the
// destination is cut back to its old lengths and the source is not touched; a destination
// that the move created is removed again. Returns the
// number of the record that now holds the snippet in the destination, as it stands after
// the source has been compacted.
Result<uint64_t> MoveSnippet(FileSystem& file_system, std::string_view folder, std::string_view source,
                             uint64_t record_position, std::string_view destination);

}  // namespace oldvek

#endif  // OLDVEK_EDITING_SNIPPET_MOVE_H_
