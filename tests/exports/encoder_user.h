#ifndef OLDVEK_TESTS_EXPORTS_ENCODER_USER_H_
#define OLDVEK_TESTS_EXPORTS_ENCODER_USER_H_

// A scripted user at the encoder's dialog, and what the library showed them. On Windows the
// export runs on the test's thread while a second thread finds the real dialog by its caption,
// clicks an option, types the name, presses FINISH or CANCEL and answers the message boxes;
// on Linux the host callbacks installed through OldVekSetHost play the same dialog.

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
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

struct MessageBoxSeen {
  std::string caption;
  std::string text;
  uint32_t style = 0;  // MessageBoxA flags: buttons, icon, default button, system-modal
  bool operator==(const MessageBoxSeen&) const = default;
};

inline void PrintTo(const MessageBoxSeen& box, std::ostream* out) {
  *out << box.caption << ": " << box.text << " (style 0x" << std::hex << box.style << std::dec << ")";
}

class EncoderUser {
 public:
  struct Record {
    std::string label_shown;  // the label and the edit box as the dialog first showed them
    std::string name_shown;
    bool parent_disabled_while_shown = false;
    bool parent_enabled_after = false;
    int unexpected_waits = 0;  // times the dialog waited with no turn left (answered CANCEL)
    std::vector<MessageBoxSeen> boxes;
    bool shrunk = false;              // only the label left, at 158 x 75 with the label at 1, 10, 146 x 30
    std::vector<std::string> labels;  // the label's texts while encoding
    bool closed = false;              // the dialog is gone after the call
  };

  // `overwrite` answers the question about an existing output file.
  explicit EncoderUser(std::vector<DialogTurn> turns, bool overwrite = false)
      : turns_(std::move(turns)), overwrite_(overwrite) {}

  // Calls EncodeZorvit with the user at the dialog and a parent window of the test's; returns
  // the status, and the page list in `pages`.
  int32_t Encode(std::string_view input_path, std::string_view suggested_path, StringArray& pages);

  const Record& record() const { return record_; }

  // Windows: the next Encode saves the display as encoder-dialog.png when the dialog first
  // shows and as encoder-encoding.png when the pages are written, into the folder that the
  // environment variable OLDVEK_SCREENSHOTS names (nothing without it).
  void TakeScreenshots() { screenshots_ = true; }

  // Called with the dialog's handle as soon as it shows, before the first turn (on Windows
  // from the user's thread, while the library's thread serves the dialog).
  void OnDialogShown(std::function<void(HWND dialog)> look) { on_shown_ = std::move(look); }

  // Linux: what happened in order ("shown", "pass", "label <text>", "shrunk", "box <caption>",
  // "enable 0|1", "closed"); empty on Windows.
  const std::vector<std::string>& events() const { return events_; }

 private:
  struct Script;

  std::vector<DialogTurn> turns_;
  bool overwrite_;
  bool screenshots_ = false;
  std::function<void(HWND)> on_shown_;
  Record record_;
  std::vector<std::string> events_;
};

#if defined(_WIN32)
std::string TextOf(HWND window);
// A rectangle of dialog units in `dialog`'s pixels; position and size are mapped apart, as the
// dialog manager maps a template.
RECT Pixels(HWND dialog, LONG x, LONG y, LONG cx, LONG cy);
#endif

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_EXPORTS_ENCODER_USER_H_
