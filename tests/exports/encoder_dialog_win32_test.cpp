// The encoder's dialog as Windows shows it: layout, looks and keyboard order, read from the
// real windows while EncodeZorvit waits for the user.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "caller_values.h"
#include "encoder_user.h"
#include "library_criteria.h"
#include "oldvek.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

struct ControlSeen {
  int id = 0;
  std::string window_class;
  std::string text;
  DWORD style = 0;  // without WS_VISIBLE and the tab/group bits, which are checked apart
  DWORD extended_style = 0;
  bool tab_stop = false;
  bool group = false;
  RECT place{};  // client coordinates, in pixels
  bool operator==(const ControlSeen& other) const {
    return id == other.id && window_class == other.window_class && text == other.text && style == other.style &&
           extended_style == other.extended_style && tab_stop == other.tab_stop && group == other.group &&
           EqualRect(&place, &other.place);
  }
};

void PrintTo(const ControlSeen& c, std::ostream* out) {
  *out << c.id << " " << c.window_class << " \"" << c.text << "\" style " << std::hex << c.style << " ex "
       << c.extended_style << std::dec << (c.tab_stop ? " tab" : "") << (c.group ? " group" : "") << " at "
       << c.place.left << "," << c.place.top << " " << c.place.right << "," << c.place.bottom;
}

struct Colours {
  COLORREF text = 0;
  COLORREF background = 0;
  COLORREF brush = 0;
  bool operator==(const Colours&) const = default;
};

struct DialogSeen {
  std::string caption;
  DWORD style = 0;
  POINT client_origin{};
  SIZE client_size{};
  std::vector<ControlSeen> controls;  // in the order of the window list, which is the tab order
  int checked_options = -1;
  Colours dialog_colours, label_colours, option_colours;
  // What the dialog's metrics make of the layout's dialog units.
  RECT expected_origin{}, expected_size{};
  std::vector<RECT> expected_places;
};

// Position and size are mapped apart, as the dialog manager maps a template.
RECT Pixels(HWND dialog, LONG x, LONG y, LONG cx, LONG cy) {
  RECT units{x, y, cx, cy};
  MapDialogRect(dialog, &units);
  return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

Colours ColoursFor(HWND dialog, UINT message, HWND control) {
  HDC dc = CreateCompatibleDC(nullptr);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkColor(dc, RGB(4, 5, 6));
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(dialog, message, reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(control)));
  LOGBRUSH painted{};
  GetObjectA(brush, sizeof painted, &painted);
  Colours colours{GetTextColor(dc), GetBkColor(dc), painted.lbColor};
  DeleteDC(dc);
  return colours;
}

DialogSeen LookAt(HWND dialog) {
  DialogSeen seen;
  seen.caption = TextOf(dialog);
  seen.style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
  ClientToScreen(dialog, &seen.client_origin);
  RECT client;
  GetClientRect(dialog, &client);
  seen.client_size = {client.right, client.bottom};
  seen.expected_origin = Pixels(dialog, 172, 92, 0, 0);
  seen.expected_size = Pixels(dialog, 0, 0, 128, 145);
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    ControlSeen control;
    control.id = GetDlgCtrlID(child);
    char window_class[64] = {};
    GetClassNameA(child, window_class, sizeof window_class);
    control.window_class = window_class;
    control.text = TextOf(child);
    const auto style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    control.style = style & ~(WS_VISIBLE | WS_TABSTOP | WS_GROUP);
    control.extended_style = static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE)) & WS_EX_CLIENTEDGE;
    control.tab_stop = (style & WS_TABSTOP) != 0;
    control.group = (style & WS_GROUP) != 0;
    GetWindowRect(child, &control.place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&control.place), 2);
    seen.controls.push_back(control);
  }
  seen.checked_options = 0;
  for (int id : {kPowerBasic, kVisualBasic, kQuickBasic}) {
    if (IsDlgButtonChecked(dialog, id) != BST_UNCHECKED) ++seen.checked_options;
  }
  seen.dialog_colours = ColoursFor(dialog, WM_CTLCOLORDLG, dialog);
  seen.label_colours = ColoursFor(dialog, WM_CTLCOLORSTATIC, GetDlgItem(dialog, 1506));
  seen.option_colours = ColoursFor(dialog, WM_CTLCOLORSTATIC, GetDlgItem(dialog, kQuickBasic));
  for (const RECT& units : {RECT{20, 55, 90, 15}, RECT{20, 75, 90, 15}, RECT{20, 95, 85, 15}, RECT{10, 115, 50, 15},
                            RECT{70, 115, 50, 15}, RECT{10, 35, 110, 15}, RECT{15, 5, 100, 20}}) {
    seen.expected_places.push_back(Pixels(dialog, units.left, units.top, units.right, units.bottom));
  }
  return seen;
}

