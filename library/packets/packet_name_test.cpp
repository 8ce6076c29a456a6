#include "packets/packet_name.h"

#include <gtest/gtest.h>

#include <string>

namespace oldvek {
namespace {

// The one rule for packet names: every layer takes a PacketName, so none repeats this table.
TEST(PacketNameTest, OnlyANameOfAFileInTheArchiveFolderIsMade) {
  for (std::string_view name : {"SORTS", "MY PKT.2", "V1.2", "x", "ÄLTER", ".HIDDEN", "A.B.C"}) {
    ASSERT_TRUE(PacketName::Make(name).ok()) << name;
    EXPECT_EQ(PacketName::Make(name)->text(), name);
  }
  using std::string_literals::operator""s;
  for (std::string_view name : {""s, ".."s, "X..Y"s, "../ESCAPE"s, "A\\B"s, "A/B"s, "C:X"s, "A~B"s, "~"s, "NEW\0X"s,
                                "NEW\0"s, "A\tB"s, "A\nB"s, "\x1F"s, "A\x7F"s}) {
    const Result<PacketName> made = PacketName::Make(name);
    ASSERT_FALSE(made.ok()) << name;
    EXPECT_NE(made.status().message().find("is not a file in the archive folder"), std::string::npos);
  }
}

}  // namespace
}  // namespace oldvek
