// Snippet and packet entries as a caller may pass them.
#include <cstdlib>
#include <string_view>

#include "packets/snippet_entry.h"

using namespace oldvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view entry(reinterpret_cast<const char*>(data), size);
  (void)PacketBaseName(entry);
  Result<EntryLocation> location = ParseEntryLocation(entry);
  if (!location.ok()) return 0;
  // A relocated entry points where it was told to, with the text between as it was.
  const std::string moved = RelocatedEntry(entry, 7, "Q.VEK");
  Result<EntryLocation> again = ParseEntryLocation(moved);
  if (!again.ok() || again->packet_file != "Q.VEK") abort();
  return 0;
}