class EncoderDialogTest : public ::testing::Test {
 protected:
  KeepLibraryCriteria keep_criteria_;
};

TEST_F(EncoderDialogTest, LaidOutColouredAndOrderedAsDesigned) {
  TempFolder folder;
  WriteFileBytes(folder.File("R&D.DAT"), "hello");
  EncoderUser user({{0, std::nullopt, kCancel}});
  DialogSeen seen;
  user.OnDialogShown([&seen](HWND dialog) { seen = LookAt(dialog); });
  Bstr input(folder.File("R&D.DAT"));
  Bstr suggested(folder.File("RD.BAS"));
  StringArray pages;
  int32_t status = -2;
  user.Encode(input.get(), suggested.get(), pages.get(), &status);
  EXPECT_EQ(status, 0);

  EXPECT_EQ(seen.caption, "Zorvit Encoding - Select Language");
  EXPECT_EQ(seen.style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_POPUP | WS_CAPTION));
  EXPECT_EQ(seen.client_origin.x, seen.expected_origin.left);
  EXPECT_EQ(seen.client_origin.y, seen.expected_origin.top);
  EXPECT_EQ(seen.client_size.cx, seen.expected_size.right);
  EXPECT_EQ(seen.client_size.cy, seen.expected_size.bottom);
  ASSERT_EQ(seen.expected_places.size(), 7u);
  const auto& at = seen.expected_places;
  const DWORD option = WS_CHILD | BS_AUTORADIOBUTTON;
  const std::vector<ControlSeen> expected{
      {1500, "Button", "PBCC/PBWIN-DLL", option, 0, true, true, at[0]},
      {1501, "Button", "Visual BASIC", option, 0, false, false, at[1]},
      {1502, "Button", "Qbasic, QB, PDS", option, 0, false, false, at[2]},
      {1504, "Button", "FINISH", WS_CHILD | BS_DEFPUSHBUTTON | BS_CENTER, 0, true, true, at[3]},
      {1505, "Button", "CANCEL", WS_CHILD | BS_PUSHBUTTON, 0, true, false, at[4]},
      {1503, "Edit", "RD.BAS", WS_CHILD | ES_UPPERCASE | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true, false, at[5]},
      // The dialog manager draws a bordered control with a sunken edge.
      {1506, "Static", "Encoding R&D.DAT\r\nto", WS_CHILD | SS_CENTER | SS_NOPREFIX, WS_EX_CLIENTEDGE, false, false, at[6]},
  };
  EXPECT_EQ(seen.controls, expected);
  EXPECT_EQ(seen.checked_options, 0);
  const COLORREF teal = RGB(0, 128, 128);
  EXPECT_EQ(seen.dialog_colours.brush, teal);
  EXPECT_EQ(seen.label_colours, (Colours{RGB(255, 255, 0), teal, teal}));
  EXPECT_EQ(seen.option_colours, (Colours{RGB(255, 255, 255), teal, teal}));
}

// The keyboard reaches FINISH from the edit box with Enter, as the default button.
TEST_F(EncoderDialogTest, EnterInTheNameBoxPressesFinish) {
  TempFolder folder;
  WriteFileBytes(folder.File("HI.TXT"), "hello");
  EncoderUser user({});
  user.OnDialogShown([](HWND dialog) {
    SendMessageA(GetDlgItem(dialog, kPowerBasic), BM_CLICK, 0, 0);
    PostMessageA(GetDlgItem(dialog, 1503), WM_KEYDOWN, VK_RETURN, 0);
    // No scripted turn may act before the library has taken the key.
    for (int waited = 0; waited < 10000 && IsWindow(dialog) && GetDlgItem(dialog, kFinish) != nullptr; ++waited) {
      Sleep(1);
    }
  });
  Bstr input(folder.File("HI.TXT"));
  Bstr suggested(folder.File("ENTER.BAS"));
  StringArray pages;
  int32_t status = -2;
  user.Encode(input.get(), suggested.get(), pages.get(), &status);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(user.record().unexpected_waits, 0);
  EXPECT_EQ(pages.items(), std::vector<std::string>{folder.File("ENTER.BAS")});
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
  user.TakeScreenshots();
  Bstr input_text(input);
  Bstr suggested((folder / "SETUP.BAS").string());
  StringArray pages;
  int32_t status = -2;
  user.Encode(input_text.get(), suggested.get(), pages.get(), &status);
  EXPECT_EQ(status, 3);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace oldvek::testing
