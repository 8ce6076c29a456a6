#include "packets/snippet_list.h"

#include "packets/snippet_entry.h"

namespace oldvek {

bool ListShowsPacket(std::string_view shown_packet, std::string_view base) {
  const std::string_view shown_base = PacketBaseName(shown_packet);
  return !shown_base.empty() && shown_base == base;
}

std::vector<size_t> EntriesOfPacket(const std::vector<std::string>& entries, std::optional<size_t> skipped,
                                    std::string_view base) {
  std::vector<size_t> places;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (i == skipped) continue;
    Result<EntryLocation> location = ParseEntryLocation(entries[i]);
    if (location.ok() && location->base.text() == base) places.push_back(i);
  }
  return places;
}

void DropEntry(std::vector<std::string>& entries, std::optional<size_t> place) {
  if (place && *place < entries.size()) entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(*place));
}

}  // namespace oldvek
