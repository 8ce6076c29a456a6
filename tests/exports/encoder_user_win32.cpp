#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "encoder_user.h"
#include "message_boxes.h"

namespace oldvek::testing {
namespace {

constexpr const char* kDialogCaption = "Zorvit Encoding - Select Language";
constexpr int32_t kLabel = 1506;
constexpr int32_t kNameBox = 1503;

// A message box's MessageBoxA flags, read back from its controls.
uint32_t StyleOf(HWND box) {
  uint32_t style = 0;
  if (ControlShown(box, IDYES) && ControlShown(box, IDNO)) {
    style |= MB_YESNO;
    if ((GetWindowLongA(GetDlgItem(box, IDNO), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON) style |= MB_DEFBUTTON2;
  }
  if ((GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) style |= MB_SYSTEMMODAL;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child) || (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
    const HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    if (icon != nullptr) style |= icon == LoadIconA(nullptr, IDI_QUESTION) ? MB_ICONQUESTION : 0x80000000u;
  }
  return style;
}

// The dialog as the pages are written: only the label is left, at its new place.
bool Shrunk(HWND dialog) {
  for (int id : {kPowerBasic, kVisualBasic, kQuickBasic, kFinish, kCancel, kNameBox}) {
    if (GetDlgItem(dialog, id) != nullptr) return false;
  }
  RECT outer;
  GetWindowRect(dialog, &outer);
  const RECT size = Pixels(dialog, 0, 0, 158, 75);
  RECT place;
  GetWindowRect(GetDlgItem(dialog, kLabel), &place);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
  const RECT wanted = Pixels(dialog, 1, 10, 146, 30);
  const bool sized = outer.right - outer.left == size.right && outer.bottom - outer.top == size.bottom;
  return sized && EqualRect(&place, &wanted);
}

// A message box of the library's thread: a visible dialog that is not the encoder's. The
// encoder's is told by its handle once the user has seen it (its caption may be gone while it
// closes), and by its caption before.
HWND FindBox(DWORD thread, HWND dialog) {
  for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", nullptr); box != nullptr;
       box = FindWindowExA(nullptr, box, "#32770", nullptr)) {
    if (box != dialog && GetWindowThreadProcessId(box, nullptr) == thread && IsWindowVisible(box) &&
        TextOf(box) != kDialogCaption) {
      return box;
    }
  }
  return nullptr;
}

// Asks scripts/screenshots for a picture of the display as `name` in the folder that
// OLDVEK_SCREENSHOTS names (drive Z: is the Unix root), and waits until it is taken: the script
// takes one for each file NAME.wanted there, then deletes that file.
void Screenshot(const char* name) {
  const char* folder = std::getenv("OLDVEK_SCREENSHOTS");
  if (folder == nullptr || *folder == '\0') return;
  Sleep(500);  // let Wine put the last paint on the display
  const std::string wanted = "Z:" + std::string(folder) + "/" + name + ".wanted";
  CloseHandle(CreateFileA(wanted.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  for (int waited = 0; waited < 300 && GetFileAttributesA(wanted.c_str()) != INVALID_FILE_ATTRIBUTES; ++waited) {
    Sleep(100);
  }
}

// The label's texts as the library sets them on its own thread, once the dialog is up; the
// first also shows whether the dialog was shrunk before the encoding began.
thread_local std::function<void(HWND dialog, const char* text)> g_label_set;

LRESULT CALLBACK WatchLabel(int code, WPARAM wparam, LPARAM lparam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && g_label_set && message->message == WM_SETTEXT && GetDlgCtrlID(message->hwnd) == kLabel &&
      IsWindowVisible(GetParent(message->hwnd)) && TextOf(GetParent(message->hwnd)) == kDialogCaption) {
    g_label_set(GetParent(message->hwnd), reinterpret_cast<const char*>(message->lParam));
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

RECT Pixels(HWND dialog, LONG x, LONG y, LONG cx, LONG cy) {
  RECT units{x, y, cx, cy};
  MapDialogRect(dialog, &units);
  return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

struct EncoderUser::Script {
  explicit Script(EncoderUser& u) : user(u) {}

  EncoderUser& user;
  DWORD library_thread = GetCurrentThreadId();
  HWND parent = CreateWindowExA(0, "STATIC", "The reader", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  std::atomic<bool> done{false};
  size_t next_turn = 0;
  bool may_press = true;
  HWND dialog = nullptr;
  bool label_set = false;

  ~Script() { DestroyWindow(parent); }

  void Drive() {
    while (!done) {
      Sleep(5);
      HWND found = FindWindowA(nullptr, kDialogCaption);
      if (found != nullptr && dialog == nullptr && IsWindowVisible(found)) FirstSight(found);
      if (HWND box = FindBox(library_thread, dialog); box != nullptr) {
        Answer(box);
      } else if (found != nullptr && found == dialog && may_press && GetDlgItem(dialog, kFinish) != nullptr) {
        TakeTurn();
      }
    }
  }

  void FirstSight(HWND found) {
    dialog = found;
    if (!IsWindowEnabled(parent)) user.Note("parent disabled");
    user.Note("shown " + TextOf(GetDlgItem(dialog, kLabel)) + " | " + TextOf(GetDlgItem(dialog, kNameBox)));
    if (user.on_shown_) user.on_shown_(dialog);
    Screenshot("encoder-dialog.png");
  }

  // On the library's thread.
  void LabelSet(HWND shown, const char* text) {
    if (!label_set && Shrunk(shown)) user.Note("shrunk");
    label_set = true;
    user.Note("label " + std::string(text));
  }

  void TakeTurn() {
    may_press = false;
    if (next_turn == user.turns_.size()) {
      user.Note("no turn left");
      SendMessageA(GetDlgItem(dialog, kCancel), BM_CLICK, 0, 0);
      return;
    }
    const DialogTurn& turn = user.turns_[next_turn++];
    if (turn.option != 0) SendMessageA(GetDlgItem(dialog, turn.option), BM_CLICK, 0, 0);
    if (turn.name)
      SendMessageA(GetDlgItem(dialog, kNameBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(turn.name->c_str()));
    SendMessageA(GetDlgItem(dialog, turn.button), BM_CLICK, 0, 0);
  }

  void Answer(HWND box) {
    const std::string caption = TextOf(box);
    const uint32_t style = StyleOf(box);
    user.NoteBox(caption, TextOf(GetDlgItem(box, 0xFFFF)), style);  // 0xFFFF: the text's static control
    if (caption == "Encoding Finished" && std::getenv("OLDVEK_SCREENSHOTS") != nullptr && IsWindow(dialog)) {
      // The box goes below the dialog so that the picture shows both.
      RECT outer;
      GetWindowRect(dialog, &outer);
      SetWindowPos(box, nullptr, outer.left, outer.bottom + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      Screenshot("encoder-encoding.png");
    }
    int answer = IDOK;
    if ((style & MB_YESNO) != 0) answer = user.overwrite_ ? IDYES : IDNO;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
    for (int waited = 0; waited < 10000 && IsWindow(box) && IsWindowVisible(box); ++waited) Sleep(1);
    if (caption == "FILE NAME ERROR") may_press = true;
  }
};

int32_t EncoderUser::Encode(std::string_view input_path, std::string_view suggested_path, StringArray& pages) {
  Bstr input(input_path);
  Bstr suggested(suggested_path);
  int32_t status = -2;
  Script script(*this);
  g_label_set = [&script](HWND dialog, const char* text) { script.LabelSet(dialog, text); };
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &WatchLabel, nullptr, GetCurrentThreadId());
  std::thread user([&script] { script.Drive(); });
  EncodeZorvit(input.get(), suggested.get(), pages.get(), &status, script.parent);
  script.done = true;
  user.join();
  UnhookWindowsHookEx(hook);
  g_label_set = nullptr;
  if (IsWindowEnabled(script.parent)) Note("parent enabled");
  if (script.dialog != nullptr && !IsWindow(script.dialog)) Note("closed");
  return status;
}

}  // namespace oldvek::testing
