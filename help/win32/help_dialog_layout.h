#ifndef VEKHELP_WIN32_HELP_DIALOG_LAYOUT_H_
#define VEKHELP_WIN32_HELP_DIALOG_LAYOUT_H_

#include <cstdint>
#include <optional>
#include <string_view>

#include "win32/dialog_template.h"

namespace vekhelp {

// The controls of the VEK Help dialog.
enum HelpControl : uint16_t {
  kFindLabel = 4500,
  kFindBox = 4501,
  kSearchButton = 4502,
  kExitButton = 4503,
  kContentsList = 4504,
  kTopicTextBox = 4505,
  kSeeAlsoList = 4506,
  kContentsHeading = 4507,
  kSeeAlsoHeading = 4508,
  kHelpHeading = 4509,
};

// Colours as COLORREF values, 0x00BBGGRR.
inline constexpr uint32_t kBlue = 0xFF0000;
inline constexpr uint32_t kNavy = 0x800000;
inline constexpr uint32_t kYellow = 0x00FFFF;
inline constexpr uint32_t kWhite = 0xFFFFFF;

// The dialog's background.
inline constexpr uint32_t kDialogBackground = kBlue;

struct ControlColours {
  uint32_t text;
  uint32_t background;
};

// A bold font of the dialog's own, made once when the dialog is built.
struct FontChoice {
  std::string_view face;
  int points;
  bool italic;
};
inline constexpr int kFontWeight = 700;
inline constexpr FontChoice kSearchLabelFont{"Times New Roman", 12, true};
inline constexpr FontChoice kHeadingFont{"Times New Roman", 14, true};
inline constexpr FontChoice kTextFont{"Arial", 10, false};

// The dialog: caption, place, size, styles and its ten controls.
const DialogDescription& HelpDialogDescription();

// The colours of a control, or nothing when it keeps the system's.
std::optional<ControlColours> ColoursOf(uint16_t control);

// The font of a control, or nothing when it keeps the dialog's.
const FontChoice* FontOf(uint16_t control);

// A font's height in logical units: the point size times the screen's pixels per inch over
// 72, negated to ask for the character height, in integer arithmetic as the screen reports it.
inline int FontHeight(int points, int pixels_per_inch) { return -points * pixels_per_inch / 72; }

}  // namespace vekhelp

#endif  // VEKHELP_WIN32_HELP_DIALOG_LAYOUT_H_
