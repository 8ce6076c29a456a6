// OldVekCreateCDE against a real dialog: the progress control is given the text of each snippet
// written, and the messages waiting for the dialog are dispatched during the call.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "caller_values.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "progress_dialog.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

TEST(OldVekCreateCDEDialogTest, TheProgressControlShowsEachSnippetWritten) {
  TempFolder folder;
  WritePacket(folder.path(), "FIRST", BuildPacket({SampleSnippet("Early", {"CLS"})}));
  WritePacket(folder.path(), "SECOND",
              BuildPacket({SampleSnippet("Middle", {"BEEP"}), SampleSnippet("Last one   ", {"END"})}));
  ProgressDialog dialog;

  IntegerArray selected({1, 2});
  StringArray packet_list({"FIRST~one", "SECOND~two"});
  Bstr code_name("OUT");
  Bstr folder_text(folder.path());
  Bstr head1("VEK");
  Bstr head2("");
  int32_t ignored = 0;
  OldVekCreateCDE(dialog.handle(), ProgressDialog::kControl, 1, 2, selected.get(), code_name.get(), &ignored,
                  packet_list.get(), folder_text.get(), head1.get(), head2.get(), folder_text.get());

  const std::string second = "Working on \r\nSECOND.VEK\r\n\r\nInstalling\r\n";
  EXPECT_EQ(dialog.record().texts, (std::vector<std::string>{"Working on \r\nFIRST.VEK\r\n\r\nInstalling\r\nEarly",
                                                             second + "Middle", second + "Last one"}));
  EXPECT_EQ(dialog.record().messages_taken, ProgressDialog::kQueued) << "the waiting messages were taken";
  EXPECT_TRUE(FileExists(folder.File("OUT.CDE")));
}

}  // namespace
}  // namespace oldvek::testing
