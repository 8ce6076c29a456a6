#include "packets/packet_commit.h"

#include <gtest/gtest.h>

#include "base/crc32.h"
#include "base/text.h"
#include "faulty_file_system.h"
#include "packets/packet_files.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using namespace oldvek::testing;

Commit Steps(std::vector<Patch> patches, bool place_rebuilt = false) {
  Commit commit;
  commit.place_rebuilt = place_rebuilt;
  commit.patches = std::move(patches);
  return commit;
}

const Commit kPlace = Steps({}, true);
const Commit kRebuildAndPatches = Steps(
    {Patch::Write(PacketPart::kIndex, 79, std::string("A\nEND\n\xE3", 7)), Patch::Cut(PacketPart::kPacket, 3301),
     Patch::Write(PacketPart::kPacket, 1, "")},
    true);

TEST(CommitMarkFormatTest, ExactBytesAndRoundTrip) {
  const std::string bytes = EncodeCommit(kRebuildAndPatches);
  // The sum is the CRC-32 of every byte before its line.
  EXPECT_EQ(bytes, std::string("OLDVEK COMMIT\nPLACE\nW I 79 7\nA\nEND\n\xE3\nC V 3301\nW V 1 0\n\nSUM 922EE68F\nEND\n"));
  EXPECT_EQ(DecodeCommit(bytes), kRebuildAndPatches);
  EXPECT_EQ(EncodeCommit(Commit{}), "OLDVEK COMMIT\nSUM 9C54B654\nEND\n");
  EXPECT_EQ(DecodeCommit("OLDVEK COMMIT\nSUM 9C54B654\nEND\n"), Commit{});
}

// A mark body sealed with its true sum, so that each case below fails for its own fault only.
std::string Sealed(std::string_view body) {
  Crc32 crc;
  crc.Add(body);
  const std::string sum = HexText(crc.value());
  return std::string(body) + "SUM " + std::string(8 - sum.size(), '0') + sum + "\nEND\n";
}

TEST(CommitMarkFormatTest, AMarkCutShortAnywhereOrAnythingElseIsNoMark) {
  const std::string whole = EncodeCommit(kRebuildAndPatches);
  for (size_t length = 0; length < whole.size(); ++length) {
    EXPECT_FALSE(DecodeCommit(std::string_view(whole).substr(0, length))) << length;
  }
  for (const std::string& bytes : std::initializer_list<std::string>{
           Sealed("OLDVEK COMMIT\n") + "X",                  // bytes after the end
           "OLDVEK COMMIT\nSUM 9C54B654\nEND",              // end line unfinished
           "OLDVEK COMMIT\nSUM 9C54B655\nEND\n",            // a sum that does not hold
           "OLDVEK COMMIT\nEND\n",                          // no sum
           Sealed("oldvek commit\n"),                       // another title
           std::string(18, '\0'),                            // size written, data not
           Sealed("OLDVEK COMMIT\nW X 1 1\na\n"),            // no such file
           Sealed("OLDVEK COMMIT\nW I 0 1\na\n"),            // nothing is written before position 1
           Sealed("OLDVEK COMMIT\nW I 1 2\na\n"),            // fewer bytes than stated
           Sealed("OLDVEK COMMIT\nW I 1 1\nab\n"),           // more bytes than stated
           Sealed("OLDVEK COMMIT\nC I -1\n"),               // not a number
           Sealed("OLDVEK COMMIT\nC I 99999999999999999999\n"),  // past 64 bits
           Sealed("OLDVEK COMMIT\nX I 1\n"),                // no such step
       }) {
    EXPECT_FALSE(DecodeCommit(bytes)) << bytes;
  }
  EXPECT_TRUE(DecodeCommit(Sealed("OLDVEK COMMIT\nC I 5\n")));
}

