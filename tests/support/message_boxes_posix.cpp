#include "message_boxes.h"
#include "oldvek.h"

namespace oldvek::testing {
namespace {

constexpr uint32_t kButtonsMask = 0xF;  // MB_OK is 0 in these bits
constexpr int32_t kIdOk = 1;

int32_t Record(void* context, const char* text, const char* caption, uint32_t flags) {
  // The host interface has no owner window: every box the library shows has none.
  static_cast<std::vector<ShownMessageBox>*>(context)->push_back({caption, text, (flags & kButtonsMask) == 0, false});
  return kIdOk;
}

}  // namespace

std::vector<ShownMessageBox> CaptureMessageBoxes(const std::function<void()>& action) {
  std::vector<ShownMessageBox> shown;
  OldVekHost host{};
  host.context = &shown;
  host.message_box = Record;
  OldVekSetHost(&host);
  action();
  OldVekSetHost(nullptr);
  return shown;
}

}  // namespace oldvek::testing
