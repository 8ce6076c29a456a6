#include <windows.h>

#include <stdexcept>

#include "progress_dialog.h"

namespace oldvek::testing {
namespace {

using Record = ProgressDialog::Record;

// A dialog template in memory: a popup with one static control.
std::vector<WORD> DialogTemplate() {
  std::vector<WORD> words;
  auto add_dword = [&words](DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
  };
  auto add_text = [&words](const wchar_t* text) {
    do words.push_back(static_cast<WORD>(*text)); while (*text++ != L'\0');
  };
  // Shown later, without activation and without a caption: Wine then leaves the window to
  // no window manager, and hiding it does not wait two seconds for one that never answers.
  add_dword(WS_POPUP | WS_BORDER);
  add_dword(0);
  words.push_back(1);  // one control
  for (WORD v : {10, 10, 160, 50}) words.push_back(v);
  words.push_back(0);  // no menu
  words.push_back(0);  // the dialog class
  add_text(L"Searching packets");
  if (words.size() % 2 != 0) words.push_back(0);  // controls start on a DWORD
  add_dword(WS_CHILD | WS_VISIBLE | SS_LEFT);
  add_dword(0);
  for (WORD v : {8, 8, 144, 30}) words.push_back(v);
  words.push_back(static_cast<WORD>(ProgressDialog::kControl));
  words.push_back(0xFFFF);
  words.push_back(0x0082);  // the static class
  add_text(L"");
  words.push_back(0);  // no creation data
  return words;
}

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
  const std::vector<WORD> words = DialogTemplate();
  dialog_ = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(words.data()),
                                       nullptr, DialogProc, reinterpret_cast<LPARAM>(&record_));
  if (dialog_ == nullptr) throw std::runtime_error("CreateDialogIndirectParamA failed");
  record_.dialog = dialog_;
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
