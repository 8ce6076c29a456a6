#include "packets/open_packet.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "packet_names.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using testing::TempFolder;

// Which ways of opening make a missing packet, and which refuse it leaving no file behind.
TEST(OpenPacketTest, OnlyTheWaysThatMayCreateAPacketMakeAMissingOne) {
  const struct {
    PacketOpen how;
    bool made;
  } cases[] = {{PacketOpen::kRead, false},    {PacketOpen::kList, true},    {PacketOpen::kMark, false},
               {PacketOpen::kExtract, false}, {PacketOpen::kRebuild, true}, {PacketOpen::kEdit, true}};
  for (const auto& c : cases) {
    TempFolder folder;
    Result<OpenPacket> open = OpenPacket::Open(FileSystem::Default(), PacketFiles(folder.path(), "P"_packet), c.how);
    EXPECT_EQ(open.ok(), c.made) << static_cast<int>(c.how);
    if (open.ok()) EXPECT_EQ(open->record_count() + open->packet_length, 0u);
    const std::set<std::string> made = {"P.IDX", "P.VEK"};
    EXPECT_EQ(folder.Files(), c.made ? made : std::set<std::string>()) << static_cast<int>(c.how);
  }
}

// A position where no whole record begins is refused before the packet file is opened, so a
// missing packet file is not made; a good one gives the record and the next record's Start.
TEST(OpenPacketTest, OpenAtFindsTheRecordBeforeOpeningThePacketFile) {
  TempFolder folder;
  const testing::PacketBytes bytes =
      testing::BuildPacket({testing::SampleSnippet("One", {"A"}), testing::SampleSnippet("Two", {"B"})});
  testing::WriteFileBytes(folder.File("P.IDX"), bytes.index + "partial");
  const PacketFiles files(folder.path(), "P"_packet);
  SnippetPlace place;
  for (uint64_t position : {0, 2, 157, 158}) {
    const Result<OpenPacket> refused =
        OpenPacket::OpenAt(FileSystem::Default(), files, PacketOpen::kList, position, place);
    EXPECT_FALSE(refused.ok()) << position;
    EXPECT_FALSE(testing::FileExists(files.packet)) << position;
  }
  testing::WriteFileBytes(files.packet, bytes.packet);
  Result<OpenPacket> open = OpenPacket::OpenAt(FileSystem::Default(), files, PacketOpen::kRead, 1, place);
  ASSERT_TRUE(open.ok()) << open.status().message();
  EXPECT_EQ(place.record.start(), 1u);
  EXPECT_EQ(place.next_start, 1 + kHeaderSize + 2);  // "A" and its terminator
  const BodyBounds body = SnippetBody(place, open->packet_length);
  EXPECT_EQ(body.begin, 1 + kHeaderSize);
  EXPECT_EQ(body.end, place.next_start);
  ASSERT_TRUE(open->Locate(79).ok());
  EXPECT_EQ(SnippetBody(*open->Locate(79), open->packet_length).end,
            open->packet_length + 1);  // no whole record follows
}

}  // namespace
}  // namespace oldvek
