#include "message_boxes.h"
#include "oldvek.h"

namespace oldvek::testing {

// Boxes go to the host; nothing watches the screen.
struct MessageBoxes::Watcher {};

namespace {

int32_t AnswerOk(void* context, const char* text, const char* caption, uint32_t) {
  static_cast<MessageBoxes*>(context)->Record(std::string(caption) + ": " + text);
  return 1;  // IDOK
}

}  // namespace

MessageBoxes::MessageBoxes() {
  OldVekHost host{};
  host.context = this;
  host.message_box = AnswerOk;
  OldVekSetHost(&host);
}

MessageBoxes::~MessageBoxes() { OldVekSetHost(nullptr); }

}  // namespace oldvek::testing
