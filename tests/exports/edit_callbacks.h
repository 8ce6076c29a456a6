#ifndef OLDVEK_TESTS_EXPORTS_EDIT_CALLBACKS_H_
#define OLDVEK_TESTS_EXPORTS_EDIT_CALLBACKS_H_

// The reader program's side of deletion and move: callbacks that write down every call, in
// order, as one line of text each.

#include <string>
#include <vector>

#include "oldvek.h"

namespace oldvek::testing {

// While a CallLog lives the callbacks below write into it.
class CallLog {
 public:
  explicit CallLog(std::string folder);
  ~CallLog();
  CallLog(const CallLog&) = delete;
  CallLog& operator=(const CallLog&) = delete;

  std::vector<std::string> calls;
  std::string folder;  // what the callbacks expect as their folder argument
};

// "changed 5 data=<data>: <element 1> | <element 2> ..." ("(erased)" for no array).
void VEKAPI RecordListChanged(SAFEARRAY** list, int32_t* reason, intptr_t data);

// "stale <entry> data=<data>" (data "loader" when it is ReloadIndex), then rewrites the
// element in place to "<entry> (refreshed)", as a reader would refresh it.
void VEKAPI RefreshStaleEntry(BSTR* entry, BSTR* folder, intptr_t data);

// "load <packet> count=<count>", then lists the packet with OldIndex, as a reader's loader
// would.
void VEKAPI ReloadIndex(BSTR* packet, SAFEARRAY** list, int32_t* count, BSTR* folder);

// The list as RecordListChanged writes it.
std::string ListText(const std::vector<std::string>& items);

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_EXPORTS_EDIT_CALLBACKS_H_
