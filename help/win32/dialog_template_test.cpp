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
  DialogDescription dialog{.caption = "A",
                           .x = 1,
                           .y = 2,
                           .width = 3,
                           .height = 4,
                           .style = 0x80000040,
                           .ex_style = 0x1,
                           .font_points = 8,
                           .font_face = "B",
                           .items = {{7, kButtonClass, "OK", 5, 6, 7, 8, 0x50010000, 0x2}}};
  const std::string expected(
      "\x40\x00\x00\x80"
      "\x01\x00\x00\x00"
      "\x01\x00"
      "\x01\x00\x02\x00\x03\x00\x04\x00"  // header
      "\x00\x00"
      "\x00\x00"
      "A\x00\x00\x00"  // menu, class, caption
      "\x08\x00"
      "B\x00\x00\x00"  // font
      "\x00\x00\x01\x50"
      "\x02\x00\x00\x00"
      "\x05\x00\x06\x00\x07\x00\x08\x00"
      "\x07\x00"  // item
      "\xFF\xFF\x80\x00"
      "O\x00K\x00\x00\x00"
      "\x00\x00"   // class, text, no data
      "\x00\x00",  // padding
      64);
  EXPECT_EQ(Bytes(BuildDialogTemplate(dialog)), expected);
}

TEST(DialogTemplateTest, FontOnlyWithSetFontTextAsLatin1AndItemsOnDwordBoundaries) {
  DialogDescription dialog{.caption = "\xE9",
                           .style = 0x80000000,
                           .font_points = 8,
                           .font_face = "B",
                           .items = {{1, kStaticClass, "", 0, 0, 1, 1, 0, 0}, {2, kEditClass, "x", 0, 0, 1, 1, 0, 0}}};
  const std::string bytes = Bytes(BuildDialogTemplate(dialog));
  // Header: 18 bytes, menu and class 4, the caption 4, no font: the first item at 28.
  EXPECT_EQ(bytes.substr(22, 4), std::string("\xE9\x00\x00\x00", 4));
  EXPECT_EQ(bytes.substr(28 + 16, 6), std::string("\x01\x00\xFF\xFF\x82\x00", 6));
  // The first item is 18 + 4 + 2 + 2 = 26 bytes long: the second starts at 28 + 28 = 56.
  EXPECT_EQ(bytes.substr(56 + 16, 10), std::string("\x02\x00\xFF\xFF\x81\x00x\x00\x00\x00", 10));
}

TEST(HelpDialogLayoutTest, FontHeightIsCutTowardsZero) {
  EXPECT_EQ(FontHeight(12, 96), -16);
  EXPECT_EQ(FontHeight(14, 96), -18) << "-18.67 is cut towards zero";
  EXPECT_EQ(FontHeight(10, 96), -13);
  EXPECT_EQ(FontHeight(10, 120), -16);
}

}  // namespace
}  // namespace vekhelp
