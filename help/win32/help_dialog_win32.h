#ifndef VEKHELP_WIN32_HELP_DIALOG_WIN32_H_
#define VEKHELP_WIN32_HELP_DIALOG_WIN32_H_

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "help_file.h"
#include "viewer.h"
#include "win32/help_dialog_layout.h"

namespace vekhelp {

// The VEK Help dialog: built from an in-memory template, its own fonts and colours, and the
// viewer behind its commands.
class HelpDialog {
 public:
  HelpDialog(HelpFile file, std::string first_topic);
  ~HelpDialog();
  HelpDialog(const HelpDialog&) = delete;
  HelpDialog& operator=(const HelpDialog&) = delete;

  // Shows the dialog modally and returns when "Exit HELP" or the close box ends it.
  void Run(HINSTANCE instance);
  // Creates the dialog modeless, for tests; the caller destroys the window.
  HWND Create(HINSTANCE instance);

 private:
  // The viewer's display: the dialog's controls.
  class Controls final : public ViewerDisplay {
   public:
    void ShowContents(const std::vector<std::string>& entries) override;
    void SelectContents(size_t index) override;
    void ShowTopicText(const std::string& text) override;
    void ShowSeeAlso(const std::vector<std::string>& entries) override;

    HWND dialog = nullptr;

   private:
    void FillList(int control, const std::vector<std::string>& entries) const;
  };

  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
  void Initialise(HWND dialog);
  INT_PTR Colour(HDC dc, HWND control) const;
  void Command(WORD control, WORD notification);
  std::optional<std::string> SelectedEntry(int list) const;
  void ReleaseGdiObjects();

  std::string first_topic_;
  Controls controls_;
  Viewer viewer_;
  struct OwnFont {
    const FontChoice* choice;
    HFONT handle;
  };
  std::array<OwnFont, 3> fonts_{{{&kSearchLabelFont, nullptr}, {&kHeadingFont, nullptr}, {&kTextFont, nullptr}}};
  HBRUSH blue_ = nullptr;
  HBRUSH navy_ = nullptr;
};

}  // namespace vekhelp

#endif  // VEKHELP_WIN32_HELP_DIALOG_WIN32_H_
