#ifndef OLDVEK_PLATFORM_UI_H_
#define OLDVEK_PLATFORM_UI_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace oldvek {

// A window of the caller's (HWND on Windows; an opaque value the host gave on Linux).
using WindowHandle = void*;

// Message box buttons, icons and answers, with the values of MessageBoxA.
enum MessageBoxStyle : uint32_t {
  kOkOnly = 0x0,
  kYesNo = 0x4,
  kIconQuestion = 0x20,
  kDefaultSecondButton = 0x100,
  kSystemModal = 0x1000,
};
enum MessageBoxAnswer : int32_t { kAnswerOk = 1, kAnswerYes = 6, kAnswerNo = 7 };

// The caption of the library's error and verdict boxes where no other caption is given.
inline constexpr std::string_view kLibraryCaption = "OldVek";

enum class MessagePass {
  kOneMessage,  // at most one waiting message; sleeps 1 ms when none waits
  kAllWaiting,  // every waiting message
};

// What the library does on the screen. On Windows these are USER32 calls; on Linux they go
// to the host installed through OldVekSetHost.
class Ui {
 public:
  virtual ~Ui() = default;

  // A message box with no owner window; returns the answer.
  virtual int32_t ShowMessageBox(std::string_view text, std::string_view caption, uint32_t style) = 0;
  // One pass of the calling thread's message loop; `dialog` takes its keyboard messages.
  virtual void PumpMessages(WindowHandle dialog, MessagePass pass) = 0;
  virtual void SetControlText(WindowHandle dialog, int32_t control, std::string_view text) = 0;
  virtual void EndDialog(WindowHandle dialog, intptr_t result) = 0;
  virtual void EnableWindow(WindowHandle window, bool enable) = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;

  // The user interface of this platform.
  static Ui& Current();
};

// An OK box with the library's caption: how failures reach the user.
void ShowError(std::string_view text);

}  // namespace oldvek

#endif  // OLDVEK_PLATFORM_UI_H_
