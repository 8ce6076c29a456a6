// The dialog as the system builds it, in this process: styles, places, fonts and colours.
// What its commands do is driven from outside by gui_test/.
#include "win32/help_dialog_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/temp_help_file.h"
#include "win32/help_dialog_layout.h"

namespace vekhelp {
namespace {

using testing::TempHelpFile;

std::string WindowText(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

class HelpDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    help_ = new TempHelpFile;
    help_->Write({"<CONTENTS>", "INTRODUCTION", "FILES", "<END>", "<INTRODUCTION>", "Welcome.", "[FILES]", "<END>",
                  "<FILES>", "Files are read afresh.", "<ENDHELP>"});
    dialog_ = new HelpDialog(help_->file(), "<FILES>");
    window_ = dialog_->Create(GetModuleHandleA(nullptr));
  }
  static void TearDownTestSuite() {
    if (window_ != nullptr) DestroyWindow(window_);
    delete dialog_;
    delete help_;
  }
  void SetUp() override { ASSERT_NE(window_, nullptr); }

  static HWND Control(int id) { return GetDlgItem(window_, id); }

  // A rectangle given in dialog units, in pixels of the dialog's client area. Place and size
  // are mapped apart, as the system maps them.
  static RECT DialogUnits(int x, int y, int width, int height) {
    RECT place{x, y, width, height};
    MapDialogRect(window_, &place);
    return {place.left, place.top, place.left + place.right, place.top + place.bottom};
  }

  static RECT ClientRectOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  static inline TempHelpFile* help_ = nullptr;
  static inline HelpDialog* dialog_ = nullptr;
  static inline HWND window_ = nullptr;
};

TEST_F(HelpDialogTest, DialogHasItsCaptionStylesPlaceAndSize) {
  EXPECT_EQ(WindowText(window_), "VEK Help");
  const auto style = static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE));
  EXPECT_EQ(style & 0xFFFF0000u, 0x94C80000u);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window_, GWL_EXSTYLE)) & 0x10300u, 0x10300u);
  const RECT expected = DialogUnits(115, 55, 368, 340);
  RECT client;
  GetClientRect(window_, &client);
  EXPECT_EQ(client.right, expected.right - expected.left);
  EXPECT_EQ(client.bottom, expected.bottom - expected.top);
  POINT origin{0, 0};
  ClientToScreen(window_, &origin);
  // The window manager settles the frame around the client area; a pixel of rounding in its
  // caption height is its business, not the dialog's.
  EXPECT_NEAR(origin.x, expected.left, 1);
  EXPECT_NEAR(origin.y, expected.top, 1);
}

TEST_F(HelpDialogTest, ControlsStandWhereTheLayoutPutsThem) {
  for (const DialogItem& item : HelpDialogDescription().items) {
    SCOPED_TRACE(item.id);
    const HWND control = Control(item.id);
    ASSERT_NE(control, nullptr);
    char class_name[32] = {};
    GetClassNameA(control, class_name, sizeof class_name);
    const char* expected_class = item.window_class == kButtonClass ? "Button"
                                 : item.window_class == kEditClass ? "Edit"
                                 : item.window_class == kStaticClass ? "Static"
                                                                     : "ListBox";
    EXPECT_STRCASEEQ(class_name, expected_class);
    // A list box drops WS_VSCROLL while its entries fit and it shows no scroll bar.
    const DWORD shown = item.window_class == kListBoxClass ? ~static_cast<DWORD>(WS_VSCROLL) : ~0u;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)) & item.style & shown, item.style & shown);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE)) & item.ex_style, item.ex_style);
    const RECT expected = DialogUnits(item.x, item.y, item.width, item.height);
    const RECT actual = ClientRectOf(control);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    if (item.window_class == kListBoxClass) {
      EXPECT_LE(actual.bottom, expected.bottom) << "list boxes round their height down to whole lines";
      EXPECT_GT(actual.bottom, expected.bottom - 20);
    } else {
      EXPECT_EQ(actual.bottom, expected.bottom);
    }
  }
}

TEST_F(HelpDialogTest, LabelsAndTextBoxHaveTheirOwnBoldFonts) {
  HDC screen = GetDC(nullptr);
  const int pixels_per_inch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const auto font_of = [&](int id) { return reinterpret_cast<HFONT>(SendMessageA(Control(id), WM_GETFONT, 0, 0)); };
  for (int id : {kFindLabel, kContentsHeading, kSeeAlsoHeading, kHelpHeading, kTopicTextBox}) {
    SCOPED_TRACE(id);
    const FontChoice& choice = *FontOf(static_cast<uint16_t>(id));
    LOGFONTA font{};
    ASSERT_EQ(GetObjectA(font_of(id), sizeof font, &font), static_cast<int>(sizeof font));
    EXPECT_EQ(std::string(font.lfFaceName), choice.face);
    EXPECT_EQ(font.lfHeight, FontHeight(choice.points, pixels_per_inch));
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, choice.italic ? 1 : 0);
    EXPECT_EQ(font.lfCharSet, 0);
    EXPECT_EQ(font.lfWidth, 0);
  }
  EXPECT_EQ(font_of(kContentsHeading), font_of(kHelpHeading)) << "one heading font, made once";
  EXPECT_EQ(font_of(kSeeAlsoHeading), font_of(kHelpHeading));
  const HFONT dialog_font = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
  for (int id : {kFindBox, kSearchButton, kExitButton, kContentsList, kSeeAlsoList}) {
    EXPECT_EQ(font_of(id), dialog_font) << id;
  }
}

TEST_F(HelpDialogTest, ColoursComeWithTheirBrushes) {
  HDC dc = CreateCompatibleDC(nullptr);
  const auto colour_of_brush = [](LRESULT brush) {
    LOGBRUSH look{};
    GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof look, &look);
    return look.lbColor;
  };
  EXPECT_EQ(colour_of_brush(SendMessageA(window_, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(window_))),
            0xFF0000u);
  const struct {
    int id;
    COLORREF text, background;
  } coloured[] = {{kFindLabel, 0x00FFFF, 0x800000},
                  {kContentsHeading, 0x00FFFF, 0x800000},
                  {kSeeAlsoHeading, 0x00FFFF, 0x800000},
                  {kHelpHeading, 0x00FFFF, 0x800000},
                  {kTopicTextBox, 0xFFFFFF, 0xFF0000}};
  for (const auto& control : coloured) {
    SCOPED_TRACE(control.id);
    SetTextColor(dc, 0);
    SetBkColor(dc, 0);
    const LRESULT brush = SendMessageA(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(Control(control.id)));
    EXPECT_EQ(GetTextColor(dc), control.text);
    EXPECT_EQ(GetBkColor(dc), control.background);
    EXPECT_EQ(colour_of_brush(brush), control.background);
  }
  EXPECT_EQ(colour_of_brush(SendMessageA(window_, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(Control(kContentsList)))),
            GetSysColor(COLOR_WINDOW))
      << "the lists keep the system's colours";
  DeleteDC(dc);
}

}  // namespace
}  // namespace vekhelp
