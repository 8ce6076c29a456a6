#include <windows.h>

#include <string>

#include "platform/ui.h"

namespace oldvek {
namespace {

HWND AsHwnd(WindowHandle window) { return static_cast<HWND>(window); }

class WindowsUi final : public Ui {
 public:
  int32_t ShowMessageBox(std::string_view text, std::string_view caption, uint32_t style) override {
    return MessageBoxA(nullptr, std::string(text).c_str(), std::string(caption).c_str(), style);
  }

  void PumpMessages(WindowHandle dialog, MessagePass pass) override {
    MSG message;
    bool any = false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      any = true;
      if (dialog == nullptr || !IsDialogMessageA(AsHwnd(dialog), &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
      if (pass == MessagePass::kOneMessage) break;
    }
    if (!any && pass == MessagePass::kOneMessage) ::Sleep(1);
  }

  void SetControlText(WindowHandle dialog, int32_t control, std::string_view text) override {
    SetDlgItemTextA(AsHwnd(dialog), control, std::string(text).c_str());
  }

  void EndDialog(WindowHandle dialog, intptr_t result) override { ::EndDialog(AsHwnd(dialog), result); }

  void EnableWindow(WindowHandle window, bool enable) override { ::EnableWindow(AsHwnd(window), enable); }

  void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }
};

}  // namespace

Ui& Ui::Current() {
  static WindowsUi ui;
  return ui;
}

}  // namespace oldvek
