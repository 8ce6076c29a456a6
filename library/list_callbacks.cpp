#include "list_callbacks.h"

#include <optional>
#include <string>

#include "abi/caller_types.h"
#include "packets/snippet_entry.h"

namespace oldvek {

void ReportListChanged(ListChangedFn list_changed, SAFEARRAY** list, intptr_t data) {
  if (list_changed == nullptr) return;
  int32_t reason = kListChangedByEdit;
  list_changed(list, &reason, data);
}

void ReportStaleEntries(SAFEARRAY** list, long skipped, std::string_view packet_file, EntryStaleFn entry_stale,
                        BSTR* folder, intptr_t data) {
  const std::optional<abi::Bounds> bounds = abi::BoundsOf(list);
  if (entry_stale == nullptr || !bounds) return;
  for (long i = bounds->lower; i <= bounds->upper; ++i) {
    if (i == skipped) continue;
    Result<EntryLocation> location = ParseEntryLocation(abi::ElementAt(list, i));
    if (!location.ok() || location->packet_file != packet_file) continue;
    entry_stale(abi::ElementSlot(list, i), folder, data);
  }
}

}  // namespace oldvek
