#include "packets/packet_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <set>
#include <thread>

#include "editing/header_update.h"
#include "editing/snippet_deletion.h"
#include "editing/snippet_move.h"
#include "extract/snippet_extraction.h"
#include "packet_names.h"
#include "packet_writer.h"
#include "packets/index_builder.h"
#include "packets/packet_check.h"
#include "packets/snippet_reader.h"
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

// A reader that began before the lock file was made still has the packet's files open; the
// editor waits for it rather than fail on its account.
TEST(PacketLockTest, AnEditorWaitsForAReaderWithoutALockFile) {
  TempFolder folder;
  FileSystem& disk = FileSystem::Default();
  testing::WritePacket(folder.path(), "P",
                       testing::BuildPacket({testing::SampleSnippet("One"), testing::SampleSnippet("Two")}));
  Result<std::unique_ptr<File>> reading =
      disk.Open(folder.File("P.IDX"), {Access::kRead, Share::kShared, Disposition::kOpenExisting});
  ASSERT_TRUE(reading.ok());
  std::atomic<bool> let_go = false;
  std::thread reader([&] {
    std::this_thread::sleep_for(200ms);
    let_go = true;
    reading->reset();
  });
  const Status retitled = UpdateHeader(disk, folder.path(), "P"_packet, 1, {});
  EXPECT_TRUE(let_go);
  EXPECT_TRUE(retitled.ok()) << retitled.message();
  reader.join();
}

// Every operation takes the packet's lock before it touches a file: it waits while another
// program holds a lock that excludes it, and goes on once that lock is let go.
TEST(PacketLockTest, EveryOperationWaitsForALockThatExcludesIt) {
  FileSystem& disk = FileSystem::Default();
  const LineVisitor ignore = [](std::string_view) { return Status::Ok(); };
  const struct {
    const char* name;
    PacketAccess held;
    std::function<Status(const std::string& folder)> operation;
  } cases[] = {
      {"list", PacketAccess::kEdit, [&](auto& f) { return BuildSnippetList(disk, f, "P"_packet).status(); }},
      {"fetch", PacketAccess::kEdit, [&](auto& f) { return RetrieveSnippet(disk, f, "P"_packet, 1, ignore).status(); }},
      {"extract", PacketAccess::kEdit,
       [&](auto& f) { return ExtractSnippet(disk, "00001~~~~P.VEK~1", f, f + "OUT.TXT", kTextMode).status(); }},
      {"check", PacketAccess::kEdit, [&](auto& f) { return CheckPacket(disk, f, "P"_packet).status(); }},
      {"delete", PacketAccess::kMark, [&](auto& f) { return DeleteSnippet(disk, f, "P"_packet, 1); }},
      {"move", PacketAccess::kMark, [&](auto& f) { return MoveSnippet(disk, f, "P"_packet, 1, "Q"_packet).status(); }},
      {"retitle", PacketAccess::kMark, [&](auto& f) { return UpdateHeader(disk, f, "P"_packet, 1, {}); }},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    testing::WritePacket(folder.path(), "P",
                         testing::BuildPacket({testing::SampleSnippet("One"), testing::SampleSnippet("Two")}));
    Result<PacketLock> other = PacketLock::Take(disk, folder.path(), "P"_packet, c.held);
    ASSERT_TRUE(other.ok());
    std::atomic<bool> let_go = false;
    std::thread holder([&] {
      std::this_thread::sleep_for(200ms);
      let_go = true;
      other = Status::Error("let go");
    });
    const Status done = c.operation(folder.path());
    EXPECT_TRUE(let_go) << c.name << " did not wait for the lock";
    EXPECT_TRUE(done.ok()) << c.name << ": " << done.message();
    holder.join();
  }
}

}  // namespace
}  // namespace oldvek
