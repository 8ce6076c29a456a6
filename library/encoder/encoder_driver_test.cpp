// The driver's failure paths, which the export tests cannot reach: a file operation that
// fails at any step, a dialog that cannot be made, options no user can select together.
#include "encoder/encoder_driver.h"

#include <gtest/gtest.h>

#include <filesystem>
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
                                 if (!press) return Result<std::unique_ptr<EncoderDialog>>(Status::Error("no dialog today"));
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

TEST_F(EncoderDriverTest, AFailureAtAnyStepIsShownOnce) {
  WriteFileBytes(input_, std::string(156001, 'v'));
  const EncoderDialogPress press = {kFinishButton, {false, false, true}, "PAGES"};
  FaultyFileSystem counting;
  const EncoderOutcome whole = Run(counting, press);
  ASSERT_EQ(whole.status, 2);

  for (uint64_t n = 1; n <= counting.operations(); ++n) {
    SCOPED_TRACE("operation " + std::to_string(n));
    for (const std::string& page : whole.page_files) std::filesystem::remove(page);
    screen_.boxes.clear();
    FaultyFileSystem faulty(FileSystem::Default(), n);
    const EncoderOutcome outcome = Run(faulty, press);
    EXPECT_EQ(outcome.status, -1);
    EXPECT_TRUE(outcome.page_files.empty());
    ASSERT_EQ(screen_.boxes.size(), 1u);
    EXPECT_NE(screen_.boxes[0].find("OldVek: cannot "), std::string::npos) << screen_.boxes[0];
    EXPECT_NE(screen_.boxes[0].find(folder_.path()), std::string::npos) << screen_.boxes[0];
    EXPECT_TRUE(screen_.parent_enabled);
    EXPECT_FALSE(screen_.dialog_up);
  }
}

// Only a program can select two options of the group (BM_SETCHECK); 1 + 3 names no dialect.
TEST_F(EncoderDriverTest, NoDialectChosenOrNoDialectMadeIsShown) {
  WriteFileBytes(input_, "hello");
  const EncoderOutcome outcome = Run(FileSystem::Default(), EncoderDialogPress{kFinishButton, {true, false, true}, ""});
  EXPECT_EQ(outcome.status, -1);
  EXPECT_FALSE(FileExists(folder_.File("OUT.BAS")));
  EXPECT_EQ(Run(FileSystem::Default(), std::nullopt).status, -1);
  EXPECT_EQ(screen_.boxes, (std::vector<std::string>{"LANGUAGE ERROR: You did not select a language for ZORVIT encoding",
                                                     "OldVek: no dialog today"}));
  EXPECT_TRUE(screen_.parent_enabled);
}

}  // namespace
}  // namespace oldvek::testing
