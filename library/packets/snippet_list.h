#ifndef OLDVEK_PACKETS_SNIPPET_LIST_H_
#define OLDVEK_PACKETS_SNIPPET_LIST_H_

// The caller's snippet list after a snippet is deleted or moved. The list either shows one
// packet's index (the entry of the caller's packet list it was made from is known) or mixes
// entries of several packets, such as search results; entries are
// "00001~Subject~Author~Code~BASE.VEK~1".

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace oldvek {

// Whether a list made from the packet list entry `shown_packet` ("BASE~description") shows
// the index of packet `base`: their base names are equal, letter case counting. An empty
// base name shows nothing.
bool ListShowsPacket(std::string_view shown_packet, std::string_view base);

// The places (from 0) of the entries, other than the one at `skipped`, that name a snippet
// of packet `base`: their record positions no longer hold once that packet has changed.
std::vector<size_t> EntriesOfPacket(const std::vector<std::string>& entries, std::optional<size_t> skipped,
                                    std::string_view base);

// A mixed list after a deletion: the entry at `place` is dropped; the others keep their order.
void DropEntry(std::vector<std::string>& entries, std::optional<size_t> place);

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_SNIPPET_LIST_H_
