#include <windows.h>

#include "message_boxes.h"

namespace oldvek::testing {
namespace {

constexpr int kMessageTextId = 0xFFFF;  // the static control that holds a message box's text

thread_local std::vector<ShownMessageBox>* g_shown = nullptr;

bool IsDialog(HWND window) {
  char class_name[16] = {};
  return GetClassNameA(window, class_name, sizeof(class_name)) > 0 && lstrcmpA(class_name, "#32770") == 0;
}

// Reads every message box of this thread once it has set up its texts, and answers it OK
// at once: the dialog closes without waiting for the user.
LRESULT CALLBACK AfterWindowProcedure(int code, WPARAM wparam, LPARAM lparam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
  if (code == HC_ACTION && call->message == WM_INITDIALOG && IsDialog(call->hwnd)) {
    ShownMessageBox box;
    box.caption = TextOf(call->hwnd);
    box.text = TextOf(GetDlgItem(call->hwnd, kMessageTextId));
    box.ok_only = ControlShown(call->hwnd, IDOK);
    for (int other : {IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
      box.ok_only &= !ControlShown(call->hwnd, other);
    }
    box.owned = GetWindow(call->hwnd, GW_OWNER) != nullptr;
    g_shown->push_back(box);
    EndDialog(call->hwnd, IDOK);
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

std::string TextOf(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool ControlShown(HWND dialog, int id) {
  const HWND control = GetDlgItem(dialog, id);
  return control != nullptr && (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::vector<ShownMessageBox> CaptureMessageBoxes(const std::function<void()>& action) {
  std::vector<ShownMessageBox> shown;
  g_shown = &shown;
  const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProcedure, nullptr, GetCurrentThreadId());
  action();
  if (hook != nullptr) UnhookWindowsHookEx(hook);
  g_shown = nullptr;
  return shown;
}

}  // namespace oldvek::testing
