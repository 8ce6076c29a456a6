// OldVekMove: moves a snippet to the end of another packet and brings the caller's snippet
// list into step.
#include <optional>

#include "abi/caller_types.h"
#include "abi/export_guard.h"
#include "abi/list_callbacks.h"
#include "editing/snippet_move.h"
#include "oldvek.h"
#include "packets/packet_files.h"
#include "packets/snippet_entry.h"
#include "packets/snippet_list.h"
#include "platform/ui.h"

extern "C" OLDVEK_EXPORT void VEKAPI OldVekMove(BSTR* entry, SAFEARRAY** snippetList, SAFEARRAY** packetList,
                                                int32_t* packetNo, int32_t entryNo, BSTR* destination, BSTR* folder,
                                                ListChangedFn listChanged, intptr_t listChangedData,
                                                EntryStaleFn entryStale, IndexLoaderFn indexLoader) noexcept try {
  using namespace oldvek;
  const std::string entry_text = abi::ToString(entry);
  Result<EntryLocation> location = ParseEntryLocation(entry_text);
  if (!location.ok()) {
    ShowError(location.status().message());
    return;
  }
  const int32_t packet_no = packetNo != nullptr ? *packetNo : 0;
  BSTR* shown_packet = packet_no != 0 ? abi::ElementSlot(packetList, packet_no) : nullptr;
  const bool shows_index = shown_packet != nullptr && ListShowsPacket(abi::ToString(shown_packet), location->base);
  const std::optional<abi::Bounds> bounds = abi::BoundsOf(snippetList);
  const Result<PacketName> destination_base = PacketName::Make(abi::ToString(destination));
  if (!destination_base.ok()) {
    ShowError(destination_base.status().message());
    return;
  }

  Result<uint64_t> record_number = MoveSnippet(FileSystem::Default(), abi::ToString(folder), location->base,
                                               location->record_position, *destination_base);
  if (!record_number.ok()) {
    ShowError(record_number.status().message());
    return;
  }
  if (shows_index) {
    if (indexLoader != nullptr) {
      int32_t count = bounds ? static_cast<int32_t>(bounds->upper) : 0;
      indexLoader(shown_packet, snippetList, &count, folder);
    }
  } else {
    if (bounds && bounds->Contains(entryNo)) {
      const std::string moved =
          RelocatedEntry(entry_text, *record_number, PacketFileName("", *destination_base, PacketFileKind::kPacket));
      if (!abi::PutElement(*snippetList, entryNo, moved)) ShowError(abi::kNoMemoryForSnippetList);
    }
    ReportStaleEntries(snippetList, entryNo, location->base, entryStale, folder,
                       reinterpret_cast<intptr_t>(indexLoader));
  }
  ReportListChanged(listChanged, snippetList, listChangedData);
} catch (...) {
  oldvek::ReportUncaught("The snippet could not be moved");
}