TEST(CommitMarkFormatTest, StepsMustFitTheFilesTheyChange) {
  // The packet file is 10 bytes long, the index file 78.
  const std::pair<Commit, bool> cases[] = {
      {Steps({Patch::Write(PacketPart::kPacket, 11, "x")}), true},  // appends at the end
      {Steps({Patch::Write(PacketPart::kPacket, 12, "x")}), false},
      {Steps({Patch::Write(PacketPart::kIndex, 999999999, "abc")}), false},
      {Steps({Patch::Cut(PacketPart::kIndex, 78), Patch::Cut(PacketPart::kIndex, 1)}), true},
      {Steps({Patch::Cut(PacketPart::kIndex, 79)}), false},
      {Steps({Patch::Cut(PacketPart::kPacket, UINT64_MAX)}), false},
      {Steps({Patch::Write(PacketPart::kPacket, 11, "xy"), Patch::Write(PacketPart::kPacket, 13, "z")}), true},
      {Steps({Patch::Cut(PacketPart::kPacket, 2), Patch::Write(PacketPart::kPacket, 4, "z")}), false},
      {Steps({Patch::Cut(PacketPart::kPacket, 2)}, true), false},  // a rebuild never carries writes
  };
  for (const auto& [commit, fits] : cases) {
    EXPECT_EQ(CommitFault(commit, 10, 78).empty(), fits) << EncodeCommit(commit);
  }
}

class SettlePacketTest : public ::testing::Test {
 protected:
  SettlePacketTest() : files_(folder_.path(), "PKT") {}

  void WritePair(const PacketBytes& pair) { WritePacket(folder_.path(), "PKT", pair); }
  PacketBytes ReadPair() { return {ReadFileBytes(files_.packet), ReadFileBytes(files_.index)}; }
  void WriteRebuilt(const PacketBytes& pair) {
    WriteFileBytes(files_.rebuilt_packet, pair.packet);
    WriteFileBytes(files_.rebuilt_index, pair.index);
  }
  bool NothingLeftOver() {
    return !FileExists(files_.rebuilt_packet) && !FileExists(files_.rebuilt_index) && !FileExists(files_.mark);
  }
  Status Settle(FileSystem& file_system = FileSystem::Default()) {
    return SettlePacket(file_system, folder_.path(), "PKT");
  }

  TempFolder folder_;
  PacketFiles files_;
};

const PacketBytes kOld{"old packet", "old index"};
const PacketBytes kNew{"new packet!", "new index!"};

// Rebuilt files without a whole mark are removed and the pair kept; a whole mark finishes the
// replacement from where it stopped: before the first rename, or between the two.
TEST_F(SettlePacketTest, RebuiltFilesArePlacedUnderAWholeMarkOnly) {
  const std::string mark = EncodeCommit(kPlace);
  const struct {
    std::optional<std::string> mark;
    bool packet_already_placed;
    const PacketBytes& settled;
  } cases[] = {{std::nullopt, false, kOld}, {mark.substr(0, mark.size() - 1), false, kOld},
               {mark, false, kNew}, {mark, true, kNew}};
  for (const auto& c : cases) {
    WritePair(kOld);
    WriteRebuilt(kNew);
    if (c.packet_already_placed) {
      ASSERT_TRUE(FileSystem::Default().Replace(files_.rebuilt_packet, files_.packet).ok());
    }
    if (c.mark) WriteFileBytes(files_.mark, *c.mark);
    ASSERT_TRUE(Settle().ok());
    EXPECT_TRUE(NothingLeftOver());
    EXPECT_EQ(ReadPair(), c.settled) << c.mark.value_or("no mark");
  }
}

TEST_F(SettlePacketTest, ARebuiltPacketFileWithoutItsIndexIsNeverPlacedAlone) {
  WritePair(kOld);
  WriteFileBytes(files_.rebuilt_packet, kNew.packet);
  WriteFileBytes(files_.mark, EncodeCommit(kPlace));
  const Status settled = Settle();
  ASSERT_FALSE(settled.ok());
  EXPECT_NE(settled.message().find("is missing"), std::string::npos) << settled.message();
  EXPECT_EQ(ReadPair(), kOld);
}

TEST_F(SettlePacketTest, AMarkToPatchIsAppliedAgain) {
  WritePair({"0123456789", "abcdef"});
  const Commit patch = Steps({Patch::Write(PacketPart::kPacket, 3, "XY"), Patch::Cut(PacketPart::kIndex, 2),
                              Patch::Write(PacketPart::kIndex, 3, "Z")});
  WriteFileBytes(files_.mark, EncodeCommit(patch));
  ASSERT_TRUE(Settle().ok());
  EXPECT_TRUE(NothingLeftOver());
  EXPECT_EQ(ReadPair(), (PacketBytes{"01XY456789", "abZ"}));
}

