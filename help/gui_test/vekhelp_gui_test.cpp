// Starts VekHelp.exe (built beside this program) in a folder holding a help file of the test's
// own, and drives its dialog from outside through the messages a user's clicks would send.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "testing/temp_help_file.h"
#include "topic_text.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using vekhelp::TopicText;

// The dialog's controls, restated here so that a wrong id in the viewer shows.
enum : int { kFindBox = 4501, kSearchButton, kExitButton, kContentsList, kTopicTextBox, kSeeAlsoList };

// One run of VekHelp.exe and its dialog, in a folder of its own with the help file.
class RunningViewer {
 public:
  explicit RunningViewer(const std::string& arguments) {
    help_.Write({"<CONTENTS>",
                 "INTRODUCTION",
                 "SORTING",
                 "SEARCHING",
                 "FILES",
                 "<END>",
                 "<INTRODUCTION>",
                 "Welcome to the window test.",
                 "[SORTING][FILES]",
                 "<END>",
                 "<SORTING>",
                 "A bubble sort swaps neighbours.",
                 "[SEARCHING][FILES]",
                 "<END>",
                 "<SEARCHING>",
                 "A binary search halves the range.",
                 "A bubble of air rises.",
                 "[SORTING]",
                 "<END>",
                 "<FILES>",
                 "Files are opened on every request.",
                 "<ENDHELP>"});
    char own_path[MAX_PATH];
    GetModuleFileNameA(nullptr, own_path, MAX_PATH);
    const std::string program = (fs::path(own_path).parent_path() / "VekHelp.exe").string();
    std::string command_line = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, help_.path().c_str(),
                        &startup, &process_)) {
      ADD_FAILURE() << "cannot start " << program;
      return;
    }
    // The dialog is shown once its initialisation has filled it. A first start of a fresh
    // build under Wine on a loaded machine can take many seconds, hence the long patience.
    WaitForInputIdle(process_.hProcess, 30000);
    for (int tries = 0; tries < 600 && !IsWindowVisible(dialog_); ++tries) {
      for (HWND found = nullptr; (found = FindWindowExA(nullptr, found, WC_DIALOG, "VEK Help")) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        if (owner == process_.dwProcessId) dialog_ = found;
      }
      Sleep(50);
    }
    if (!IsWindowVisible(dialog_)) {
      ADD_FAILURE() << "no \"VEK Help\" window appeared";
      dialog_ = nullptr;
    }
  }

  ~RunningViewer() {
    if (process_.hProcess == nullptr) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      ADD_FAILURE() << "the viewer was still running at the end of the test";
      TerminateProcess(process_.hProcess, 1);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }

  HWND dialog() const { return dialog_; }
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }

  // Read through the wide messages: Wine 8 mishandles LB_GETTEXT sent to another process in
  // its ANSI form (the sender crashes or hangs). The entries are ASCII.
  Lines List(int id) const {
    Lines entries;
    const HWND list = Control(id);
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
      if (length == LB_ERR) break;
      std::wstring entry(static_cast<size_t>(length) + 1, L'\0');
      const LRESULT got = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
      entry.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
      entries.emplace_back(entry.begin(), entry.end());
    }
    return entries;
  }

  // The text box, the contents selection and the see-also list, all checked at once.
  void Expect(const std::string& text, LRESULT selection, const Lines& see_also) const {
    char shown[4096] = {};  // far more than any topic of the test's file
    SendMessageA(Control(kTopicTextBox), WM_GETTEXT, sizeof shown, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(shown, text);
    EXPECT_EQ(SendMessageA(Control(kContentsList), LB_GETCURSEL, 0, 0), selection);
    EXPECT_EQ(List(kSeeAlsoList), see_also);
  }

  // Selects an entry and double-clicks it, as the list box reports a double-click.
  void DoubleClick(int list, int index) const {
    SendMessageA(Control(list), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(list, LBN_DBLCLK), reinterpret_cast<LPARAM>(Control(list)));
  }

  // Waits for the program to end; its exit code, or -1 when it did not end.
  long ExitCode() const {
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  vekhelp::testing::TempHelpFile help_;
  PROCESS_INFORMATION process_{};
  HWND dialog_ = nullptr;
};

TEST(VekHelpGuiTest, QuotedTopicThenSearchAndDoubleClicksThenExitHelp) {
  RunningViewer viewer("\"<SORTING>\"");
  ASSERT_NE(viewer.dialog(), nullptr);
  EXPECT_EQ(viewer.List(kContentsList), (Lines{"INTRODUCTION", "SORTING", "SEARCHING", "FILES"}));
  const std::string sorting = TopicText({"<SORTING>", "A bubble sort swaps neighbours."});
  viewer.Expect(sorting, 1, {"SEARCHING", "FILES"});
  SendMessageA(viewer.Control(kFindBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("bubble"));
  SendMessageA(viewer.Control(kSearchButton), BM_CLICK, 0, 0);
  viewer.Expect(sorting, 1, {"SEARCHING", "FILES", "<SORTING>", "<SEARCHING>"});
  viewer.DoubleClick(kSeeAlsoList, 3);  // the result <SEARCHING>, loaded as it is
  viewer.Expect(TopicText({"<SEARCHING>", "A binary search halves the range.", "A bubble of air rises."}), 2,
                {"SORTING"});
  viewer.DoubleClick(kContentsList, 3);  // FILES has no see-also line
  viewer.Expect(TopicText({"<FILES>", "Files are opened on every request."}), 3, {});
  SendMessageA(viewer.Control(kExitButton), BM_CLICK, 0, 0);
  EXPECT_EQ(viewer.ExitCode(), 0);
}

TEST(VekHelpGuiTest, NoArgumentShowsTheIntroductionAndTheCloseBoxEnds) {
  RunningViewer viewer("");
  ASSERT_NE(viewer.dialog(), nullptr);
  viewer.Expect(TopicText({"<INTRODUCTION>", "Welcome to the window test."}), 0, {"SORTING", "FILES"});
  PostMessageA(viewer.dialog(), WM_CLOSE, 0, 0);
  EXPECT_EQ(viewer.ExitCode(), 0);
}

}  // namespace
