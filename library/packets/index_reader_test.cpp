#include "packets/index_reader.h"

#include <gtest/gtest.h>

#include "packet_writer.h"
#include "packets/packet_files.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

TEST(IndexReaderTest, ReadsEveryRecordAcrossReadRuns) {
  testing::TempFolder folder;
  std::string index;
  constexpr uint64_t kCount = 4096 * 2 + 3;  // three runs, the last a short one
  for (uint64_t k = 1; k <= kCount; ++k) index += testing::IndexRecordBytes({}, k * 7);
  index += "partial";
  testing::WriteFileBytes(folder.File("RUNS.IDX"), index);

  Result<std::unique_ptr<File>> file = FileSystem::Default().Open(folder.File("RUNS.IDX"), {});
  ASSERT_TRUE(file.ok());
  IndexReader reader(**file, kCount);
  IndexRecord record;
  for (uint64_t k = 1; k <= kCount; ++k) {
    ASSERT_TRUE(reader.Read(k, record).ok());
    ASSERT_EQ(record.start(), k * 7) << "record " << k;
  }
  // Looking back, and ahead into the next run, read the right records too.
  ASSERT_TRUE(reader.Read(4096, record).ok());
  EXPECT_EQ(record.start(), 4096u * 7);
  ASSERT_TRUE(reader.Read(4097, record).ok());
  EXPECT_EQ(record.start(), 4097u * 7);
  EXPECT_FALSE(reader.Read(kCount + 1, record).ok()) << "the partial record is not one";
  EXPECT_FALSE(reader.Read(0, record).ok());
}

}  // namespace
}  // namespace oldvek
