#include <windows.h>

#include <stdexcept>

#include "progress_dialog.h"

namespace oldvek::testing {
namespace {

using Record = ProgressDialog::Record;

// A popup with one static control, as a dialog template in memory. Shown later, without
// activation and without a caption: Wine then leaves the window to no window manager, and
// hiding it does not wait two seconds for one that never answers.
constexpr DWORD kDialogStyle = WS_POPUP | WS_BORDER;
constexpr DWORD kControlStyle = WS_CHILD | WS_VISIBLE | SS_LEFT;
alignas(4) constexpr WORD kTemplate[] = {
    LOWORD(kDialogStyle),
    HIWORD(kDialogStyle),
    0,
    0,  // style, extended style
    1,
    10,
    10,
    160,
    50,
    0,
    0,
    0,  // one control, place, no menu, the dialog class, no title
    LOWORD(kControlStyle),
    HIWORD(kControlStyle),
    0,
    0,  // the control, on a DWORD boundary
    8,
    8,
    144,
    30,
    ProgressDialog::kControl,  // place, id
    0xFFFF,
    0x0082,
    0,
    0,  // the static class, no text, no creation data
};

LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* record = reinterpret_cast<Record*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_SETTEXT && lparam != 0) record->texts.emplace_back(reinterpret_cast<const char*>(lparam));
  return CallWindowProcA(reinterpret_cast<WNDPROC>(record->static_proc), window, message, wparam, lparam);
}

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lparam);
    return FALSE;  // no focus: focus would activate the dialog
  }
  auto* record = reinterpret_cast<Record*>(GetWindowLongPtrA(window, DWLP_USER));
  if (record == nullptr) return FALSE;
  if (message == WM_APP) {  // one of the messages queued for the library's passes to take
    ++record->messages_taken;
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL) {
    ++record->cancels;
    return TRUE;
  }
  // EndDialog hides a modeless dialog.
  if (message == WM_WINDOWPOSCHANGED && (reinterpret_cast<const WINDOWPOS*>(lparam)->flags & SWP_HIDEWINDOW) != 0) {
    record->ended = true;
  }
  return FALSE;
}

}  // namespace

ProgressDialog::ProgressDialog(int queued) {
  dialog_ = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(kTemplate), nullptr,
                                       DialogProc, reinterpret_cast<LPARAM>(&record_));
  if (dialog_ == nullptr) throw std::runtime_error("CreateDialogIndirectParamA failed");
  ShowWindow(dialog_, SW_SHOWNOACTIVATE);
  HWND control = GetDlgItem(dialog_, kControl);
  SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&record_));
  record_.static_proc = SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticProc));
  // Let creation settle, so that the queue holds only what the test puts there.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  for (int i = 0; i < queued; ++i) PostMessageA(dialog_, WM_APP, 0, 0);
}

ProgressDialog::~ProgressDialog() {
  DestroyWindow(dialog_);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

}  // namespace oldvek::testing
