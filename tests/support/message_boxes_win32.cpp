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

std::string WindowText(HWND window) {
  char text[4096] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

bool HasButton(HWND box, int id) {
  const HWND button = GetDlgItem(box, id);
  return button != nullptr && (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Reads every message box of this thread once it has set up its texts, and answers it OK
// at once: the dialog closes without waiting for the user.
LRESULT CALLBACK AfterWindowProcedure(int code, WPARAM wparam, LPARAM lparam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
  if (code == HC_ACTION && call->message == WM_INITDIALOG && IsDialog(call->hwnd)) {
    ShownMessageBox box;
    box.caption = WindowText(call->hwnd);
    box.text = WindowText(GetDlgItem(call->hwnd, kMessageTextId));
    box.ok_only = HasButton(call->hwnd, IDOK);
    for (int other : {IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) box.ok_only &= !HasButton(call->hwnd, other);
    box.owned = GetWindow(call->hwnd, GW_OWNER) != nullptr;
    g_shown->push_back(box);
    EndDialog(call->hwnd, IDOK);
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

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
