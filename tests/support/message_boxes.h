#ifndef OLDVEK_TESTS_SUPPORT_MESSAGE_BOXES_H_
#define OLDVEK_TESTS_SUPPORT_MESSAGE_BOXES_H_

// The message boxes the library shows, caught and answered OK so a test can go on. On Linux
// through the host callbacks of OldVekSetHost; on Windows the real boxes are read and closed
// as they open, on the calling thread.

#include <functional>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace oldvek::testing {

struct ShownMessageBox {
  std::string caption;
  std::string text;
  bool ok_only = false;  // an OK button and no other
  bool owned = false;    // shown with an owner window
};

// Runs `action` on the calling thread and returns the message boxes it showed, in order.
std::vector<ShownMessageBox> CaptureMessageBoxes(const std::function<void()>& action);

// The same, each box as "caption: text".
inline std::vector<std::string> CaptureMessageBoxTexts(const std::function<void()>& action) {
  std::vector<std::string> texts;
  for (const ShownMessageBox& box : CaptureMessageBoxes(action)) texts.push_back(box.caption + ": " + box.text);
  return texts;
}

#if defined(_WIN32)
std::string TextOf(HWND window);
// Whether `dialog` has a control `id` that shows with it (WS_VISIBLE), shown yet or not.
bool ControlShown(HWND dialog, int id);
#endif

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_SUPPORT_MESSAGE_BOXES_H_
