#include "win32/help_dialog_layout.h"

namespace vekhelp {
namespace {

// Window styles of the controls.
constexpr uint32_t kRightLabel = 0x50000002;    // WS_CHILD | WS_VISIBLE | SS_RIGHT
constexpr uint32_t kCentredLabel = 0x50000001;  // WS_CHILD | WS_VISIBLE | SS_CENTER
constexpr uint32_t kFindBoxStyle = 0x50010088;  // ... | WS_TABSTOP | ES_AUTOHSCROLL | ES_UPPERCASE
constexpr uint32_t kButton = 0x50010F00;        // ... | WS_TABSTOP | BS_CENTER | BS_VCENTER
constexpr uint32_t kList = 0x50210041;          // ... | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY
constexpr uint32_t kTextBoxStyle = 0x50210844;  // ... | WS_VSCROLL | ES_READONLY | ES_AUTOVSCROLL | ES_MULTILINE
// Extended styles.
constexpr uint32_t kModalFrame = 0x1;      // WS_EX_DLGMODALFRAME
constexpr uint32_t kClientEdge = 0x200;    // WS_EX_CLIENTEDGE
constexpr uint32_t kStaticEdge = 0x20000;  // WS_EX_STATICEDGE

}  // namespace

const DialogDescription& HelpDialogDescription() {
  static const DialogDescription dialog = {
      .caption = "VEK Help",
      .x = 115,
      .y = 55,
      .width = 368,
      .height = 340,
      // WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
      // DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK | DS_SYSMODAL
      .style = 0x94C800D6,
      .ex_style = 0x10300,  // WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE
      // The classic dialog font sets the dialog units; the labels and text box have their own.
      .font_points = 8,
      .font_face = "MS Sans Serif",
      .items = {
          {kFindLabel, kStaticClass, "Find :", 5, 10, 45, 15, kRightLabel, kModalFrame},
          {kFindBox, kEditClass, "find what?", 55, 10, 170, 15, kFindBoxStyle, kStaticEdge},
          {kSearchButton, kButtonClass, "SEARCH", 235, 10, 45, 15, kButton, kStaticEdge},
          {kExitButton, kButtonClass, "Exit HELP", 295, 10, 50, 15, kButton, kStaticEdge},
          {kContentsList, kListBoxClass, "", 5, 50, 75, 285, kList, kClientEdge},
          {kTopicTextBox, kEditClass, "Help Text Box", 80, 50, 215, 276, kTextBoxStyle, kClientEdge},
          {kSeeAlsoList, kListBoxClass, "", 295, 50, 65, 285, kList, kClientEdge},
          {kContentsHeading, kStaticClass, "CONTENTS", 5, 35, 75, 15, kCentredLabel, kModalFrame},
          {kSeeAlsoHeading, kStaticClass, "SEE", 295, 35, 65, 15, kCentredLabel, kModalFrame},
          {kHelpHeading, kStaticClass, "HELP", 80, 35, 215, 15, kCentredLabel, kModalFrame},
      }};
  return dialog;
}

std::optional<ControlColours> ColoursOf(uint16_t control) {
  switch (control) {
    case kFindLabel:
    case kContentsHeading:
    case kSeeAlsoHeading:
    case kHelpHeading: return ControlColours{kYellow, kNavy};
    case kTopicTextBox: return ControlColours{kWhite, kBlue};
    default: return std::nullopt;
  }
}

const FontChoice* FontOf(uint16_t control) {
  switch (control) {
    case kFindLabel: return &kSearchLabelFont;
    case kContentsHeading:
    case kSeeAlsoHeading:
    case kHelpHeading: return &kHeadingFont;
    case kTopicTextBox: return &kTextFont;
    default: return nullptr;
  }
}

}  // namespace vekhelp
