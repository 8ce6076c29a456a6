#include "packets/packet_lock.h"

#include <gtest/gtest.h>

#include <set>

#include "packet_names.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using namespace std::chrono_literals;
using testing::TempFolder;

TEST(PacketLockTest, ReadersShareAndAnEditorGivesUpNamingThePacket) {
  TempFolder folder;
  FileSystem& disk = FileSystem::Default();
  Result<PacketLock> reader = PacketLock::Take(disk, folder.path(), "SORTS"_packet, PacketAccess::kMark);
  ASSERT_TRUE(reader.ok());
  EXPECT_TRUE(PacketLock::Take(disk, folder.path(), "SORTS"_packet, PacketAccess::kRead, 0ms).ok());
  EXPECT_TRUE(PacketLock::Take(disk, folder.path(), "OTHER"_packet, PacketAccess::kEdit, 0ms).ok());
  const Result<PacketLock> refused = PacketLock::Take(disk, folder.path(), "SORTS"_packet, PacketAccess::kEdit, 50ms);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.status().message(), "SORTS is in use by another program");
}

// A reader of a packet without a lock file makes none; an edit that begins while it reads is
// seen, and the reading is done again under the lock the editor made, once the edit is over.
TEST(PacketLockTest, AReaderMakesNoLockFileAndReadsAgainWhenAnEditBegins) {
  TempFolder folder;
  FileSystem& disk = FileSystem::Default();
  testing::WritePacket(folder.path(), "P", testing::BuildPacket({testing::SampleSnippet("One")}));
  const std::set<std::string> files = folder.Files();
  int rounds = 0;
  const Result<int> read =
      ReadPacket(disk, folder.path(), "P"_packet, PacketAccess::kRead, [&](const PacketLock& lock) {
        if (++rounds == 1) {
          EXPECT_EQ(folder.Files(), files);
          EXPECT_TRUE(lock.Steady(disk).ok());
          EXPECT_TRUE(
              PacketLock::Take(disk, folder.path(), "P"_packet, PacketAccess::kEdit, 0ms).ok());  // begun and over
          EXPECT_EQ(lock.Steady(disk).kind(), Status::Kind::kChanged);
        }
        return Result<int>(rounds);
      });
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(*read, 2);
  EXPECT_TRUE(testing::FileExists(folder.File("P.$LK")));
  // With the lock file there, a reader holds the shared lock: an editor waits for it.
  const Result<PacketLock> reader = PacketLock::Take(disk, folder.path(), "P"_packet, PacketAccess::kRead);
  ASSERT_TRUE(reader.ok());
  EXPECT_FALSE(PacketLock::Take(disk, folder.path(), "P"_packet, PacketAccess::kEdit, 20ms).ok());
}

}  // namespace
}  // namespace oldvek
