#ifndef VEKHELP_WIN32_DIALOG_TEMPLATE_H_
#define VEKHELP_WIN32_DIALOG_TEMPLATE_H_

#include <cstdint>
#include <string>
#include <vector>

namespace vekhelp {

// Predefined window classes, by the atoms a dialog template names them with.
enum WindowClassAtom : uint16_t {
  kButtonClass = 0x0080,
  kEditClass = 0x0081,
  kStaticClass = 0x0082,
  kListBoxClass = 0x0083,
};

// A control of a dialog built in code; coordinates in dialog units.
struct DialogItem {
  uint16_t id = 0;
  WindowClassAtom window_class = kStaticClass;
  std::string text;
  int16_t x = 0, y = 0, width = 0, height = 0;
  uint32_t style = 0;
  uint32_t ex_style = 0;
};

// A dialog built in code: the caption, place and size of its client area in dialog units,
// styles, the font that sets its dialog units (used when the style holds DS_SETFONT), and its
// controls in creation order (which is also the Tab order).
struct DialogDescription {
  std::string caption;
  int16_t x = 0, y = 0, width = 0, height = 0;
  uint32_t style = 0;
  uint32_t ex_style = 0;
  uint16_t font_points = 0;
  std::string font_face;
  std::vector<DialogItem> items;
};

inline constexpr uint32_t kSetFontStyle = 0x40;  // DS_SETFONT

// The dialog as an in-memory template (DLGTEMPLATE and DLGITEMTEMPLATE records, little-endian,
// texts as UTF-16 with the 8-bit characters taken as Latin-1), for DialogBoxIndirectParam and
// CreateDialogIndirectParam. Its storage is DWORD-aligned, as those functions require.
std::vector<uint32_t> BuildDialogTemplate(const DialogDescription& dialog);

}  // namespace vekhelp

#endif  // VEKHELP_WIN32_DIALOG_TEMPLATE_H_
