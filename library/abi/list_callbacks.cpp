#include "abi/list_callbacks.h"

#include <optional>
#include <string>

#include "abi/caller_types.h"
#include "packets/snippet_list.h"

namespace oldvek {

void ReportListChanged(ListChangedFn list_changed, SAFEARRAY** list, intptr_t data) {
  if (list_changed == nullptr) return;
  int32_t reason = kListChangedByEdit;
  list_changed(list, &reason, data);
}

std::optional<size_t> PlaceInList(SAFEARRAY* const* list, long index) {
  const std::optional<abi::Bounds> bounds = abi::BoundsOf(list);
  if (!bounds || !bounds->Contains(index)) return std::nullopt;
  return static_cast<size_t>(index - bounds->lower);
}

void ReportStaleEntries(SAFEARRAY** list, long skipped, std::string_view base, EntryStaleFn entry_stale, BSTR* folder,
                        intptr_t data) {
  const std::optional<abi::Bounds> bounds = abi::BoundsOf(list);
  if (entry_stale == nullptr || !bounds) return;
  for (size_t place : EntriesOfPacket(abi::ReadList(list), PlaceInList(list, skipped), base)) {
    entry_stale(abi::ElementSlot(list, bounds->lower + static_cast<long>(place)), folder, data);
  }
}

}  // namespace oldvek
