// The encoder's dialog as Windows shows it: layout, looks and keyboard order, read from the
// real windows while EncodeZorvit waits for the user.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "caller_values.h"
#include "encoder_user.h"
#include "library_criteria.h"
#include "message_boxes.h"
#include "oldvek.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

// A window as one line: id, class, text, style (without WS_VISIBLE), the client edge, and its
// place in the dialog's client area, in pixels.
std::string Line(int id, std::string_view kind, std::string_view text, DWORD style, DWORD edge, RECT at) {
  std::ostringstream line;
  line << id << " " << kind << " \"" << text << "\" style " << std::hex << style << " ex " << edge << std::dec << " at "
       << at.left << "," << at.top << " " << at.right << "," << at.bottom;
  return line.str();
}

// The colours the dialog paints a window with: the text's, its background's and the brush's.
std::array<COLORREF, 3> Colours(HWND dialog, UINT message, HWND window) {
  HDC dc = CreateCompatibleDC(nullptr);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkColor(dc, RGB(4, 5, 6));
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageA(dialog, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  LOGBRUSH painted{};
  GetObjectA(brush, sizeof painted, &painted);
  const std::array<COLORREF, 3> colours{GetTextColor(dc), GetBkColor(dc), painted.lbColor};
  DeleteDC(dc);
  return colours;
}

// The dialog as it shows, and as designed, with the dialog units mapped by its own metrics.
struct Looks {
  std::vector<std::string> seen;
  std::vector<std::string> designed;
  std::array<COLORREF, 3> dialog_colours{}, label_colours{}, option_colours{};
};

Looks LookAt(HWND dialog) {
  Looks looks;
  POINT origin{};
  ClientToScreen(dialog, &origin);
  RECT client;
  GetClientRect(dialog, &client);
  const DWORD frame = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)) & (WS_POPUP | WS_CAPTION | WS_SYSMENU);
  looks.seen.push_back(Line(0, "dialog", TextOf(dialog), frame, 0,
                            {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom}));
  // In the order of the window list, which is the tab order.
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char kind[64] = {};
    GetClassNameA(child, kind, sizeof kind);
    RECT at;
    GetWindowRect(child, &at);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&at), 2);
    looks.seen.push_back(Line(GetDlgCtrlID(child), kind, TextOf(child),
                              static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)) & ~WS_VISIBLE,
                              static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE)) & WS_EX_CLIENTEDGE, at));
  }
  const DWORD option = WS_CHILD | BS_AUTORADIOBUTTON;
  const DWORD edit = WS_CHILD | ES_UPPERCASE | ES_AUTOHSCROLL | WS_TABSTOP;
  const DWORD label = WS_CHILD | SS_CENTER | SS_NOPREFIX;
  const struct {
    int id;
    const char* kind;
    const char* text;
    DWORD style;
    DWORD edge;
    RECT units;
  } layout[] = {
      // The dialog's client area, on the screen.
      {0, "dialog", "Zorvit Encoding - Select Language", WS_POPUP | WS_CAPTION, 0, {172, 92, 128, 145}},
      {1500, "Button", "PBCC/PBWIN-DLL", option | WS_TABSTOP | WS_GROUP, 0, {20, 55, 90, 15}},
      {1501, "Button", "Visual BASIC", option, 0, {20, 75, 90, 15}},
      {1502, "Button", "Qbasic, QB, PDS", option, 0, {20, 95, 85, 15}},
      {1504, "Button", "FINISH", WS_CHILD | BS_DEFPUSHBUTTON | BS_CENTER | WS_TABSTOP | WS_GROUP, 0, {10, 115, 50, 15}},
      {1505, "Button", "CANCEL", WS_CHILD | BS_PUSHBUTTON | WS_TABSTOP, 0, {70, 115, 50, 15}},
      {1503, "Edit", "RD.BAS", edit, WS_EX_CLIENTEDGE, {10, 35, 110, 15}},
      // The dialog manager draws a bordered control with a sunken edge.
      {1506, "Static", "Encoding R&D.DAT\r\nto", label, WS_EX_CLIENTEDGE, {15, 5, 100, 20}},
  };
  for (const auto& c : layout) {
    const RECT at = Pixels(dialog, c.units.left, c.units.top, c.units.right, c.units.bottom);
    looks.designed.push_back(Line(c.id, c.kind, c.text, c.style, c.edge, at));
  }
  for (int id : {kPowerBasic, kVisualBasic, kQuickBasic}) {
    if (IsDlgButtonChecked(dialog, id) != BST_UNCHECKED) looks.seen.push_back("checked " + std::to_string(id));
  }
  looks.dialog_colours = Colours(dialog, WM_CTLCOLORDLG, dialog);
  looks.label_colours = Colours(dialog, WM_CTLCOLORSTATIC, GetDlgItem(dialog, 1506));
  looks.option_colours = Colours(dialog, WM_CTLCOLORSTATIC, GetDlgItem(dialog, kQuickBasic));
  return looks;
}

class EncoderDialogTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  KeepLibraryCriteria keep_criteria_;
};

TEST_F(EncoderDialogTest, LaidOutColouredAndOrderedAsDesigned) {
  WriteFileBytes(folder_.File("R&D.DAT"), "hello");
  EncoderUser user({{0, std::nullopt, kCancel}});
  Looks looks;
  user.OnDialogShown([&looks](HWND dialog) { looks = LookAt(dialog); });
  StringArray pages;
  EXPECT_EQ(user.Encode(folder_.File("R&D.DAT"), folder_.File("RD.BAS"), pages), 0);
  EXPECT_EQ(looks.seen, looks.designed);
  const COLORREF teal = RGB(0, 128, 128);
  EXPECT_EQ(looks.dialog_colours[2], teal);
  EXPECT_EQ(looks.label_colours, (std::array{RGB(255, 255, 0), teal, teal}));
  EXPECT_EQ(looks.option_colours, (std::array{RGB(255, 255, 255), teal, teal}));
}

// The keyboard reaches FINISH from the edit box with Enter, as the default button.
TEST_F(EncoderDialogTest, EnterInTheNameBoxPressesFinish) {
  WriteFileBytes(folder_.File("HI.TXT"), "hello");
  EncoderUser user({});
  user.OnDialogShown([](HWND dialog) {
    SendMessageA(GetDlgItem(dialog, kPowerBasic), BM_CLICK, 0, 0);
    PostMessageA(GetDlgItem(dialog, 1503), WM_KEYDOWN, VK_RETURN, 0);
    // No scripted turn may act before the library has taken the key.
    for (int waited = 0; waited < 10000 && IsWindow(dialog) && GetDlgItem(dialog, kFinish) != nullptr; ++waited) {
      Sleep(1);
    }
  });
  StringArray pages;
  EXPECT_EQ(user.Encode(folder_.File("HI.TXT"), folder_.File("ENTER.BAS"), pages), 1);
  EXPECT_EQ(pages.items(), std::vector<std::string>{folder_.File("ENTER.BAS")});
}

// The pictures in docs/screenshots: the dialog as it first shows, and as the pages are
// written (taken at the closing box, with the label naming the last page).
TEST_F(EncoderDialogTest, Screenshots) {
  if (std::getenv("OLDVEK_SCREENSHOTS") == nullptr) GTEST_SKIP() << "OLDVEK_SCREENSHOTS names no folder";
  // A short folder, so that the label shows the whole paths, as a user's would be.
  const std::filesystem::path folder = "C:\\VEKDEMO";
  std::filesystem::create_directories(folder);
  const std::string input = (folder / "SETUP.EXE").string();
  WriteFileBytes(input, std::string(400000, 'z'));
  EncoderUser user({{kQuickBasic, std::string("setup"), kFinish}});
  StringArray pages;
  EXPECT_EQ(user.Encode(input, (folder / "SETUP.BAS").string(), pages), 3);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace oldvek::testing
