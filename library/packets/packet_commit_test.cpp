#include "packets/packet_commit.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/crc32.h"
#include "base/text.h"
#include "faulty_file_system.h"
#include "packet_names.h"
#include "packet_writer.h"
#include "packets/packet_files.h"
#include "packets/packet_lock.h"
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
const Commit kRebuildAndPatches =
    Steps({Patch::Write(PacketPart::kIndex, 79, std::string("A\nEND\n\xE3", 7)), Patch::Cut(PacketPart::kPacket, 3301),
           Patch::Write(PacketPart::kPacket, 1, "")},
          true);

TEST(CommitMarkFormatTest, ExactBytesAndRoundTrip) {
  const std::string bytes = EncodeCommit(kRebuildAndPatches);
  // The sum is the CRC-32 of every byte before its line.
  EXPECT_EQ(bytes,
            std::string("OLDVEK COMMIT\nPLACE\nW I 79 7\nA\nEND\n\xE3\nC V 3301\nW V 1 0\n\nSUM 922EE68F\nEND\n"));
  EXPECT_EQ(DecodeCommit(bytes), kRebuildAndPatches);
  EXPECT_EQ(EncodeCommit(Commit{}), "OLDVEK COMMIT\nSUM 9C54B654\nEND\n");
  EXPECT_EQ(DecodeCommit("OLDVEK COMMIT\nSUM 9C54B654\nEND\n"), Commit{});
  EXPECT_EQ(EncodeCommit(Steps({Patch::Cut(PacketPart::kIndex, 13)})), "OLDVEK COMMIT\nC I 13\nSUM 0AE929F8\nEND\n");
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
           Sealed("OLDVEK COMMIT\n") + "X",                      // bytes after the end
           "OLDVEK COMMIT\nSUM 9C54B654\nEND",                   // end line unfinished
           "OLDVEK COMMIT\nSUM 9C54B655\nEND\n",                 // a sum that does not hold
           "OLDVEK COMMIT\nEND\n",                               // no sum
           Sealed("oldvek commit\n"),                            // another title
           std::string(18, '\0'),                                // size written, data not
           Sealed("OLDVEK COMMIT\nW X 1 1\na\n"),                // no such file
           Sealed("OLDVEK COMMIT\nW I 0 1\na\n"),                // nothing is written before position 1
           Sealed("OLDVEK COMMIT\nW I 1 2\na\n"),                // fewer bytes than stated
           Sealed("OLDVEK COMMIT\nW I 1 1\nab\n"),               // more bytes than stated
           Sealed("OLDVEK COMMIT\nC I -1\n"),                    // not a number
           Sealed("OLDVEK COMMIT\nC I 99999999999999999999\n"),  // past 64 bits
           Sealed("OLDVEK COMMIT\nX I 1\n"),                     // no such step
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
  SettlePacketTest() : files_(folder_.path(), "PKT"_packet) {}

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
    return SettlePacket(file_system, folder_.path(), "PKT"_packet);
  }

  TempFolder folder_;
  PacketFiles files_;
};

const PacketBytes kOld{"old packet", "old index"};
const PacketBytes kNew{"new packet!", "new index!"};

// Rebuilt files without a whole mark are removed and the pair kept; a whole mark finishes the
// replacement from where it stopped (before the first rename, or between the two) or applies
// its patches again. A damaged mark, or one asking for work that does not fit, is set aside
// once, naming it, and the packet left as it is.
TEST_F(SettlePacketTest, AWholeMarkIsCarriedOutAndAnythingElseTakenBack) {
  const std::string place = EncodeCommit(kPlace);
  const std::string patch =
      EncodeCommit(Steps({Patch::Write(PacketPart::kPacket, 3, "XY"), Patch::Cut(PacketPart::kIndex, 2),
                          Patch::Write(PacketPart::kIndex, 3, "Z")}));
  std::string flipped = EncodeCommit(kRebuildAndPatches);
  flipped[20] ^= 1;
  enum Rebuilt { kNone, kPacketOnly, kBoth, kPacketPlaced };
  enum Outcome { kSettled, kSetAside, kRefused };
  const struct {
    std::optional<std::string> mark;
    Rebuilt rebuilt;
    PacketBytes settled;
    Outcome outcome = kSettled;
  } cases[] = {
      {std::nullopt, kBoth, kOld},
      {place.substr(0, place.size() - 1), kBoth, kOld},
      {place, kBoth, kNew},
      {place, kPacketPlaced, kNew},
      {patch, kNone, {"olXYpacket", "olZ"}},
      {EncodeCommit(Steps({Patch::Write(PacketPart::kIndex, 999999999, "abc")})), kNone, kOld, kSetAside},
      {EncodeCommit(Steps({Patch::Cut(PacketPart::kPacket, 9999999999999999999u)})), kNone, kOld, kSetAside},
      {flipped, kNone, kOld, kSetAside},
      {place, kPacketOnly, kOld, kRefused},  // never placed alone; last, as it leaves its files
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mark.value_or("no mark"));
    WritePair(kOld);
    if (c.rebuilt != kNone) WriteFileBytes(files_.rebuilt_packet, kNew.packet);
    if (c.rebuilt >= kBoth) WriteFileBytes(files_.rebuilt_index, kNew.index);
    if (c.rebuilt == kPacketPlaced) {
      ASSERT_TRUE(FileSystem::Default().Replace(files_.rebuilt_packet, files_.packet).ok());
    }
    if (c.mark) WriteFileBytes(files_.mark, *c.mark);
    const Status settled = Settle();
    EXPECT_EQ(ReadPair(), c.settled);
    if (c.outcome == kRefused) {
      EXPECT_NE(settled.message().find("is missing"), std::string::npos) << settled.message();
      continue;
    }
    if (c.outcome == kSetAside) {
      EXPECT_NE(settled.message().find(files_.mark), std::string::npos) << settled.message();
      EXPECT_EQ(ReadFileBytes(files_.set_aside), c.mark);
      ASSERT_TRUE(Settle().ok());
    }
    EXPECT_EQ(settled.ok(), c.outcome == kSettled) << settled.message();
    EXPECT_TRUE(NothingLeftOver());
  }
}

