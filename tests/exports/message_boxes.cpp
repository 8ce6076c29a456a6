#include "message_boxes.h"

namespace oldvek::testing {

std::vector<std::string> MessageBoxes::shown() {
  std::lock_guard<std::mutex> lock(mutex_);
  return shown_;
}

void MessageBoxes::Record(std::string box) {
  std::lock_guard<std::mutex> lock(mutex_);
  shown_.push_back(std::move(box));
}

}  // namespace oldvek::testing
