#include "packets/packet_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "editing/header_update.h"
#include "editing/snippet_deletion.h"
#include "editing/snippet_move.h"
#include "extract/snippet_extraction.h"
#include "packet_writer.h"
#include "packets/index_builder.h"
#include "packets/packet_check.h"
#include "packets/snippet_reader.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using namespace std::chrono_literals;
using testing::TempFolder;

TEST(PacketLockTest, ReadersShareEditorsWaitTheirTurnThenGiveUpNamingThePacket) {
  TempFolder folder;
  FileSystem& disk = FileSystem::Default();
  Result<PacketLock> reader = PacketLock::Take(disk, folder.path(), "SORTS", PacketAccess::kRead);
  ASSERT_TRUE(reader.ok());
  EXPECT_TRUE(PacketLock::Take(disk, folder.path(), "SORTS", PacketAccess::kRead, 0ms).ok());
  EXPECT_TRUE(PacketLock::Take(disk, folder.path(), "OTHER", PacketAccess::kEdit, 0ms).ok());
  const Result<PacketLock> refused = PacketLock::Take(disk, folder.path(), "SORTS", PacketAccess::kEdit, 50ms);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.status().message(), "SORTS is in use by another program");

  std::thread finishing([&reader] {
    std::this_thread::sleep_for(100ms);
    reader = Status::Error("let go");
  });
  EXPECT_TRUE(PacketLock::Take(disk, folder.path(), "SORTS", PacketAccess::kEdit, 5000ms).ok());
  finishing.join();
}

// Every operation takes the packet's lock before it touches a file: it waits while another
// program holds a lock that excludes it, and goes on once that lock is let go.
TEST(PacketLockTest, EveryOperationWaitsForALockThatExcludesIt) {
  struct Case {
    const char* name;
    PacketAccess held;
    std::function<Status(const std::string& folder)> operation;
  };
  const std::vector<Case> cases = {
      {"list", PacketAccess::kEdit,
       [](const std::string& folder) { return BuildSnippetList(FileSystem::Default(), folder, "P").status(); }},
      {"fetch", PacketAccess::kEdit,
       [](const std::string& folder) {
         return RetrieveSnippet(FileSystem::Default(), folder, "P", 1, [](std::string_view) { return Status::Ok(); })
             .status();
       }},
      {"extract", PacketAccess::kEdit,
       [](const std::string& folder) {
         return ExtractSnippet(FileSystem::Default(), "00001~~~~P.VEK~1", folder, folder + "OUT.TXT", kTextMode)
             .status();
       }},
      {"check", PacketAccess::kEdit,
       [](const std::string& folder) { return CheckPacket(FileSystem::Default(), folder, "P").status(); }},
      {"delete", PacketAccess::kRead,
       [](const std::string& folder) { return DeleteSnippet(FileSystem::Default(), folder, "P", 1); }},
      {"move", PacketAccess::kRead,
       [](const std::string& folder) { return MoveSnippet(FileSystem::Default(), folder, "P", 1, "Q").status(); }},
      {"retitle", PacketAccess::kRead,
       [](const std::string& folder) { return UpdateHeader(FileSystem::Default(), folder, "P", 1, {}); }},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    testing::WritePacket(folder.path(), "P",
                         testing::BuildPacket({testing::SampleSnippet("One"), testing::SampleSnippet("Two")}));
    Result<PacketLock> other = PacketLock::Take(FileSystem::Default(), folder.path(), "P", c.held);
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
