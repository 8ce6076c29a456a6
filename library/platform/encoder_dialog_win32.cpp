#include <windows.h>

#include <string>
#include <vector>

#include "platform/encoder_dialog.h"

namespace oldvek {
namespace {

constexpr COLORREF kDialogColour = RGB(0, 128, 128);
constexpr COLORREF kOptionText = RGB(255, 255, 255);
constexpr COLORREF kLabelText = RGB(255, 255, 0);

// A dialog template in memory (DLGTEMPLATE and DLGITEMTEMPLATE), in dialog units.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, std::string_view caption, short x, short y, short cx, short cy) {
    AddDword(style);
    AddDword(0);          // extended style
    words_.push_back(0);  // control count, counted as controls are added
    for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the standard dialog class
    AddText(caption);
    words_.push_back(8);  // DS_SETFONT: 8-point MS Sans Serif, the usual dialog font
    AddText("MS Sans Serif");
  }

  // `window_class` is the atom of a predefined class: 0x80 button, 0x81 edit, 0x82 static.
  void AddControl(WORD window_class, DWORD style, DWORD extended_style, short x, short y, short cx, short cy, WORD id,
                  std::string_view text) {
    if (words_.size() % 2 != 0) words_.push_back(0);  // each control starts on a DWORD
    AddDword(WS_CHILD | WS_VISIBLE | style);
    AddDword(extended_style);
    for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(window_class);
    AddText(text);
    words_.push_back(0);  // no creation data
    ++words_[4];
  }

  LPCDLGTEMPLATEA get() const { return reinterpret_cast<LPCDLGTEMPLATEA>(words_.data()); }

 private:
  void AddDword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
  }
  // Template texts are UTF-16; these fixed ones are ASCII. Texts taken from file names are
  // set afterwards through the ANSI calls.
  void AddText(std::string_view text) {
    for (char c : text) words_.push_back(static_cast<unsigned char>(c));
    words_.push_back(0);
  }

  std::vector<WORD> words_;
};

DialogTemplate EncoderTemplate() {
  DialogTemplate dialog(WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, kEncoderDialogCaption, 172, 92, 128, 145);
  constexpr WORD kButton = 0x80, kEdit = 0x81, kStatic = 0x82;
  // Created in tab order. The three options make one group, which FINISH closes.
  dialog.AddControl(kButton, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, 20, 55, 90, 15, kPowerBasicOption,
                    "PBCC/PBWIN-DLL");
  dialog.AddControl(kButton, BS_AUTORADIOBUTTON, 0, 20, 75, 90, 15, kVisualBasicOption, "Visual BASIC");
  dialog.AddControl(kButton, BS_AUTORADIOBUTTON, 0, 20, 95, 85, 15, kQuickBasicOption, "Qbasic, QB, PDS");
  dialog.AddControl(kButton, BS_DEFPUSHBUTTON | BS_CENTER | WS_GROUP | WS_TABSTOP, 0, 10, 115, 50, 15, kFinishButton,
                    "FINISH");
  dialog.AddControl(kButton, BS_PUSHBUTTON | WS_TABSTOP, 0, 70, 115, 50, 15, kCancelButton, "CANCEL");
  dialog.AddControl(kEdit, ES_UPPERCASE | ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP, WS_EX_CLIENTEDGE, 10, 35, 110, 15,
                    kOutputNameBox, "");
  // No prefix: an "&" in a file name is shown, not taken for a mnemonic.
  dialog.AddControl(kStatic, SS_CENTER | SS_NOPREFIX | WS_BORDER, 0, 15, 5, 100, 20, kEncodingLabel, "");
  return dialog;
}

// A rectangle of dialog units as pixels: position in left/top, size in right/bottom.
RECT DialogUnits(HWND dialog, LONG x, LONG y, LONG cx, LONG cy) {
  RECT rect{x, y, cx, cy};
  MapDialogRect(dialog, &rect);
  return rect;
}

HINSTANCE LibraryInstance() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&LibraryInstance), &module);
  return module;
}

class WindowsEncoderDialog final : public EncoderDialog {
 public:
  explicit WindowsEncoderDialog(PressHandler on_press)
      : on_press_(std::move(on_press)), brush_(CreateSolidBrush(kDialogColour)) {}
  ~WindowsEncoderDialog() override {
    if (IsWindow(dialog_)) {
      SetWindowLongPtrA(dialog_, DWLP_USER, 0);  // no callback reaches this object any more
      DestroyWindow(dialog_);
    }
    if (brush_ != nullptr) DeleteObject(brush_);
  }
  WindowsEncoderDialog(const WindowsEncoderDialog&) = delete;
  WindowsEncoderDialog& operator=(const WindowsEncoderDialog&) = delete;

