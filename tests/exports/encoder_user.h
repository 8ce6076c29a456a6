#ifndef OLDVEK_TESTS_EXPORTS_ENCODER_USER_H_
#define OLDVEK_TESTS_EXPORTS_ENCODER_USER_H_

// A scripted user at the encoder's dialog, and what the library showed them. On Windows the
// export runs on the test's thread while a second thread finds the real dialog by its caption,
// clicks an option, types the name, presses FINISH or CANCEL and answers the message boxes;
// on Linux the host callbacks installed through OldVekSetHost play the same dialog. With
// OLDVEK_SCREENSHOTS set, the Windows user has the display saved as encoder-dialog.png when
// the dialog first shows and as encoder-encoding.png when the pages are written.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "caller_values.h"
#include "oldvek.h"

namespace oldvek::testing {

inline constexpr int32_t kPowerBasic = 1500;
inline constexpr int32_t kVisualBasic = 1501;
inline constexpr int32_t kQuickBasic = 1502;
inline constexpr int32_t kFinish = 1504;
inline constexpr int32_t kCancel = 1505;

// One visit to the dialog while it waits for a button.
struct DialogTurn {
  int32_t option = 0;               // the option clicked (1500, 1501, 1502); 0 clicks none
  std::optional<std::string> name;  // typed over the edit box's text; nothing leaves it
  int32_t button = kFinish;
};

#if defined(_WIN32)
inline constexpr bool kPassesSeen = false;
#else
inline constexpr bool kPassesSeen = true;
#endif

class EncoderUser {
 public:
  // `overwrite` answers the question about an existing output file.
  explicit EncoderUser(std::vector<DialogTurn> turns, bool overwrite = false)
      : turns_(std::move(turns)), overwrite_(overwrite) {}

  // Calls EncodeZorvit with the user at the dialog and a parent window of the test's; returns
  // the status, and the page list in `pages`.
  int32_t Encode(std::string_view input_path, std::string_view suggested_path, StringArray& pages);

  // What the user saw, in order, the same on both hosts:
  //   "parent disabled", "shown <label> | <name>" (as the dialog first showed them), "shrunk"
  //   (only the label left, at 158 x 75 with the label at 1, 10, 146 x 30), "label <text>",
  //   "box <caption>: <text>" with " (style 0x...)" for MessageBoxA flags other than MB_OK,
  //   "no turn left" (the dialog waited again; answered CANCEL), "parent enabled", "closed".
  // The Linux host also notes "pass" for each full message pass of the dialog (kPassesSeen).
  const std::vector<std::string>& seen() const { return seen_; }

  // Called with the dialog's handle as soon as it shows, before the first turn (on Windows
  // from the user's thread, while the library's thread serves the dialog).
  void OnDialogShown(std::function<void(HWND dialog)> look) { on_shown_ = std::move(look); }

 private:
  struct Script;

  // Windows notes from two threads: the user's and the library's.
  void Note(std::string entry) {
    const std::lock_guard lock(seen_mutex_);
    seen_.push_back(std::move(entry));
  }
  void NoteBox(std::string_view caption, std::string_view text, uint32_t style) {
    char flags[24] = "";
    if (style != 0) std::snprintf(flags, sizeof flags, " (style 0x%x)", static_cast<unsigned>(style));
    Note("box " + std::string(caption) + ": " + std::string(text) + flags);
  }

  std::vector<DialogTurn> turns_;
  bool overwrite_;
  std::function<void(HWND)> on_shown_;
  std::mutex seen_mutex_;
  std::vector<std::string> seen_;
};

#if defined(_WIN32)
// A rectangle of dialog units in `dialog`'s pixels; position and size are mapped apart, as the
// dialog manager maps a template.
RECT Pixels(HWND dialog, LONG x, LONG y, LONG cx, LONG cy);
#endif

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_EXPORTS_ENCODER_USER_H_
