// The driver's failure paths, which the export tests cannot reach: a file operation that
// fails, a dialog that cannot be made, options no user can select together.
#include "encoder/encoder_driver.h"

#include <gtest/gtest.h>

#include <optional>

#include "faulty_file_system.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

struct Screen final : Ui {
  int32_t ShowMessageBox(std::string_view text, std::string_view caption, uint32_t) override {
    boxes.push_back(std::string(caption) + ": " + std::string(text));
    return kAnswerOk;
  }
  void PumpMessages(WindowHandle, MessagePass) override {}
  void SetControlText(WindowHandle, int32_t, std::string_view) override {}
  void EndDialog(WindowHandle, intptr_t) override {}
  void EnableWindow(WindowHandle, bool enable) override { parent_enabled = enable; }
  void Sleep(uint32_t) override {}

  std::vector<std::string> boxes;
  bool parent_enabled = true;
  bool dialog_up = false;
};

// A dialog whose user presses FINISH with the given options and name at once.
class PressingDialog final : public EncoderDialog {
 public:
  PressingDialog(Screen& screen, EncoderDialogPress press, PressHandler on_press)
      : screen_(screen), press_(std::move(press)), on_press_(std::move(on_press)) {
    screen_.dialog_up = true;
  }
  ~PressingDialog() override { screen_.dialog_up = false; }
  void ChoosingPass() override { on_press_(press_); }
  void ShrinkToLabel() override {}
  WindowHandle handle() const override { return nullptr; }

 private:
  Screen& screen_;
  EncoderDialogPress press_;
  PressHandler on_press_;
};

class EncoderDriverTest : public ::testing::Test {
 protected:
  // Runs the encoder on DATA.BIN with a dialog whose user presses FINISH with `press`, or,
  // without one, with a dialog that cannot be made.
  EncoderOutcome Run(FileSystem& file_system, std::optional<EncoderDialogPress> press) {
    const EncoderScreen screen{screen_, [&](std::string_view, std::string_view, EncoderDialog::PressHandler on_press) {
                                 if (!press)
                                   return Result<std::unique_ptr<EncoderDialog>>(Status::Error("no dialog today"));
                                 return Result<std::unique_ptr<EncoderDialog>>(
                                     std::make_unique<PressingDialog>(screen_, *press, std::move(on_press)));
                               }};
    EncoderChoices choices;
    return RunZorvitEncoder(file_system, screen, choices, {input_, folder_.File("OUT.BAS"), &screen_});
  }

  TempFolder folder_;
  std::string input_ = folder_.File("DATA.BIN");
  Screen screen_;
};

// Every refusal is shown once, with the parent enabled again and the dialog gone. The encoding
// fails at one step only: the file encoder's own test goes through every one. 1 + 3 names no
// dialect; only a program can select two options of the group (BM_SETCHECK).
TEST_F(EncoderDriverTest, EveryRefusalIsShownOnce) {
  WriteFileBytes(input_, "hello");
  const EncoderDialogPress quick_basic = {kFinishButton, {false, false, true}, "PAGES"};
  FaultyFileSystem measuring(FileSystem::Default(), 1);
  FaultyFileSystem encoding(FileSystem::Default(), 3);  // 1 and 2 measure the input
  const std::pair<FileSystem*, std::optional<EncoderDialogPress>> runs[] = {
      {&measuring, quick_basic},
      {&encoding, quick_basic},
      {&FileSystem::Default(), EncoderDialogPress{kFinishButton, {true, false, true}, ""}},
      {&FileSystem::Default(), std::nullopt},
  };
  for (const auto& [file_system, press] : runs) {
    EXPECT_EQ(Run(*file_system, press).status, -1);
    EXPECT_TRUE(screen_.parent_enabled);
    EXPECT_FALSE(screen_.dialog_up);
  }
  const std::string cannot_open = "OldVek: cannot open " + input_ + ": injected failure at operation ";
  EXPECT_EQ(screen_.boxes,
            (std::vector<std::string>{cannot_open + "1", cannot_open + "3",
                                      "LANGUAGE ERROR: You did not select a language for ZORVIT encoding",
                                      "OldVek: no dialog today"}));
}

}  // namespace
}  // namespace oldvek::testing