  Status Show(std::string_view label, std::string_view output_name) {
    const DialogTemplate layout = EncoderTemplate();
    dialog_ = CreateDialogIndirectParamA(LibraryInstance(), layout.get(), nullptr, &DialogProc,
                                         reinterpret_cast<LPARAM>(this));
    if (dialog_ == nullptr) {
      return Status::Error("cannot create the dialog \"" + std::string(kEncoderDialogCaption) + "\" (error " +
                           std::to_string(GetLastError()) + ")");
    }
    SendMessageA(dialog_, DM_SETDEFID, kFinishButton, 0);
    SetDlgItemTextA(dialog_, kOutputNameBox, std::string(output_name).c_str());
    SetDlgItemTextA(dialog_, kEncodingLabel, std::string(label).c_str());
    ShowWindow(dialog_, SW_SHOW);
    return Status::Ok();
  }

  void ChoosingPass() override {
    if (!IsWindow(dialog_)) {
      on_press_(EncoderDialogPress{kCancelButton, {}, {}});
      return;
    }
    Ui::Current().PumpMessages(dialog_, MessagePass::kOneMessage);
  }

  void ShrinkToLabel() override {
    for (int id :
         {kPowerBasicOption, kVisualBasicOption, kQuickBasicOption, kFinishButton, kCancelButton, kOutputNameBox}) {
      DestroyWindow(GetDlgItem(dialog_, id));
    }
    Pass();
    const RECT outer = DialogUnits(dialog_, 0, 0, 158, 75);
    SetWindowPos(dialog_, nullptr, 0, 0, outer.right, outer.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pass();
    const RECT label = DialogUnits(dialog_, 1, 10, 146, 30);
    MoveWindow(GetDlgItem(dialog_, kEncodingLabel), label.left, label.top, label.right, label.bottom, TRUE);
    Pass();
  }

  WindowHandle handle() const override { return dialog_; }

 private:
  void Pass() { Ui::Current().PumpMessages(dialog_, MessagePass::kAllWaiting); }

  void Pressed(int32_t button) {
    EncoderDialogPress press;
    press.button = button;
    if (button == kFinishButton) {
      for (size_t i = 0; i < press.checked.size(); ++i) {
        press.checked[i] = IsDlgButtonChecked(dialog_, kPowerBasicOption + static_cast<int>(i)) == BST_CHECKED;
      }
      HWND box = GetDlgItem(dialog_, kOutputNameBox);
      std::string text(static_cast<size_t>(GetWindowTextLengthA(box)) + 1, '\0');
      text.resize(static_cast<size_t>(GetWindowTextA(box, text.data(), static_cast<int>(text.size()))));
      press.name = std::move(text);
    }
    on_press_(press);
  }

  INT_PTR Colours(UINT message, HDC dc, HWND control) {
    if (message != WM_CTLCOLORDLG) {
      if (message == WM_CTLCOLORSTATIC) {
        SetTextColor(dc, GetDlgCtrlID(control) == kEncodingLabel ? kLabelText : kOptionText);
      }
      SetBkColor(dc, kDialogColour);
    }
    return reinterpret_cast<INT_PTR>(brush_);
  }

  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrA(window, DWLP_USER, lparam);
      // Focus starts in the edit box: an automatic option that gets the focus from the
      // dialog checks itself, and none may be selected at the start.
      SendMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(window, kOutputNameBox)), TRUE);
      return FALSE;
    }
    auto* self = reinterpret_cast<WindowsEncoderDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (self == nullptr) return FALSE;
    switch (message) {
      case WM_CTLCOLORDLG:
      case WM_CTLCOLORSTATIC:  // the label, and the option buttons' text
      case WM_CTLCOLORBTN: return self->Colours(message, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
      case WM_COMMAND:
        if (HIWORD(wparam) != BN_CLICKED) return FALSE;
        // Enter and Escape are the keyboard's FINISH and CANCEL.
        switch (LOWORD(wparam)) {
          case kFinishButton:
          case IDOK: self->Pressed(kFinishButton); return TRUE;
          case kCancelButton:
          case IDCANCEL: self->Pressed(kCancelButton); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
  }

  PressHandler on_press_;
  HBRUSH brush_;
  HWND dialog_ = nullptr;
};

}  // namespace

Result<std::unique_ptr<EncoderDialog>> ShowEncoderDialog(std::string_view label, std::string_view output_name,
                                                         EncoderDialog::PressHandler on_press) {
  auto dialog = std::make_unique<WindowsEncoderDialog>(std::move(on_press));
  OLDVEK_RETURN_IF_ERROR(dialog->Show(label, output_name));
  return std::unique_ptr<EncoderDialog>(std::move(dialog));
}

}  // namespace oldvek
