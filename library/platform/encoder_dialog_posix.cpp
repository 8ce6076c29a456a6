#include <string>

#include "oldvek_host.h"
#include "platform/encoder_dialog.h"
#include "platform/posix_host.h"

namespace oldvek {
namespace {

// The edit box's text as the driver keeps it: 256 characters.
constexpr int32_t kNameSize = 256 + 1;

// The host plays the dialog; its handle is this object's address, which the host sees in
// every call about it.
class HostEncoderDialog final : public EncoderDialog {
 public:
  explicit HostEncoderDialog(EncoderDialog::PressHandler on_press) : on_press_(std::move(on_press)) {}
  ~HostEncoderDialog() override {
    const OldVekHost& host = PosixHost();
    if (host.encoder_dialog_closed != nullptr) host.encoder_dialog_closed(host.context, hwnd());
  }
  HostEncoderDialog(const HostEncoderDialog&) = delete;
  HostEncoderDialog& operator=(const HostEncoderDialog&) = delete;

  void Show(std::string_view label, std::string_view output_name) {
    const OldVekHost& host = PosixHost();
    if (host.encoder_dialog_shown != nullptr) {
      host.encoder_dialog_shown(host.context, hwnd(), std::string(label).c_str(), std::string(output_name).c_str());
    }
  }

  void ChoosingPass() override {
    const OldVekHost& host = PosixHost();
    EncoderDialogPress press;
    if (host.encoder_dialog_pass == nullptr) {
      press.button = kCancelButton;  // nobody to choose
      on_press_(press);
      return;
    }
    int32_t checks[3] = {0, 0, 0};
    char name[kNameSize] = {};
    press.button = host.encoder_dialog_pass(host.context, hwnd(), checks, name, kNameSize);
    if (press.button != kFinishButton && press.button != kCancelButton) return;
    if (press.button == kFinishButton) {
      for (size_t i = 0; i < press.checked.size(); ++i) press.checked[i] = checks[i] != 0;
      name[kNameSize - 1] = '\0';  // whatever the host wrote
      press.name = name;
    }
    on_press_(press);
  }

  void ShrinkToLabel() override {
    const OldVekHost& host = PosixHost();
    if (host.encoder_dialog_shrunk != nullptr) host.encoder_dialog_shrunk(host.context, hwnd());
  }

  WindowHandle handle() const override { return const_cast<HostEncoderDialog*>(this); }

 private:
  HWND hwnd() const { return static_cast<HWND>(handle()); }

  EncoderDialog::PressHandler on_press_;
};

}  // namespace

Result<std::unique_ptr<EncoderDialog>> ShowEncoderDialog(std::string_view label, std::string_view output_name,
                                                         EncoderDialog::PressHandler on_press) {
  auto dialog = std::make_unique<HostEncoderDialog>(std::move(on_press));
  dialog->Show(label, output_name);
  return std::unique_ptr<EncoderDialog>(std::move(dialog));
}

}  // namespace oldvek
