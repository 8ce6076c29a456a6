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

  Result<std::unique_ptr<File>> file = FileSystem::Default().Open(folder.File("RUNS.IDX"), kSharedPacketOpen);
  ASSERT_TRUE(file.ok());
  IndexReader reader(**file, kCount);
  IndexRecord record;
  for (uint64_t k = 1; k <= kCount; ++k) {
    ASSERT_EQ(reader.next_number(), k);
    ASSERT_TRUE(reader.Next(record).ok());
    ASSERT_EQ(record.start(), k * 7) << "record " << k;
  }
  EXPECT_EQ(reader.next_number(), kCount + 1);
  EXPECT_FALSE(reader.Next(record).ok());
}

}  // namespace
}  // namespace oldvek
