#include "progress_dialog.h"

namespace oldvek::testing {
namespace {

using Record = ProgressDialog::Record;

Record& Of(void* context) { return *static_cast<Record*>(context); }

}  // namespace

// No window queue here: the host counts the library's passes for one message instead.
ProgressDialog::ProgressDialog(int) : dialog_(reinterpret_cast<HWND>(this)) {
  record_.dialog = dialog_;
  OldVekHost host{};
  host.context = &record_;
  host.message_box = [](void* context, const char* text, const char* caption, uint32_t) -> int32_t {
    Of(context).boxes.push_back(std::string(caption) + ": " + text);
    return 1;  // IDOK
  };
  host.message_pass = [](void* context, HWND dialog, int32_t all_waiting) {
    if (dialog == Of(context).dialog && all_waiting == 0) ++Of(context).messages_taken;
  };
  host.set_control_text = [](void* context, HWND dialog, int32_t control, const char* text) {
    if (dialog == Of(context).dialog && control == kControl) Of(context).texts.emplace_back(text);
  };
  host.end_dialog = [](void* context, HWND dialog, intptr_t result) {
    if (dialog == Of(context).dialog && result == 0) Of(context).ended = true;
  };
  OldVekSetHost(&host);
}

ProgressDialog::~ProgressDialog() { OldVekSetHost(nullptr); }

}  // namespace oldvek::testing
