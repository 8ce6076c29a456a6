#include <windows.h>

#include <atomic>
#include <thread>

#include "message_boxes.h"

namespace oldvek::testing {

struct MessageBoxes::Watcher {
  std::atomic<bool> stop{false};
  std::thread thread;
};

namespace {

constexpr int kMessageTextId = 0xFFFF;  // the static control that holds a box's text

std::string WindowText(HWND window) {
  char text[4096] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The library's boxes are dialogs of class #32770 with its caption, owned by no window.
void Watch(MessageBoxes& boxes, std::atomic<bool>& stop) {
  while (!stop) {
    HWND box = FindWindowA("#32770", "OldVek");
    if (box == nullptr) {
      Sleep(5);
      continue;
    }
    boxes.Record(WindowText(box) + ": " + WindowText(GetDlgItem(box, kMessageTextId)));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    while (IsWindow(box) && !stop) Sleep(5);
  }
}

}  // namespace

MessageBoxes::MessageBoxes() : watcher_(std::make_unique<Watcher>()) {
  watcher_->thread = std::thread(Watch, std::ref(*this), std::ref(watcher_->stop));
}

MessageBoxes::~MessageBoxes() {
  watcher_->stop = true;
  watcher_->thread.join();
}

}  // namespace oldvek::testing
