#include "packets/snippet_entry.h"

#include <gtest/gtest.h>

namespace oldvek {
namespace {

// The packet file and position are the last two fields, whatever tildes the header text holds;
// the base name keeps the dots before ".VEK".
TEST(SnippetEntryTest, ParsesTheLastTwoFieldsAndTheBaseName) {
  Result<EntryLocation> location = ParseEntryLocation("00003~Fast ~ slow~x~y~z~FILES.VEK~157");
  ASSERT_TRUE(location.ok());
  EXPECT_EQ(location->packet_file, "FILES.VEK");
  EXPECT_EQ(location->base.text(), "FILES");
  EXPECT_EQ(location->record_position, 157u);
  EXPECT_EQ(ParseEntryLocation("1~a~b~c~V1.2.VEK~1")->base.text(), "V1.2");
  EXPECT_EQ(ParseEntryLocation("1~a~b~c~MY PKT.VEK~1")->base.text(), "MY PKT");
  EXPECT_EQ(ParseEntryLocation("1~a~b~c~OLD.vek~1")->base.text(), "OLD");  // no ".VEK": cut at the first "."
  EXPECT_EQ(ParseEntryLocation("1~a~b~c~NODOT~1")->base.text(), "NODOT");
}

// Field 5 must name a packet (what a packet name is, PacketNameTest owns).
TEST(SnippetEntryTest, RefusesAFieldFiveThatIsNoPacketNameAndShortEntries) {
  for (const char* entry : {"1~a~b~c~../EVIL.VEK~1", "1~a~b~X.VEK~1", "", "X.VEK~1"}) {
    EXPECT_FALSE(ParseEntryLocation(entry).ok()) << entry;
  }
}

// Record numbers are five digits or more; the middle fields are kept as they stand.
TEST(SnippetEntryTest, RelocatedEntryKeepsTheMiddleFieldsAsTheyStand) {
  EXPECT_EQ(RelocatedEntry("00002~Sort~Ann~QB~SORTS.VEK~79", 4, "DEST.VEK"), "00004~Sort~Ann~QB~DEST.VEK~235");
  EXPECT_EQ(RelocatedEntry("00002~Fast ~ slow~Ann~~SORTS.VEK~79", 100000, "D.VEK"),
            "100000~Fast ~ slow~Ann~~D.VEK~7799923");
  EXPECT_EQ(RelocatedEntry("7~~~~S.VEK~1", 1, "D.VEK"), "00001~~~~D.VEK~1");
}

}  // namespace
}  // namespace oldvek
