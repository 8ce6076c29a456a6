// Every operation on a packet, from listing to extraction, under the packet's lock: these drive
// editing and extraction, so they live with the highest layer they use.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "editing/header_update.h"
#include "editing/snippet_deletion.h"
#include "editing/snippet_move.h"
#include "extract/packet_check.h"
#include "extract/snippet_extraction.h"
#include "packet_names.h"
#include "packet_writer.h"
#include "packets/index_builder.h"
#include "packets/packet_lock.h"
#include "packets/snippet_reader.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using namespace std::chrono_literals;
using testing::TempFolder;

// A reader that began before the lock file was made still has the packet's files open; the
// editor waits for it rather than fail on its account.
TEST(OperationLockTest, AnEditorWaitsForAReaderWithoutALockFile) {
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
TEST(OperationLockTest, EveryOperationWaitsForALockThatExcludesIt) {
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
