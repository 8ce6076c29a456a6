#include "win32/dialog_template.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "win32/help_dialog_layout.h"

namespace vekhelp {
namespace {

std::string Bytes(const std::vector<uint32_t>& words) {
  std::string bytes(words.size() * 4, '\0');
  std::memcpy(bytes.data(), words.data(), bytes.size());
  return bytes;
}

TEST(DialogTemplateTest, RecordsAreLaidOutFieldByField) {
  DialogDescription dialog{.caption = "A", .x = 1, .y = 2, .width = 3, .height = 4, .style = 0x80000040, .ex_style = 0x1,
                  .font_points = 8, .font_face = "B",
                  .items = {{7, kButtonClass, "OK", 5, 6, 7, 8, 0x50010000, 0x2}}};
  const std::string expected(
      "\x40\x00\x00\x80" "\x01\x00\x00\x00" "\x01\x00" "\x01\x00\x02\x00\x03\x00\x04\x00"  // header
      "\x00\x00" "\x00\x00" "A\x00\x00\x00"                                                // menu, class, caption
      "\x08\x00" "B\x00\x00\x00"                                                           // font
      "\x00\x00\x01\x50" "\x02\x00\x00\x00" "\x05\x00\x06\x00\x07\x00\x08\x00" "\x07\x00"  // item
      "\xFF\xFF\x80\x00" "O\x00K\x00\x00\x00" "\x00\x00"                                  // class, text, no data
      "\x00\x00",                                                                          // padding
      64);
  EXPECT_EQ(Bytes(BuildDialogTemplate(dialog)), expected);
}

TEST(DialogTemplateTest, FontOnlyWithSetFontAndItemsOnDwordBoundaries) {
  DialogDescription dialog{.caption = "", .style = 0x80000000, .font_points = 8, .font_face = "B",
                  .items = {{1, kStaticClass, "", 0, 0, 1, 1, 0, 0}, {2, kEditClass, "x", 0, 0, 1, 1, 0, 0}}};
  const std::string bytes = Bytes(BuildDialogTemplate(dialog));
  // Header: 18 bytes, menu and class 4, empty caption 2, no font: the first item at 24.
  EXPECT_EQ(bytes.substr(24 + 16, 2), std::string("\x01\x00", 2));
  EXPECT_EQ(bytes.substr(24 + 18, 4), std::string("\xFF\xFF\x82\x00", 4));
  // The first item is 18 + 4 + 2 + 2 = 26 bytes long: the second starts at 24 + 28 = 52.
  EXPECT_EQ(bytes.substr(52 + 16, 2), std::string("\x02\x00", 2));
  EXPECT_EQ(bytes.substr(52 + 18, 8), std::string("\xFF\xFF\x81\x00x\x00\x00\x00", 8));
}

TEST(DialogTemplateTest, EightBitTextBecomesLatin1) {
  DialogDescription dialog{.caption = "\xE9", .style = 0, .font_face = {}, .items = {}};
  EXPECT_EQ(Bytes(BuildDialogTemplate(dialog)).substr(22, 4), std::string("\xE9\x00\x00\x00", 4));
}

// Reads the template back, as the system does when it builds the dialog.
class TemplateReader {
 public:
  explicit TemplateReader(const std::vector<uint32_t>& words) : bytes_(Bytes(words)) {}
  uint16_t Word() {
    const auto value = static_cast<uint16_t>(static_cast<uint8_t>(bytes_[at_]) | static_cast<uint8_t>(bytes_[at_ + 1]) << 8);
    at_ += 2;
    return value;
  }
  uint32_t Dword() { return Word() | static_cast<uint32_t>(Word()) << 16; }
  std::string Text() {
    std::string text;
    while (uint16_t c = Word()) text += static_cast<char>(c);
    return text;
  }
  void AlignToDword() { at_ = (at_ + 3) / 4 * 4; }

 private:
  std::string bytes_;
  size_t at_ = 0;
};

struct ExpectedControl {
  uint16_t id, window_class;
  const char* text;
  int16_t x, y, width, height;
  uint32_t style, ex_style;
};

TEST(HelpDialogTemplateTest, HoldsTheDialogAndItsTenControls) {
  TemplateReader in(BuildDialogTemplate(HelpDialogDescription()));
  EXPECT_EQ(in.Dword(), 0x94C800D6u);
  EXPECT_EQ(in.Dword(), 0x10300u);
  EXPECT_EQ(in.Word(), 10);
  EXPECT_EQ(in.Word(), 115);
  EXPECT_EQ(in.Word(), 55);
  EXPECT_EQ(in.Word(), 368);
  EXPECT_EQ(in.Word(), 340);
  EXPECT_EQ(in.Word(), 0);
  EXPECT_EQ(in.Word(), 0);
  EXPECT_EQ(in.Text(), "VEK Help");
  EXPECT_EQ(in.Word(), 8);
  EXPECT_EQ(in.Text(), "MS Sans Serif");
  const ExpectedControl expected[] = {
      {4500, 0x82, "Find :", 5, 10, 45, 15, 0x50000002, 0x1},
      {4501, 0x81, "find what?", 55, 10, 170, 15, 0x50010088, 0x20000},
      {4502, 0x80, "SEARCH", 235, 10, 45, 15, 0x50010F00, 0x20000},
      {4503, 0x80, "Exit HELP", 295, 10, 50, 15, 0x50010F00, 0x20000},
      {4504, 0x83, "", 5, 50, 75, 285, 0x50210041, 0x200},
      {4505, 0x81, "Help Text Box", 80, 50, 215, 276, 0x50210844, 0x200},
      {4506, 0x83, "", 295, 50, 65, 285, 0x50210041, 0x200},
      {4507, 0x82, "CONTENTS", 5, 35, 75, 15, 0x50000001, 0x1},
      {4508, 0x82, "SEE", 295, 35, 65, 15, 0x50000001, 0x1},
      {4509, 0x82, "HELP", 80, 35, 215, 15, 0x50000001, 0x1},
  };
  for (const ExpectedControl& control : expected) {
    SCOPED_TRACE(control.id);
    in.AlignToDword();
    EXPECT_EQ(in.Dword(), control.style);
    EXPECT_EQ(in.Dword(), control.ex_style);
    EXPECT_EQ(static_cast<int16_t>(in.Word()), control.x);
    EXPECT_EQ(static_cast<int16_t>(in.Word()), control.y);
    EXPECT_EQ(static_cast<int16_t>(in.Word()), control.width);
    EXPECT_EQ(static_cast<int16_t>(in.Word()), control.height);
    EXPECT_EQ(in.Word(), control.id);
    EXPECT_EQ(in.Word(), 0xFFFF);
    EXPECT_EQ(in.Word(), control.window_class);
    EXPECT_EQ(in.Text(), control.text);
    EXPECT_EQ(in.Word(), 0);
  }
}

TEST(HelpDialogLayoutTest, FontHeightIsCutTowardsZero) {
  EXPECT_EQ(FontHeight(12, 96), -16);
  EXPECT_EQ(FontHeight(14, 96), -18) << "-18.67 is cut towards zero";
  EXPECT_EQ(FontHeight(10, 96), -13);
  EXPECT_EQ(FontHeight(10, 120), -16);
}

}  // namespace
}  // namespace vekhelp
