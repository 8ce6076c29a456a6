// OldVekHeaderUpdate: rewrites a snippet's descriptive header fields in place.
#include "abi/caller_types.h"
#include "abi/export_guard.h"
#include "editing/header_update.h"
#include "oldvek.h"
#include "packets/snippet_entry.h"
#include "platform/ui.h"

extern "C" OLDVEK_EXPORT void VEKAPI OldVekHeaderUpdate(SAFEARRAY** newFields, SAFEARRAY** packetList,
                                                        SAFEARRAY** snippetList, BSTR* folder, int32_t* packetNo,
                                                        int32_t* entryNo) noexcept try {
  using namespace oldvek;
  const int32_t packet_no = packetNo != nullptr ? *packetNo : 0;
  const int32_t entry_no = entryNo != nullptr ? *entryNo : 0;
  // The packet is the one the packet list names; the entry gives only the record.
  const std::string packet_entry = abi::ElementAt(packetList, packet_no);
  if (PacketBaseName(packet_entry).empty()) {
    ShowError("There is no packet at position " + std::to_string(packet_no) + " of the packet list.");
    return;
  }
  const Result<PacketName> base = PacketOfEntry(packet_entry);
  if (!base.ok()) {
    ShowError(base.status().message());
    return;
  }
  Result<EntryLocation> location = ParseEntryLocation(abi::ElementAt(snippetList, entry_no));
  if (!location.ok()) {
    ShowError(location.status().message());
    return;
  }
  const HeaderFields fields{abi::ElementAt(newFields, 1), abi::ElementAt(newFields, 2), abi::ElementAt(newFields, 3),
                            abi::ElementAt(newFields, 4), abi::ElementAt(newFields, 5)};
  const Status updated =
      UpdateHeader(FileSystem::Default(), abi::ToString(folder), *base, location->record_position, fields);
  if (!updated.ok()) ShowError(updated.message());
} catch (...) {
  oldvek::ReportUncaught("The snippet's header could not be rewritten");
}
