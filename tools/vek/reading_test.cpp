// Reading commands over an archive of hundreds of packets: each lists the folder at most once,
// and none leaves a trace in it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "archive.h"
#include "command.h"
#include "failure.h"
#include "faulty_file_system.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using oldvek::testing::BuildPacket;
using oldvek::testing::SampleSnippet;
using oldvek::testing::TempFolder;

constexpr int kPackets = 300;

// What a reader must leave as it found it: every name, size and time, the folder's own included.
struct Entry {
  uintmax_t size;
  fs::file_time_type time;
  bool operator==(const Entry&) const = default;
};
std::map<std::string, Entry> Snapshot(const std::string& folder) {
  // The folder by its own name: Windows finds no time for a path ending in a separator.
  std::map<std::string, Entry> entries{{".", {0, fs::last_write_time(fs::path(folder).parent_path())}}};
  for (const fs::directory_entry& file : fs::directory_iterator(folder)) {
    entries[file.path().filename().string()] = {file.file_size(), file.last_write_time()};
  }
  return entries;
}

int RunVek(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "vek");
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  ::testing::internal::CaptureStdout();
  const int status = Run(static_cast<int>(argv.size()), argv.data());
  (void)::testing::internal::GetCapturedStdout();
  return status;
}

TEST(ReadingCommands, ListTheFolderOnceAndChangeNothing) {
  TempFolder archive;
  for (int i = 1; i <= kPackets; ++i) {
    const std::string base = "P" + std::to_string(1000 + i);
    const oldvek::testing::PacketBytes bytes = BuildPacket(
        {SampleSnippet("sorting " + base), SampleSnippet("second", {"PRINT 2", "GOTO 10"}), SampleSnippet("third")});
    // Every tenth packet's files are in small letters, as copied from a case-blind disk.
    if (i % 10 == 0) {
      oldvek::testing::WriteFileBytes(archive.File(base + ".vek"), bytes.packet);
      oldvek::testing::WriteFileBytes(archive.File(base + ".idx"), bytes.index);
    } else {
      oldvek::testing::WritePacket(archive.path(), base, bytes);
    }
  }
  const std::string folder = archive.path();
  const std::map<std::string, Entry> before = Snapshot(folder);
  struct Case {
    std::vector<std::string> arguments;
    int status;
    bool whole;  // reads every packet of the folder
  };
  const Case cases[] = {
      {{"list", folder}, kDone, true},
      {{"list", "--json", folder, "p1001", "P1010", "p1020"}, kDone, false},
      {{"search", folder, "goto", "--in", "code"}, kDone, true},
      {{"search", folder, "--in", "subject=sorting P1200", "--in", "code=print"}, kDone, true},
      {{"search", "-c", folder, "nowhere", "p1100", "P1101"}, kNothingFound, false},
      {{"check", folder}, kDone, true},
      {{"show", "--keep-unread", folder, "p1030", "2"}, kDone, false},
      {{"show", "--keep-unread", "--json", folder, "P1031", "3"}, kDone, false},
  };
  for (const Case& c : cases) {
    oldvek::testing::FaultyFileSystem watched;
    UseFileSystem(watched);
    const std::string command = ::testing::PrintToString(c.arguments);
    EXPECT_EQ(RunVek(c.arguments), c.status) << command;
    const auto steps = [&](std::string_view kind) {
      return std::count_if(watched.steps().begin(), watched.steps().end(),
                           [&](const std::string& step) { return step.starts_with(kind); });
    };
    EXPECT_LE(steps("list "), 1) << command;
    EXPECT_EQ(Snapshot(folder), before) << command;
    // Per packet: its two files opened once each; the lock file looked for before and after
    // the reading, and the commit mark by check; what the listing shows absent is not looked
    // for. A packet in small letters costs two opens as written more, and a look at each.
    if (!c.whole) continue;
    EXPECT_LE(steps("open "), 2 * kPackets + 2 * kPackets / 10) << command;
    EXPECT_LE(watched.lookups(), 3 * kPackets + 2 * kPackets / 10) << command;
  }
  UseFileSystem(oldvek::FileSystem::Default());
}

// The one write a reader makes: an interruption left without a lock file (as copied from
// elsewhere) is mended, though the folder's listing spares the lookups of packets that show none.
TEST(ReadingCommands, MendWhatAnInterruptionLeftWithoutALockFile) {
  for (const bool search : {false, true}) {
    TempFolder archive;
    for (const std::string base : {"A", "B", "C"}) {
      oldvek::testing::WritePacket(archive.path(), base, BuildPacket({SampleSnippet("one " + base)}));
    }
    oldvek::testing::WriteFileBytes(archive.File("B.$VE"), "a rebuild that never committed");
    oldvek::testing::WriteFileBytes(archive.File("c.$ok"), "cut");  // a mark cut short, in small letters
    const std::vector<std::string> arguments = search ? std::vector<std::string>{"search", "-c", archive.path(), "one"}
                                                      : std::vector<std::string>{"list", archive.path()};
    EXPECT_EQ(RunVek(arguments), kDone) << ::testing::PrintToString(arguments);
    EXPECT_FALSE(fs::exists(archive.File("B.$VE")));
    EXPECT_FALSE(fs::exists(archive.File("c.$ok")));
  }
}

}  // namespace
}  // namespace vek
