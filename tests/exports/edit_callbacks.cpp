#include "edit_callbacks.h"

#include "caller_values.h"

namespace oldvek::testing {
namespace {

CallLog* g_log = nullptr;

std::string FolderNote(BSTR* folder) {
  const std::string given = folder != nullptr ? BstrBytes(*folder) : "(none)";
  return g_log != nullptr && given == g_log->folder ? "" : " in unexpected folder " + given;
}

void Log(std::string call) {
  if (g_log != nullptr) g_log->calls.push_back(std::move(call));
}

}  // namespace

CallLog::CallLog(std::string folder) : folder(std::move(folder)) { g_log = this; }

CallLog::~CallLog() { g_log = nullptr; }

std::string ListText(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : " | ") + item;
  return text;
}

void VEKAPI RecordListChanged(SAFEARRAY** list, int32_t* reason, intptr_t data) {
  const std::string items = list == nullptr || *list == nullptr ? "(erased)" : ListText(ArrayItems(*list));
  Log("changed " + std::to_string(*reason) + " data=" + std::to_string(data) + ": " + items);
}

void VEKAPI RefreshStaleEntry(BSTR* entry, BSTR* folder, intptr_t data) {
  const std::string text = BstrBytes(*entry);
  const std::string data_text =
      data == reinterpret_cast<intptr_t>(&ReloadIndex) ? "loader" : std::to_string(data);
  Log("stale " + text + " data=" + data_text + FolderNote(folder));
  const std::string refreshed = text + " (refreshed)";
  SysFreeString(*entry);
  *entry = SysAllocStringByteLen(refreshed.data(), static_cast<UINT>(refreshed.size()));
}

void VEKAPI ReloadIndex(BSTR* packet, SAFEARRAY** list, int32_t* count, BSTR* folder) {
  Log("load " + BstrBytes(*packet) + " count=" + std::to_string(*count) + FolderNote(folder));
  OldIndex(packet, list, count, folder);
}

}  // namespace oldvek::testing
