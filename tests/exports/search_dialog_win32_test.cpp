// The search against a real modeless progress dialog, as the user sees it while it runs.
#include <windows.h>

#include <gtest/gtest.h>

#include "caller_values.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "progress_dialog.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

int32_t VEKAPI PassAll(SearchCriteria*, SnippetRecord*, uint8_t* bits, BSTR*, SAFEARRAY**, int32_t*) {
  *bits = 0;
  return 0;
}

int32_t VEKAPI MatchNothing(BSTR*, BSTR*) { return 0; }

std::string WindowText(HWND window) {
  char text[128] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

TEST(SearchDialogTest, ControlShowsEachPacketAndTheDialogIsEnded) {
  TempFolder folder;
  TestSnippet snippet;
  snippet.subject = "Swap two values";
  snippet.lines = {"SWAP A, B"};
  for (const char* base : {"MATH", "STRINGS", "GRAPHICS"}) WritePacket(folder.path(), base, BuildPacket({snippet}));

  ProgressDialog dialog(0);
  HWND control = GetDlgItem(dialog.handle(), ProgressDialog::kControl);
  ASSERT_TRUE(IsWindowVisible(dialog.handle()));
  // The user presses Escape while the search runs; the dialog's own keyboard handling turns it
  // into IDCANCEL, which the dialog receives during one of the search's message passes.
  PostMessageA(control, WM_KEYDOWN, VK_ESCAPE, 0);

  StringArray packets({"MATH~Numbers", "STRINGS", "GRAPHICS~Drawing"});
  Bstr folder_text(folder.path());
  SnippetRecord record{};
  CriteriaCallback criteria = &PassAll;
  MatchCallback match = &MatchNothing;
  StringArray results;
  SearchState state{};
  OldVekSearch(dialog.handle(), ProgressDialog::kControl, 1, 1, 3, packets.get(), folder_text.get(), &record,
               &criteria, &match, results.get(), &state);

  EXPECT_EQ(state.MatchCount, 3);
  EXPECT_EQ(dialog.record().texts, (std::vector<std::string>{"SEARCHING:\r\nMATH.VEK", "SEARCHING:\r\nSTRINGS.VEK",
                                                             "SEARCHING:\r\nGRAPHICS.VEK"}));
  EXPECT_EQ(WindowText(control), "SEARCHING:\r\nGRAPHICS.VEK");
  EXPECT_EQ(dialog.record().cancels, 1);
  EXPECT_TRUE(dialog.record().ended);
  EXPECT_FALSE(IsWindowVisible(dialog.handle()));
}

}  // namespace
}  // namespace oldvek::testing
