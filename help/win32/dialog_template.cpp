#include "win32/dialog_template.h"

#include <cstring>
#include <string_view>

namespace vekhelp {
namespace {

// Appends little-endian fields and keeps the alignment the records need.
class TemplateWriter {
 public:
  void Word(uint16_t value) {
    bytes_.push_back(static_cast<uint8_t>(value));
    bytes_.push_back(static_cast<uint8_t>(value >> 8));
  }
  void Dword(uint32_t value) {
    Word(static_cast<uint16_t>(value));
    Word(static_cast<uint16_t>(value >> 16));
  }
  void Short(int16_t value) { Word(static_cast<uint16_t>(value)); }
  void Text(std::string_view text) {
    for (char c : text) Word(static_cast<unsigned char>(c));
    Word(0);
  }
  void AlignToDword() {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
  }

  std::vector<uint32_t> Finish() {
    AlignToDword();
    std::vector<uint32_t> words(bytes_.size() / 4);
    std::memcpy(words.data(), bytes_.data(), bytes_.size());  // the bytes are little-endian already
    return words;
  }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace

std::vector<uint32_t> BuildDialogTemplate(const DialogDescription& dialog) {
  TemplateWriter out;
  out.Dword(dialog.style);
  out.Dword(dialog.ex_style);
  out.Word(static_cast<uint16_t>(dialog.items.size()));
  out.Short(dialog.x);
  out.Short(dialog.y);
  out.Short(dialog.width);
  out.Short(dialog.height);
  out.Word(0);  // no menu
  out.Word(0);  // the dialog class
  out.Text(dialog.caption);
  if (dialog.style & kSetFontStyle) {
    out.Word(dialog.font_points);
    out.Text(dialog.font_face);
  }
  for (const DialogItem& item : dialog.items) {
    out.AlignToDword();
    out.Dword(item.style);
    out.Dword(item.ex_style);
    out.Short(item.x);
    out.Short(item.y);
    out.Short(item.width);
    out.Short(item.height);
    out.Word(item.id);
    out.Word(0xFFFF);  // a predefined class, by atom
    out.Word(item.window_class);
    out.Text(item.text);
    out.Word(0);  // no creation data
  }
  return out.Finish();
}

}  // namespace vekhelp
