// The order of a rebuild's steps, read from the file system's log: the rebuilt files are whole
// on disk before the mark that places them, the mark before the renames, and it goes last.
// (Every edit's marks, interrupted or not, are checked in interruption_test.cpp.)
#include <gtest/gtest.h>

#include <algorithm>

#include "editing/snippet_deletion.h"
#include "faulty_file_system.h"
#include "packet_names.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using namespace oldvek::testing;

// Positions in the log of a finished operation; the log's length when a step never came.
class StepLog {
 public:
  explicit StepLog(std::vector<std::string> steps) : steps_(std::move(steps)) {
    for (const std::string& step : steps_) text_ += step + "\n";
  }
  ptrdiff_t First(const std::string& step) const { return std::ranges::find(steps_, step) - steps_.begin(); }
  ptrdiff_t FirstWrite(const std::string& path) const {
    return std::min(First("write " + path), First("append to " + path));
  }
  ptrdiff_t end() const { return static_cast<ptrdiff_t>(steps_.size()); }
  const std::string& text() const { return text_; }
  // Everything written to `path` is flushed, and flushed before step `deadline`.
  void ExpectFlushedBefore(const std::string& path, ptrdiff_t deadline) const {
    const auto last_write = std::find_if(steps_.rbegin(), steps_.rend(), [&path](const std::string& step) {
      return step == "write " + path || step == "append to " + path;
    });
    const ptrdiff_t flush = First("flush " + path);
    EXPECT_LT(steps_.rend() - last_write - 1, flush) << path << "\n" << text_;
    EXPECT_LT(flush, deadline) << path << "\n" << text_;
  }

 private:
  std::vector<std::string> steps_;
  std::string text_;
};

TEST(EditOrderTest, ARebuildFlushesItsFilesThenItsMarkThenRenames) {
  TempFolder folder;
  WritePacket(folder.path(), "P", BuildPacket({SampleSnippet("A"), SampleSnippet("B")}));
  FaultyFileSystem files;
  ASSERT_TRUE(DeleteSnippet(files, folder.path(), "P"_packet, 1).ok());
  const StepLog log(files.steps());
  const std::string vek = folder.File("P.$VE");
  const std::string idx = folder.File("P.$ID");
  const std::string mark = folder.File("P.$OK");
  log.ExpectFlushedBefore(vek, log.FirstWrite(mark));
  log.ExpectFlushedBefore(idx, log.FirstWrite(mark));
  log.ExpectFlushedBefore(mark, log.First("rename " + vek));
  EXPECT_LT(log.First("rename " + vek), log.First("rename " + idx)) << log.text();
  EXPECT_LT(log.First("rename " + idx), log.First("delete " + mark)) << log.text();
  EXPECT_LT(log.First("delete " + mark), log.end()) << log.text();
}

}  // namespace
}  // namespace oldvek
