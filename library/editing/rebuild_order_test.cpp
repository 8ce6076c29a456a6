// The order of a rebuild's steps, read from the file system's log: the rebuilt files are
// whole on disk before the commit mark, the mark is whole before the renames, and it goes
// only after both.
#include <gtest/gtest.h>

#include <algorithm>

#include "editing/snippet_deletion.h"
#include "faulty_file_system.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using testing::FaultyFileSystem;
using testing::TempFolder;
using testing::TestSnippet;

TEST(RebuildOrderTest, FlushesAndMarkComeInTheirPlace) {
  TempFolder folder;
  TestSnippet a;
  a.subject = "A";
  a.lines = {"PRINT 1"};
  TestSnippet b = a;
  b.subject = "B";
  testing::WritePacket(folder.path(), "P", testing::BuildPacket({a, b}));
  FaultyFileSystem files;
  ASSERT_TRUE(DeleteSnippet(files, folder.path(), "P", 1).ok());

  const std::vector<std::string>& steps = files.steps();
  const auto first = [&](const std::string& step) {
    return std::find(steps.begin(), steps.end(), step) - steps.begin();
  };
  const auto last_touch = [&](const std::string& path) {
    ptrdiff_t at = -1;
    for (size_t i = 0; i < steps.size(); ++i) {
      const bool writes = steps[i].rfind("write ", 0) == 0 || steps[i].rfind("append to ", 0) == 0;
      if (writes && steps[i].ends_with(" " + path)) at = static_cast<ptrdiff_t>(i);
    }
    return at;
  };
  const std::string vek = folder.File("P.$VE");
  const std::string idx = folder.File("P.$ID");
  const std::string mark = folder.File("P.$OK");
  const ptrdiff_t end = static_cast<ptrdiff_t>(steps.size());
  std::string log;
  for (const std::string& step : steps) log += step + "\n";

  ASSERT_LT(first("flush " + vek), end) << log;
  ASSERT_LT(first("flush " + idx), end) << log;
  EXPECT_LT(last_touch(vek), first("flush " + vek)) << log;
  EXPECT_LT(last_touch(idx), first("flush " + idx)) << log;
  const ptrdiff_t mark_written = std::min(first("write " + mark), first("append to " + mark));
  EXPECT_LT(std::max(first("flush " + vek), first("flush " + idx)), mark_written) << log;
  EXPECT_LT(last_touch(mark), first("flush " + mark)) << log;
  EXPECT_LT(first("flush " + mark), first("rename " + vek)) << log;
  EXPECT_LT(first("rename " + vek), first("rename " + idx)) << log;
  EXPECT_LT(first("rename " + idx), first("delete " + mark)) << log;
  EXPECT_LT(first("delete " + mark), end) << log;
}

}  // namespace
}  // namespace oldvek
