// OldVekDelSnip: deletes a snippet and brings the caller's snippet list into step.
#include <string>
#include <vector>

#include "abi/caller_types.h"
#include "abi/export_guard.h"
#include "abi/list_callbacks.h"
#include "editing/snippet_deletion.h"
#include "oldvek.h"
#include "packets/index_builder.h"
#include "packets/snippet_entry.h"
#include "packets/snippet_list.h"
#include "platform/ui.h"

namespace oldvek {
namespace {

// The list shows the packet's index: rebuilt from it, as a listing would.
void RelistPacket(SAFEARRAY** snippet_list, std::string_view folder, const PacketName& base) {
  Result<std::vector<std::string>> entries = BuildSnippetList(FileSystem::Default(), folder, base);
  if (!entries.ok()) {
    // No list is better than one whose positions no longer hold.
    abi::Erase(snippet_list);
    ShowError(entries.status().message());
    return;
  }
  if (!abi::StoreList(snippet_list, *entries)) ShowError(abi::kNoMemoryForSnippetList);
}

// A mixed list: the deleted entry is dropped, the others are kept in order.
void DropListEntry(SAFEARRAY** snippet_list, long entry_no) {
  std::vector<std::string> entries = abi::ReadList(snippet_list);
  DropEntry(entries, PlaceInList(snippet_list, entry_no));
  if (!abi::StoreList(snippet_list, entries)) ShowError(abi::kNoMemoryForSnippetList);
}

}  // namespace
}  // namespace oldvek

extern "C" OLDVEK_EXPORT void VEKAPI OldVekDelSnip(BSTR* entry, SAFEARRAY** packetList, SAFEARRAY** snippetList,
                                                   BSTR* folder, int32_t* packetNo, int32_t* entryNo,
                                                   ListChangedFn listChanged, intptr_t listChangedData,
                                                   EntryStaleFn entryStale, intptr_t entryStaleData,
                                                   uint8_t filesOnly) noexcept try {
  using namespace oldvek;
  Result<EntryLocation> location = ParseEntryLocation(abi::ToString(entry));
  if (!location.ok()) {
    ShowError(location.status().message());
    return;
  }
  const int32_t packet_no = packetNo != nullptr ? *packetNo : 0;
  const long entry_no = entryNo != nullptr ? *entryNo : 0;
  const std::string shown_packet = abi::ElementAt(packetList, packet_no);
  const bool shows_index = packet_no != 0 && ListShowsPacket(shown_packet, location->base);
  const std::string folder_text = abi::ToString(folder);

  const Status deleted = DeleteSnippet(FileSystem::Default(), folder_text, location->base, location->record_position);
  if (!deleted.ok()) {
    ShowError(deleted.message());
    return;
  }
  if (filesOnly != 0) return;
  if (shows_index) {
    RelistPacket(snippetList, folder_text, location->base);
  } else {
    ReportStaleEntries(snippetList, entry_no, location->base, entryStale, folder, entryStaleData);
    DropListEntry(snippetList, entry_no);
  }
  ReportListChanged(listChanged, snippetList, listChangedData);
} catch (...) {
  oldvek::ReportUncaught("The snippet could not be deleted");
}
