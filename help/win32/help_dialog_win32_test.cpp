// The dialog as the system builds it, in this process: what a user sees of its controls, fonts
// and colours. What its commands do is driven from outside by gui_test/.
#include "win32/help_dialog_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/temp_help_file.h"
#include "win32/help_dialog_layout.h"

namespace vekhelp {
namespace {

class HelpDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    help_.Write({"<CONTENTS>", "INTRODUCTION", "FILES", "<END>", "<INTRODUCTION>", "Welcome.", "[FILES]", "<END>",
                 "<FILES>", "Files are read afresh.", "<ENDHELP>"});
    window_ = dialog_.Create(GetModuleHandleA(nullptr));
  }
  static void TearDownTestSuite() { DestroyWindow(window_); }
  void SetUp() override { ASSERT_NE(window_, nullptr); }

  static HWND Control(int id) { return GetDlgItem(window_, id); }
  static HFONT FontOf(int id) { return reinterpret_cast<HFONT>(SendMessageA(Control(id), WM_GETFONT, 0, 0)); }

  static inline testing::TempHelpFile help_;
  static inline HelpDialog dialog_{help_.file(), "<FILES>"};
  static inline HWND window_ = nullptr;
};

TEST_F(HelpDialogTest, EveryControlShowsWholeInsideTheDialogAndNoneOverlaps) {
  char caption[16] = {};
  GetWindowTextA(window_, caption, sizeof caption);
  EXPECT_STREQ(caption, "VEK Help");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE)) & 0xFFFF0000u, 0x94C80000u);
  RECT dialog, screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, overlap;
  GetWindowRect(window_, &dialog);
  EXPECT_TRUE(UnionRect(&overlap, &dialog, &screen) && EqualRect(&overlap, &screen)) << "on a 1024 x 768 screen";
  GetClientRect(window_, &dialog);
  HDC dc = GetDC(window_);
  std::vector<RECT> placed;
  for (const DialogItem& item : HelpDialogDescription().items) {
    SCOPED_TRACE(item.id);
    const HWND control = Control(item.id);
    ASSERT_TRUE(IsWindowVisible(control));
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_TRUE(UnionRect(&overlap, &rect, &dialog) && EqualRect(&overlap, &dialog)) << "outside the dialog";
    // Neighbours may share a pixel where the place and the size of each round apart.
    RECT core = rect;
    InflateRect(&core, -1, -1);
    for (const RECT& other : placed) EXPECT_FALSE(IntersectRect(&overlap, &core, &other)) << "overlaps";
    placed.push_back(core);
    // Readable: the label or caption fits on one line of the control's own font.
    SelectObject(dc, FontOf(item.id));
    SIZE text;
    GetTextExtentPoint32A(dc, item.text.data(), static_cast<int>(item.text.size()), &text);
    EXPECT_GE(rect.right - rect.left, text.cx);
    EXPECT_GE(rect.bottom - rect.top, text.cy);
  }
  ReleaseDC(window_, dc);
}

TEST_F(HelpDialogTest, LabelsAndTextBoxHaveTheirOwnBoldFontsAndColours) {
  HDC dc = CreateCompatibleDC(nullptr);
  const int pixels_per_inch = GetDeviceCaps(dc, LOGPIXELSY);
  // The colour of the brush the dialog answers a WM_CTLCOLOR* message with.
  const auto brush_colour = [&](UINT message, HWND control) {
    LOGBRUSH look{};
    GetObjectA(reinterpret_cast<HBRUSH>(
                   SendMessageA(window_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control))),
               sizeof look, &look);
    return look.lbColor;
  };
  const struct {
    int id;
    std::string face;
    int points;
    bool italic;
    COLORREF text, background;
  } looks[] = {{kFindLabel, "Times New Roman", 12, true, 0x00FFFF, 0x800000},
               {kContentsHeading, "Times New Roman", 14, true, 0x00FFFF, 0x800000},
               {kSeeAlsoHeading, "Times New Roman", 14, true, 0x00FFFF, 0x800000},
               {kHelpHeading, "Times New Roman", 14, true, 0x00FFFF, 0x800000},
               {kTopicTextBox, "Arial", 10, false, 0xFFFFFF, 0xFF0000}};
  for (const auto& want : looks) {
    SCOPED_TRACE(want.id);
    LOGFONTA font{};
    EXPECT_EQ(GetObjectA(FontOf(want.id), sizeof font, &font), static_cast<int>(sizeof font));
    EXPECT_EQ(font.lfFaceName, want.face);
    EXPECT_EQ(font.lfHeight, FontHeight(want.points, pixels_per_inch));
    EXPECT_EQ(font.lfItalic, want.italic ? 1 : 0);
    EXPECT_TRUE(font.lfWeight == 700 && font.lfCharSet == 0 && font.lfWidth == 0);
    SetTextColor(dc, 0);
    SetBkColor(dc, 0);
    EXPECT_EQ(brush_colour(WM_CTLCOLORSTATIC, Control(want.id)), want.background);
    EXPECT_EQ(GetTextColor(dc), want.text);
    EXPECT_EQ(GetBkColor(dc), want.background);
  }
  EXPECT_TRUE(FontOf(kContentsHeading) == FontOf(kHelpHeading) && FontOf(kSeeAlsoHeading) == FontOf(kHelpHeading))
      << "one heading font, made once";
  for (int id : {kFindBox, kSearchButton, kExitButton, kContentsList, kSeeAlsoList}) {
    EXPECT_EQ(FontOf(id), reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0))) << id;
  }
  EXPECT_EQ(brush_colour(WM_CTLCOLORDLG, window_), 0xFF0000u);
  EXPECT_EQ(brush_colour(WM_CTLCOLORLISTBOX, Control(kContentsList)), GetSysColor(COLOR_WINDOW))
      << "the lists keep the system's colours";
  DeleteDC(dc);
}

}  // namespace
}  // namespace vekhelp
