// OldIndex: a packet's snippet list for the caller.
#include "abi/caller_types.h"
#include "abi/export_guard.h"
#include "oldvek.h"
#include "packets/index_builder.h"
#include "packets/snippet_entry.h"
#include "platform/ui.h"

extern "C" OLDVEK_EXPORT void VEKAPI OldIndex(BSTR* packet, SAFEARRAY** list, int32_t* count, BSTR* folder) noexcept
    try {
  using namespace oldvek;
  const Result<PacketName> name = PacketOfEntry(abi::ToString(packet));
  Result<std::vector<std::string>> entries =
      name.ok() ? BuildSnippetList(FileSystem::Default(), abi::ToString(folder), *name) : name.status();
  // An empty list must not pass for an empty packet: a packet that cannot be read is shown.
  if (!entries.ok()) ShowError(entries.status().message());
  const bool stored = entries.ok() && abi::StoreList(list, *entries);
  if (!stored) abi::Erase(list);
  if (count != nullptr) *count = stored ? static_cast<int32_t>(entries->size()) : 0;
} catch (...) {
  oldvek::abi::Erase(list);
  if (count != nullptr) *count = 0;
  oldvek::ReportUncaught("The packet could not be listed");
}
