// VekHelp.exe: the help viewer's dialog. The command line's argument text names the first
// topic; the exit code is always 0.
#include <windows.h>

#include "command_line.h"
#include "win32/help_dialog_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  vekhelp::HelpDialog dialog(vekhelp::HelpFile(), vekhelp::FirstTopic(vekhelp::ArgumentText(GetCommandLineA())));
  dialog.Run(instance);
  return 0;
}
