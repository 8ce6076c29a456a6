#ifndef OLDVEK_PACKETS_INDEX_BUILDER_H_
#define OLDVEK_PACKETS_INDEX_BUILDER_H_

#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "packets/packet_name.h"
#include "platform/file.h"

namespace oldvek {

// The snippet list of packet `base` in `folder`: one snippet entry per whole index record,
// in index order. Subject, Author and Code come from the headers in the packet file. Missing
// files are created empty, so a missing packet lists no snippets.
Result<std::vector<std::string>> BuildSnippetList(FileSystem& file_system, std::string_view folder,
                                                  const PacketName& base);

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_INDEX_BUILDER_H_
