#include <time.h>

#include <cstdio>
#include <string>

#include "oldvek_host.h"
#include "platform/posix_host.h"
#include "platform/ui.h"

namespace oldvek {
namespace {

OldVekHost g_host{};

class HostUi final : public Ui {
 public:
  int32_t ShowMessageBox(std::string_view text, std::string_view caption, uint32_t style) override {
    if (g_host.message_box != nullptr) {
      return g_host.message_box(g_host.context, std::string(text).c_str(), std::string(caption).c_str(), style);
    }
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
    return (style & kYesNo) != 0 ? kAnswerNo : kAnswerOk;
  }

  void PumpMessages(WindowHandle dialog, MessagePass pass) override {
    if (g_host.message_pass != nullptr) {
      g_host.message_pass(g_host.context, static_cast<HWND>(dialog), pass == MessagePass::kAllWaiting ? 1 : 0);
    }
  }

  void SetControlText(WindowHandle dialog, int32_t control, std::string_view text) override {
    if (g_host.set_control_text != nullptr) {
      g_host.set_control_text(g_host.context, static_cast<HWND>(dialog), control, std::string(text).c_str());
    }
  }

  void EndDialog(WindowHandle dialog, intptr_t result) override {
    if (g_host.end_dialog != nullptr) g_host.end_dialog(g_host.context, static_cast<HWND>(dialog), result);
  }

  void EnableWindow(WindowHandle window, bool enable) override {
    if (g_host.enable_window != nullptr) g_host.enable_window(g_host.context, static_cast<HWND>(window), enable);
  }

  void Sleep(uint32_t milliseconds) override {
    if (g_host.sleep != nullptr) {
      g_host.sleep(g_host.context, milliseconds);
      return;
    }
    timespec pause{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    nanosleep(&pause, nullptr);
  }
};

}  // namespace

void SetPosixHost(const OldVekHost* host) { g_host = host != nullptr ? *host : OldVekHost{}; }

const OldVekHost& PosixHost() { return g_host; }

Ui& Ui::Current() {
  static HostUi ui;
  return ui;
}

}  // namespace oldvek
