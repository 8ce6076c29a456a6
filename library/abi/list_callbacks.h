#ifndef OLDVEK_LIST_CALLBACKS_H_
#define OLDVEK_LIST_CALLBACKS_H_

// How deletion and move tell the caller about its snippet list.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "oldvek.h"

namespace oldvek {

// The reason deletion and move give when they have changed the caller's list.
inline constexpr int32_t kListChangedByEdit = 5;

// Calls `list_changed` (when given) with the list and reason 5.
void ReportListChanged(ListChangedFn list_changed, SAFEARRAY** list, intptr_t data);

// The place (from 0) of element `index` of `list`; nothing when the list has no such element.
std::optional<size_t> PlaceInList(SAFEARRAY* const* list, long index);

// Hands every element of `list` that names a snippet of packet `base` (EntriesOfPacket),
// except element `skipped`, to `entry_stale` in list order: the element itself, which the
// callee may rewrite in place, with the folder and `data`.
void ReportStaleEntries(SAFEARRAY** list, long skipped, std::string_view base, EntryStaleFn entry_stale, BSTR* folder,
                        intptr_t data);

}  // namespace oldvek

#endif  // OLDVEK_LIST_CALLBACKS_H_
