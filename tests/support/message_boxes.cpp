#include "message_boxes.h"

namespace oldvek::testing {

std::vector<std::string> CaptureMessageBoxTexts(const std::function<void()>& action) {
  std::vector<std::string> texts;
  for (const ShownMessageBox& box : CaptureMessageBoxes(action)) texts.push_back(box.caption + ": " + box.text);
  return texts;
}

}  // namespace oldvek::testing
