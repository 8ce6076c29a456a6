// OldVekCreateCDE against a real dialog: the progress control ends with the text of the last
// snippet written, and the messages waiting for the dialog are dispatched during the call.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "caller_values.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

constexpr int kProgressId = 1042;
constexpr UINT kWaiting = WM_APP + 7;

TestSnippet Snippet(std::string subject, std::vector<std::string> lines) {
  TestSnippet s;
  s.author = "Ray Nolan";
  s.subject = std::move(subject);
  s.lines = std::move(lines);
  return s;
}

TEST(OldVekCreateCDEDialogTest, TheProgressControlShowsTheLastSnippetWritten) {
  TempFolder folder;
  WritePacket(folder.path(), "FIRST", BuildPacket({Snippet("Early", {"CLS"})}));
  WritePacket(folder.path(), "SECOND", BuildPacket({Snippet("Middle", {"BEEP"}), Snippet("Last one   ", {"END"})}));

  HWND dialog = CreateWindowExA(0, WC_DIALOG, "Writing the code file", WS_POPUP | WS_CAPTION, 10, 10, 300, 160, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(dialog, nullptr);
  HWND control =
      CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT, 8, 8, 280, 120, dialog,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProgressId)), GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(control, nullptr);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  for (int i = 0; i < 5; ++i) PostMessageA(dialog, kWaiting, 0, 0);

  IntegerArray selected({1, 2});
  StringArray packet_list({"FIRST~one", "SECOND~two"});
  Bstr code_name("OUT");
  Bstr folder_text(folder.path());
  Bstr head1("VEK");
  Bstr head2("");
  int32_t ignored = 0;
  OldVekCreateCDE(dialog, kProgressId, 1, 2, selected.get(), code_name.get(), &ignored, packet_list.get(),
                  folder_text.get(), head1.get(), head2.get(), folder_text.get());

  char text[512] = {};
  GetDlgItemTextA(dialog, kProgressId, text, sizeof text);
  EXPECT_EQ(std::string(text), "Working on \r\nSECOND.VEK\r\n\r\nInstalling\r\nLast one");
  EXPECT_FALSE(PeekMessageA(&message, dialog, kWaiting, kWaiting, PM_NOREMOVE)) << "the waiting messages were taken";
  EXPECT_TRUE(FileExists(folder.File("OUT.CDE")));
  DestroyWindow(dialog);
}

}  // namespace
}  // namespace oldvek::testing
