#include "encoder/encoder_driver.h"

#include <algorithm>
#include <optional>

#include "base/text.h"
#include "encoder/encoder_names.h"
#include "encoder/page_names.h"
#include "encoder/zorvit_file_encoder.h"

namespace oldvek {
namespace {

constexpr size_t kQuickBasicNameLimit = 12;
constexpr size_t kBoxTextLimit = 256;  // of the edit box's text, the driver keeps this much
constexpr OpenOptions kInputOpen{Access::kRead, Share::kShared, Disposition::kOpenExisting};

// The dialog's callback: what was pressed, and on FINISH the options and the name.
void RecordPress(EncoderChoices& choices, const EncoderDialogPress& press) {
  if (press.button == kFinishButton) {
    choices.finished = true;
    for (size_t i = 0; i < choices.checked.size(); ++i) choices.checked[i] = press.checked[i];
    choices.name = press.name.substr(0, std::min(press.name.size(), kBoxTextLimit));
  }
  choices.button = press.button;
}

// The options' numbers added up, as the dialect table is indexed; only one option can be
// selected by the user, and a sum that names no dialect is no choice.
std::optional<TargetDialect> ChosenDialect(const EncoderChoices& choices) {
  const int sum = (choices.checked[0] ? 1 : 0) + (choices.checked[1] ? 2 : 0) + (choices.checked[2] ? 3 : 0);
  if (sum < static_cast<int>(TargetDialect::kPowerBasic) || sum > static_cast<int>(TargetDialect::kQuickBasic)) {
    return std::nullopt;
  }
  return static_cast<TargetDialect>(sum);
}

Result<uint64_t> InputLength(FileSystem& file_system, const std::string& path) {
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> input, file_system.Open(path, kInputOpen));
  return input->Size();
}

// Why a QBasic/QB/PDS name cannot be used: too long when typed, or pages that would share a
// file. Nothing when it can; a failure when the input cannot be measured.
Result<std::optional<std::string>> QuickBasicNameProblem(FileSystem& file_system, const std::string& input_path,
                                                         const OutputName& output) {
  if (output.typed && output.name.size() > kQuickBasicNameLimit) {
    return std::optional<std::string>("QB/PDS file names can only be a maximum of 12 characters");
  }
  OLDVEK_ASSIGN_OR_RETURN(uint64_t length, InputLength(file_system, input_path));
  Result<std::vector<std::string>> names = PageFileNames(output.name, PageCount(TargetDialect::kQuickBasic, length));
  if (!names.ok())
    return std::optional<std::string>("The QB/PDS pages cannot be told apart: " + names.status().message());
  return std::optional<std::string>();
}

// The dialog and the disabled parent of one call. The parent is enabled again before the
// dialog goes, so that Windows gives the activation back to the reader.
class EncoderSession {
 public:
  EncoderSession(Ui& ui, WindowHandle parent) : ui_(ui), parent_(parent) {
    if (parent_ != nullptr) ui_.EnableWindow(parent_, false);
  }
  ~EncoderSession() {
    if (parent_ != nullptr) ui_.EnableWindow(parent_, true);
    dialog_.reset();
  }
  EncoderSession(const EncoderSession&) = delete;
  EncoderSession& operator=(const EncoderSession&) = delete;

  std::unique_ptr<EncoderDialog>& dialog() { return dialog_; }

 private:
  Ui& ui_;
  WindowHandle parent_;
  std::unique_ptr<EncoderDialog> dialog_;
};

EncoderOutcome Refused(Ui& ui, std::string_view text, std::string_view caption) {
  ui.ShowMessageBox(text, caption, kOkOnly);
  return {-1, {}};
}

}  // namespace

EncoderOutcome RunZorvitEncoder(FileSystem& file_system, const EncoderScreen& screen, EncoderChoices& choices,
                                const EncoderCall& call) {
  Ui& ui = screen.ui;
  const EncoderPaths paths = DeriveEncoderPaths(call.input_path, call.suggested_path);
  choices.button = 0;  // only a button pressed in this dialog ends the wait
  EncoderSession session(ui, call.parent);
  Result<std::unique_ptr<EncoderDialog>> shown =
      screen.show_dialog("Encoding " + paths.input_name + "\r\nto", paths.default_name,
                         [&choices](const EncoderDialogPress& press) { RecordPress(choices, press); });
  if (!shown.ok()) return Refused(ui, shown.status().message(), kLibraryCaption);
  EncoderDialog& dialog = **shown;
  session.dialog() = std::move(*shown);

  EncodeRequest request;
  request.input_path = call.input_path;
  request.input_name = paths.input_name;
  request.output_folder = paths.output_folder;
  for (;;) {
    while (choices.button != kFinishButton && choices.button != kCancelButton) dialog.ChoosingPass();
    if (choices.button == kCancelButton) return {0, {}};

    const std::optional<TargetDialect> dialect = ChosenDialect(choices);
    if (!dialect) return Refused(ui, "You did not select a language for ZORVIT encoding", "LANGUAGE ERROR");
    const OutputName output = ChooseOutputName(choices.name, paths.default_name);
    if (*dialect == TargetDialect::kQuickBasic) {
      Result<std::optional<std::string>> problem = QuickBasicNameProblem(file_system, call.input_path, output);
      if (!problem.ok()) return Refused(ui, problem.status().message(), kLibraryCaption);
      if (problem->has_value()) {
        ui.ShowMessageBox(**problem, "FILE NAME ERROR", kOkOnly);
        choices.button = 0;  // wait for a new press, not this one again
        continue;
      }
    }
    request.dialect = *dialect;
    request.output_name = output.name;
    break;
  }

  const std::string first_page = request.output_folder + request.output_name;
  if (file_system.Exists(first_page)) {
    const int32_t answer = ui.ShowMessageBox(first_page + " already exists.  Do you want to overwrite it?",
                                             request.output_name + " EXISTS",
                                             kYesNo | kIconQuestion | kDefaultSecondButton | kSystemModal);
    if (answer != kAnswerYes) return {-1, {}};
  }

  dialog.ShrinkToLabel();
  Result<std::vector<std::string>> pages =
      EncodeZorvitPages(file_system, request, [&](uint64_t, const std::string& page_path) {
        ui.SetControlText(dialog.handle(), kEncodingLabel, "Encoding " + call.input_path + " to " + page_path);
        ui.PumpMessages(dialog.handle(), MessagePass::kAllWaiting);
      });
  if (!pages.ok()) return Refused(ui, pages.status().message(), kLibraryCaption);
  ui.ShowMessageBox("Zorvit encoding complete", "Encoding Finished", kOkOnly);
  return {static_cast<int32_t>(pages->size()), std::move(*pages)};
}

}  // namespace oldvek