// A move's mark linked to a packet outside the folder is set aside like any defective mark;
// nothing outside is read or settled, even where a mark there links back to this packet.
TEST(SettlePacketLinkTest, AMarkLinkedToAPacketOutsideTheFolderIsSetAside) {
  TempFolder root;
  const std::string folder = root.File("ARC/");
  std::filesystem::create_directory(folder);
  const PacketFiles files(folder, "PKT"_packet);
  Commit linked_back = Steps({Patch::Cut(PacketPart::kIndex, 0)});
  linked_back.move = MoveLink{MoveLink::Side::kDestination, "1D", "PKT"};
  const std::string outside_mark = EncodeCommit(linked_back);
  WriteFileBytes(root.File("OUT.$OK"), outside_mark);
  for (const bool source : {true, false}) {
    SCOPED_TRACE(source ? "source" : "destination");
    WritePacket(folder, "PKT", kOld);
    if (source) WriteFileBytes(files.rebuilt_packet, kNew.packet);
    Commit commit = source ? kPlace : Steps({Patch::Cut(PacketPart::kPacket, 2)});
    commit.move = MoveLink{source ? MoveLink::Side::kSource : MoveLink::Side::kDestination, "1D",
                           "../OUT"};  // as any name PacketName refuses
    const std::string mark = EncodeCommit(commit);
    WriteFileBytes(files.mark, mark);
    Result<PacketLock> refused = PacketLock::Take(FileSystem::Default(), folder, "PKT"_packet, PacketAccess::kRead);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.status().message().find(files.set_aside), std::string::npos) << refused.status().message();
    EXPECT_EQ(ReadFileBytes(files.set_aside), mark);
    EXPECT_EQ((PacketBytes{ReadFileBytes(files.packet), ReadFileBytes(files.index)}), kOld);
    EXPECT_TRUE(PacketLock::Take(FileSystem::Default(), folder, "PKT"_packet, PacketAccess::kRead).ok());
    EXPECT_FALSE(FileExists(files.mark) || FileExists(files.rebuilt_packet) || FileExists(files.rebuilt_index));
    EXPECT_EQ(ReadFileBytes(root.File("OUT.$OK")), outside_mark);
  }
}

TEST_F(SettlePacketTest, FilesAnotherOperationStillHoldsAreLeftAlone) {
  WritePair(kOld);
  Result<std::unique_ptr<File>> rebuilding =
      FileSystem::Default().Open(files_.rebuilt_packet, {.share = Share::kExclusive});
  ASSERT_TRUE(rebuilding.ok());
  ASSERT_TRUE((*rebuilding)->Append(std::string_view("half")).ok());
  ASSERT_TRUE(Settle().ok());
  EXPECT_TRUE(FileExists(files_.rebuilt_packet));
  rebuilding->reset();

  WriteRebuilt(kNew);
  Result<CommitMark> held = CommitMark::Write(FileSystem::Default(), files_, kPlace);
  ASSERT_TRUE(held.ok());
  EXPECT_FALSE(Settle().ok());
  EXPECT_EQ(ReadPair().packet, kOld.packet);
  EXPECT_TRUE(FileExists(files_.rebuilt_packet));
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

}  // namespace
}  // namespace oldvek