TEST_F(SettlePacketTest, ADamagedMarkIsSetAsideOnceAndThePacketLeftAsItIs) {
  std::string flipped = EncodeCommit(kRebuildAndPatches);
  flipped[20] ^= 1;
  for (const std::string& mark : {EncodeCommit(Steps({Patch::Write(PacketPart::kIndex, 999999999, "abc")})),
                                  EncodeCommit(Steps({Patch::Cut(PacketPart::kPacket, 9999999999999999999u)})),
                                  flipped}) {
    WritePair(kOld);
    WriteFileBytes(files_.mark, mark);
    const Status first = Settle();
    ASSERT_FALSE(first.ok());
    EXPECT_NE(first.message().find(files_.mark), std::string::npos) << first.message();
    EXPECT_EQ(ReadFileBytes(files_.set_aside), mark);
    EXPECT_TRUE(Settle().ok());
    EXPECT_TRUE(NothingLeftOver());
    EXPECT_EQ(ReadPair(), kOld);
  }
}

TEST_F(SettlePacketTest, ANameThatIsNoPacketOfTheFolderIsRefused) {
  for (const char* name : {"", "..", "../ESCAPE", "A\\B", "A/B", "C:X", "X..Y"}) {
    EXPECT_FALSE(SettlePacket(FileSystem::Default(), folder_.path(), name).ok()) << name;
  }
  EXPECT_TRUE(SettlePacket(FileSystem::Default(), folder_.path(), "MY PKT.2").ok());
}

TEST_F(SettlePacketTest, FilesOfARebuildStillRunningAreLeftAlone) {
  WritePair(kOld);
  Result<std::unique_ptr<File>> rebuilding = FileSystem::Default().Open(files_.rebuilt_packet, kExclusivePacketOpen);
  ASSERT_TRUE(rebuilding.ok());
  ASSERT_TRUE((*rebuilding)->Append(std::string_view("half")).ok());
  ASSERT_TRUE(Settle().ok());
  EXPECT_TRUE(FileExists(files_.rebuilt_packet));
  EXPECT_EQ(ReadPair().packet, kOld.packet);
}

TEST_F(SettlePacketTest, AMarkInUseFailsAndTouchesNothing) {
  WritePair(kOld);
  WriteRebuilt(kNew);
  Result<CommitMark> held = CommitMark::Write(FileSystem::Default(), files_, kPlace);
  ASSERT_TRUE(held.ok());
  EXPECT_FALSE(Settle().ok());
  EXPECT_EQ(ReadPair().packet, kOld.packet);
  EXPECT_TRUE(FileExists(files_.rebuilt_packet));
  ASSERT_TRUE(held->Remove().ok());
  EXPECT_FALSE(FileExists(files_.mark));
}

TEST_F(SettlePacketTest, AMarkThatCannotBeCarriedOutStaysForTheNextOperation) {
  for (uint64_t fail_from = 1;; ++fail_from) {
    WritePair(kOld);
    WriteRebuilt(kNew);
    WriteFileBytes(files_.mark, EncodeCommit(kPlace));
    FaultyFileSystem faulty;
    faulty.FailFrom(fail_from);
    const Status status = Settle(faulty);
    if (status.ok()) break;
    EXPECT_TRUE(FileExists(files_.mark)) << fail_from;
    ASSERT_TRUE(Settle().ok());
    EXPECT_TRUE(NothingLeftOver());
    EXPECT_EQ(ReadPair(), kNew);
  }
}

TEST_F(SettlePacketTest, AWrittenMarkIsWholeOnDisk) {
  ASSERT_TRUE(CommitMark::Write(FileSystem::Default(), files_, kRebuildAndPatches).ok());  // let go of, not removed
  EXPECT_EQ(ReadFileBytes(files_.mark), EncodeCommit(kRebuildAndPatches));
}

}  // namespace
}  // namespace oldvek
