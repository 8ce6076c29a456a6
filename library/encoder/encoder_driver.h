#ifndef OLDVEK_ENCODER_ENCODER_DRIVER_H_
#define OLDVEK_ENCODER_ENCODER_DRIVER_H_

// The encoder as the reader calls it: the dialog asks for the dialect and the output name,
// the name is checked, and the pages are written with the dialog's label naming each one.
// The dialog's choices are handed back in EncoderChoices; the export keeps them for the
// reader (encoder_choices.h).

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "platform/encoder_dialog.h"
#include "platform/file.h"
#include "platform/ui.h"

namespace oldvek {

struct EncoderCall {
  std::string input_path;
  std::string suggested_path;     // its last component is the default output name
  WindowHandle parent = nullptr;  // disabled while the call runs
};

// What the user chose in the dialog: the button pressed last and, once FINISH was pressed,
// the check states of the options 1500, 1501 and 1502 and the edit box's text.
struct EncoderChoices {
  int32_t button = 0;
  bool finished = false;
  std::array<bool, 3> checked{};
  std::string name;
};

struct EncoderOutcome {
  int32_t status = 0;                   // 0 cancelled, -1 refused or failed, else the page count
  std::vector<std::string> page_files;  // full paths, page 1 first, when pages were written
};

// Where the driver shows things: message boxes and message passes, and its dialog.
struct EncoderScreen {
  using DialogMaker = std::function<Result<std::unique_ptr<EncoderDialog>>(
      std::string_view label, std::string_view output_name, EncoderDialog::PressHandler on_press)>;

  Ui& ui;
  DialogMaker show_dialog;
};

// Every failure has been shown to the user by the time this returns; the parent window is
// enabled again on every return.
EncoderOutcome RunZorvitEncoder(FileSystem& file_system, const EncoderScreen& screen, EncoderChoices& choices,
                                const EncoderCall& call);

}  // namespace oldvek

#endif  // OLDVEK_ENCODER_ENCODER_DRIVER_H_
