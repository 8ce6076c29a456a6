#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#include "encoder_user.h"

namespace oldvek::testing {
namespace {

constexpr const char* kDialogCaption = "Zorvit Encoding - Select Language";
constexpr int32_t kLabel = 1506;
constexpr int32_t kNameBox = 1503;

bool Visible(HWND box, int id) {
  HWND control = GetDlgItem(box, id);
  return control != nullptr && IsWindowVisible(control);
}

// A message box as its caption, its text and its MessageBoxA flags, read back from its controls.
MessageBoxSeen ReadBox(HWND box) {
  MessageBoxSeen seen{TextOf(box), TextOf(GetDlgItem(box, 0xFFFF))};  // 0xFFFF: the text's static control
  if (Visible(box, IDYES) && Visible(box, IDNO)) {
    seen.style |= MB_YESNO;
    if ((GetWindowLongA(GetDlgItem(box, IDNO), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON) seen.style |= MB_DEFBUTTON2;
  }
  if ((GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) seen.style |= MB_SYSTEMMODAL;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child) || (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
    const HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    if (icon != nullptr) seen.style |= icon == LoadIconA(nullptr, IDI_QUESTION) ? MB_ICONQUESTION : 0x80000000u;
  }
  return seen;
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

// Saves the X display as a PNG when OLDVEK_SCREENSHOTS names a folder. Wine runs the Unix
// program directly but cannot wait for it, so the picture is awaited as a file (drive Z: is
// the Unix root).
void Screenshot(const char* name) {
  const char* folder = std::getenv("OLDVEK_SCREENSHOTS");
  if (folder == nullptr || *folder == '\0') return;
  Sleep(500);  // let Wine put the last paint on the display
  const std::string picture = std::string(folder) + "/" + name;
  const std::string seen_from_windows = "Z:" + picture;
  DeleteFileA(seen_from_windows.c_str());
  std::string command = "/usr/bin/import -window root " + picture;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  uint64_t last_size = 0;
  for (int waited = 0; waited < 300; ++waited) {
    Sleep(100);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(seen_from_windows.c_str(), GetFileExInfoStandard, &data)) continue;
    const uint64_t size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    if (size > 0 && size == last_size) return;
    last_size = size;
  }
}

// The label's texts as the library sets them on its own thread, once the dialog is up.
thread_local std::vector<std::string>* g_labels = nullptr;

LRESULT CALLBACK WatchLabel(int code, WPARAM wparam, LPARAM lparam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && g_labels != nullptr && message->message == WM_SETTEXT &&
      GetDlgCtrlID(message->hwnd) == kLabel && IsWindowVisible(GetParent(message->hwnd)) &&
      TextOf(GetParent(message->hwnd)) == kDialogCaption) {
    g_labels->emplace_back(reinterpret_cast<const char*>(message->lParam));
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

std::string TextOf(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

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
    Record& record = user.record_;
    record.label_shown = TextOf(GetDlgItem(dialog, kLabel));
    record.name_shown = TextOf(GetDlgItem(dialog, kNameBox));
    record.parent_disabled_while_shown = !IsWindowEnabled(parent);
    if (user.on_shown_) user.on_shown_(dialog);
    if (user.screenshots_) Screenshot("encoder-dialog.png");
  }

  void TakeTurn() {
    may_press = false;
    if (next_turn == user.turns_.size()) {
      ++user.record_.unexpected_waits;
      SendMessageA(GetDlgItem(dialog, kCancel), BM_CLICK, 0, 0);
      return;
    }
    const DialogTurn& turn = user.turns_[next_turn++];
    if (turn.option != 0) SendMessageA(GetDlgItem(dialog, turn.option), BM_CLICK, 0, 0);
    if (turn.name) SendMessageA(GetDlgItem(dialog, kNameBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(turn.name->c_str()));
    SendMessageA(GetDlgItem(dialog, turn.button), BM_CLICK, 0, 0);
  }

  void Answer(HWND box) {
    const MessageBoxSeen seen = ReadBox(box);
    user.record_.boxes.push_back(seen);
    if (seen.caption == "Encoding Finished") SeeEncodingDone(box);
    int answer = IDOK;
    if ((seen.style & MB_YESNO) != 0) answer = user.overwrite_ ? IDYES : IDNO;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
    for (int waited = 0; waited < 10000 && IsWindow(box) && IsWindowVisible(box); ++waited) Sleep(1);
    if (seen.caption == "FILE NAME ERROR") may_press = true;
  }

  // The dialog as the last page was written: only the label is left, at its new place.
  void SeeEncodingDone(HWND box) {
    if (dialog == nullptr || !IsWindow(dialog)) return;
    bool shrunk = true;
    for (int id : {kPowerBasic, kVisualBasic, kQuickBasic, kFinish, kCancel, kNameBox}) {
      shrunk = shrunk && GetDlgItem(dialog, id) == nullptr;
    }
    RECT outer;
    GetWindowRect(dialog, &outer);
    const RECT size = Pixels(dialog, 0, 0, 158, 75);
    shrunk = shrunk && outer.right - outer.left == size.right && outer.bottom - outer.top == size.bottom;
    HWND label = GetDlgItem(dialog, kLabel);
    RECT place;
    GetWindowRect(label, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    const RECT wanted = Pixels(dialog, 1, 10, 146, 30);
    shrunk = shrunk && EqualRect(&place, &wanted);
    user.record_.shrunk = shrunk;
    if (user.screenshots_) {
      // The box goes below the dialog so that the picture shows both.
      SetWindowPos(box, nullptr, outer.left, outer.bottom + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      Screenshot("encoder-encoding.png");
    }
  }
};

int32_t EncoderUser::Encode(std::string_view input_path, std::string_view suggested_path, StringArray& pages) {
  Bstr input(input_path);
  Bstr suggested(suggested_path);
  int32_t status = -2;
  Script script(*this);
  g_labels = &record_.labels;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &WatchLabel, nullptr, GetCurrentThreadId());
  std::thread user([&script] { script.Drive(); });
  EncodeZorvit(input.get(), suggested.get(), pages.get(), &status, script.parent);
  script.done = true;
  user.join();
  UnhookWindowsHookEx(hook);
  g_labels = nullptr;
  record_.parent_enabled_after = IsWindowEnabled(script.parent) != FALSE;
  record_.closed = script.dialog != nullptr && !IsWindow(script.dialog);
  return status;
}

}  // namespace oldvek::testing
