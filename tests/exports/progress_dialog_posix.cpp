#include <algorithm>
#include <string>

#include "progress_dialog.h"

namespace oldvek::testing {

// No window queue here: the host counts what the library's passes would take of the waiting
// messages, one or all of them.
ProgressDialog::ProgressDialog(int queued) : dialog_(reinterpret_cast<HWND>(this)), waiting_(queued) {
  OldVekHost host{};
  host.context = this;
  host.message_box = [](void* context, const char* text, const char* caption, uint32_t) -> int32_t {
    static_cast<ProgressDialog*>(context)->record_.boxes.push_back(std::string(caption) + ": " + text);
    return 1;  // IDOK
  };
  host.message_pass = [](void* context, HWND dialog, int32_t all_waiting) {
    auto& self = *static_cast<ProgressDialog*>(context);
    if (dialog != self.dialog_) return;
    self.record_.events.emplace_back(all_waiting != 0 ? "pass" : "one message");
    const int taken = all_waiting != 0 ? self.waiting_ : std::min(self.waiting_, 1);
    self.record_.messages_taken += taken;
    self.waiting_ -= taken;
  };
  host.set_control_text = [](void* context, HWND dialog, int32_t control, const char* text) {
    auto& self = *static_cast<ProgressDialog*>(context);
    if (dialog != self.dialog_ || control != kControl) return;
    self.record_.texts.emplace_back(text);
    self.record_.events.push_back("text " + std::string(text));
  };
  host.end_dialog = [](void* context, HWND dialog, intptr_t result) {
    auto& self = *static_cast<ProgressDialog*>(context);
    if (dialog == self.dialog_ && result == 0) self.record_.ended = true;
  };
  host.sleep = [](void* context, uint32_t ms) {
    static_cast<ProgressDialog*>(context)->record_.events.push_back("sleep " + std::to_string(ms));
  };
  OldVekSetHost(&host);
}

ProgressDialog::~ProgressDialog() { OldVekSetHost(nullptr); }

}  // namespace oldvek::testing
