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
  };
  const Case cases[] = {
      {{"list", folder}, kDone},
      {{"list", "--json", folder, "p1001", "P1010", "p1020"}, kDone},
      {{"search", folder, "goto", "--in", "code"}, kDone},
      {{"search", folder, "--in", "subject=sorting P1200", "--in", "code=print"}, kDone},
      {{"search", "-c", folder, "nowhere", "p1100", "P1101"}, kNothingFound},
      {{"check", folder}, kDone},
      {{"show", "--keep-unread", folder, "p1030", "2"}, kDone},
      {{"show", "--keep-unread", "--json", folder, "P1031", "3"}, kDone},
  };
  for (const Case& c : cases) {
    oldvek::testing::FaultyFileSystem watched;
    UseFileSystem(watched);
    const std::string command = ::testing::PrintToString(c.arguments);
    EXPECT_EQ(RunVek(c.arguments), c.status) << command;
    EXPECT_LE(std::count_if(watched.steps().begin(), watched.steps().end(),
                            [](const std::string& step) { return step.starts_with("list "); }),
              1)
        << command;
    EXPECT_EQ(Snapshot(folder), before) << command;
  }
  UseFileSystem(oldvek::FileSystem::Default());
}

}  // namespace
}  // namespace vek
