#include "win32/help_dialog_win32.h"

#include "win32/dialog_template.h"

namespace vekhelp {
namespace {

HFONT MakeFont(const FontChoice& choice, int pixels_per_inch) {
  LOGFONTA font{};
  font.lfHeight = FontHeight(choice.points, pixels_per_inch);
  font.lfWeight = kFontWeight;
  font.lfItalic = choice.italic ? 1 : 0;
  font.lfCharSet = 0;
  choice.face.copy(font.lfFaceName, sizeof font.lfFaceName - 1);
  return CreateFontIndirectA(&font);
}

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int pixels = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

HelpDialog::HelpDialog(HelpFile file, std::string first_topic)
    : first_topic_(std::move(first_topic)), viewer_(std::move(file), controls_) {}

HelpDialog::~HelpDialog() { ReleaseGdiObjects(); }

void HelpDialog::Run(HINSTANCE instance) {
  const std::vector<uint32_t> dialog = BuildDialogTemplate(HelpDialogDescription());
  DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(dialog.data()), nullptr, Procedure,
                          reinterpret_cast<LPARAM>(this));
}

HWND HelpDialog::Create(HINSTANCE instance) {
  const std::vector<uint32_t> dialog = BuildDialogTemplate(HelpDialogDescription());
  return CreateDialogIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(dialog.data()), nullptr, Procedure,
                                    reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK HelpDialog::Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lparam);
    reinterpret_cast<HelpDialog*>(lparam)->Initialise(dialog);
    return TRUE;  // the focus goes to the search box, the first control with a tab stop
  }
  auto* self = reinterpret_cast<HelpDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (self == nullptr) return FALSE;
  switch (message) {
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(self->blue_);
    case WM_CTLCOLORSTATIC:  // labels, and the read-only text box
    case WM_CTLCOLOREDIT: return self->Colour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_COMMAND: self->Command(LOWORD(wparam), HIWORD(wparam)); return TRUE;
    default: return FALSE;
  }
}

void HelpDialog::Initialise(HWND dialog) {
  controls_.dialog = dialog;
  ReleaseGdiObjects();  // from an earlier dialog of this object, if any
  const int pixels_per_inch = ScreenPixelsPerInch();
  for (OwnFont& font : fonts_) font.handle = MakeFont(*font.choice, pixels_per_inch);
  blue_ = CreateSolidBrush(kBlue);
  navy_ = CreateSolidBrush(kNavy);
  for (const DialogItem& item : HelpDialogDescription().items) {
    for (const OwnFont& font : fonts_) {
      if (FontOf(item.id) == font.choice) {
        SendDlgItemMessageA(dialog, item.id, WM_SETFONT, reinterpret_cast<WPARAM>(font.handle), 0);
      }
    }
  }
  viewer_.Start(first_topic_);
}

INT_PTR HelpDialog::Colour(HDC dc, HWND control) const {
  const std::optional<ControlColours> colours = ColoursOf(static_cast<uint16_t>(GetDlgCtrlID(control)));
  if (!colours) return FALSE;
  SetTextColor(dc, colours->text);
  SetBkColor(dc, colours->background);
  return reinterpret_cast<INT_PTR>(colours->background == kNavy ? navy_ : blue_);
}

void HelpDialog::Command(WORD control, WORD notification) {
  if (notification == BN_CLICKED) {
    if (control == kSearchButton) {
      const HWND box = GetDlgItem(controls_.dialog, kFindBox);
      std::string text(static_cast<size_t>(GetWindowTextLengthA(box)) + 1, '\0');
      text.resize(static_cast<size_t>(GetWindowTextA(box, text.data(), static_cast<int>(text.size()))));
      viewer_.Search(text);
    } else if (control == kExitButton || control == IDCANCEL) {  // IDCANCEL: the close box, or Esc
      EndDialog(controls_.dialog, 0);
    }
  } else if (notification == LBN_DBLCLK) {
    if (control == kContentsList) {
      if (const auto entry = SelectedEntry(kContentsList)) viewer_.OpenContentsEntry(*entry);
    } else if (control == kSeeAlsoList) {
      if (const auto entry = SelectedEntry(kSeeAlsoList)) viewer_.OpenSeeAlsoEntry(*entry);
    }
  }
}

std::optional<std::string> HelpDialog::SelectedEntry(int list) const {
  const LRESULT index = SendDlgItemMessageA(controls_.dialog, list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return std::nullopt;
  const LRESULT length = SendDlgItemMessageA(controls_.dialog, list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return std::nullopt;
  std::string entry(static_cast<size_t>(length) + 1, '\0');
  entry.resize(static_cast<size_t>(
      SendDlgItemMessageA(controls_.dialog, list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(entry.data()))));
  return entry;
}

void HelpDialog::ReleaseGdiObjects() {
  for (OwnFont& font : fonts_) {
    if (font.handle != nullptr) DeleteObject(font.handle);
    font.handle = nullptr;
  }
  for (HBRUSH* brush : {&blue_, &navy_}) {
    if (*brush != nullptr) DeleteObject(*brush);
    *brush = nullptr;
  }
}

void HelpDialog::Controls::ShowContents(const std::vector<std::string>& entries) { FillList(kContentsList, entries); }

void HelpDialog::Controls::SelectContents(size_t index) {
  SendDlgItemMessageA(dialog, kContentsList, LB_SETCURSEL, index, 0);
}

void HelpDialog::Controls::ShowTopicText(const std::string& text) {
  SetDlgItemTextA(dialog, kTopicTextBox, text.c_str());
}

void HelpDialog::Controls::ShowSeeAlso(const std::vector<std::string>& entries) { FillList(kSeeAlsoList, entries); }

void HelpDialog::Controls::FillList(int control, const std::vector<std::string>& entries) const {
  SendDlgItemMessageA(dialog, control, LB_RESETCONTENT, 0, 0);
  for (const std::string& entry : entries) {
    SendDlgItemMessageA(dialog, control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
}

}  // namespace vekhelp
