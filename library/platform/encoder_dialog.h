#ifndef OLDVEK_PLATFORM_ENCODER_DIALOG_H_
#define OLDVEK_PLATFORM_ENCODER_DIALOG_H_

// The encoder's dialog as a small view: shown with a label and an output name, it reports
// presses of FINISH and CANCEL, then shrinks to its label while the pages are written. On
// Windows it is a modeless USER32 dialog built from a template in memory; on Linux the host
// installed through OldVekSetHost plays it.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/status.h"
#include "platform/ui.h"

namespace oldvek {

enum EncoderDialogControl : int32_t {
  kPowerBasicOption = 1500,
  kVisualBasicOption = 1501,
  kQuickBasicOption = 1502,
  kOutputNameBox = 1503,
  kFinishButton = 1504,
  kCancelButton = 1505,
  kEncodingLabel = 1506,
};

inline constexpr std::string_view kEncoderDialogCaption = "Zorvit Encoding - Select Language";

// What the dialog's callback reads when a button is pressed.
struct EncoderDialogPress {
  int32_t button = 0;                // kFinishButton or kCancelButton
  std::array<bool, 3> checked = {};  // the options 1500, 1501, 1502 (FINISH only)
  std::string name;                  // the edit box's text (FINISH only)
};

class EncoderDialog {
 public:
  using PressHandler = std::function<void(const EncoderDialogPress&)>;

  // Closes the dialog if it is still up.
  virtual ~EncoderDialog() = default;

  // One pass of the message loop while the user chooses: at most one message, or a pause of
  // a millisecond when none waits. A press reaches the handler from inside the pass; a dialog
  // that has disappeared reports CANCEL.
  virtual void ChoosingPass() = 0;
  // Removes the options, the buttons and the edit box and shrinks the dialog to its label,
  // letting the dialog take its messages after each step.
  virtual void ShrinkToLabel() = 0;
  virtual WindowHandle handle() const = 0;
};

// Builds and shows the dialog of this platform, without an owner.
Result<std::unique_ptr<EncoderDialog>> ShowEncoderDialog(std::string_view label, std::string_view output_name,
                                                         EncoderDialog::PressHandler on_press);

}  // namespace oldvek

#endif  // OLDVEK_PLATFORM_ENCODER_DIALOG_H_
