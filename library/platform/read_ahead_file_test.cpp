#include "platform/read_ahead_file.h"

#include <gtest/gtest.h>

#include <random>

#include "temp_folder.h"

namespace oldvek {
namespace {

using namespace oldvek::testing;

constexpr OpenOptions kShared{Access::kReadWrite, Share::kShared, Disposition::kOpenOrCreate};

TEST(ReadAheadFileTest, EveryReadMatchesThePlainFileWhereverItFalls) {
  TempFolder folder;
  std::string bytes(1000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + 3);
  WriteFileBytes(folder.File("F"), bytes);
  Result<std::unique_ptr<File>> plain = FileSystem::Default().Open(folder.File("F"), kShared);
  ASSERT_TRUE(plain.ok());
  ReadAheadFile ahead(**plain, 64);
  std::mt19937 random(42);
  uint64_t offset = 0;
  for (int i = 0; i < 2000; ++i) {
    // Mostly forward, sometimes back, sometimes past the end, sometimes larger than the window.
    offset = random() % 8 == 0 ? random() % 1100 : offset + random() % 40;
    const size_t size = random() % 8 == 0 ? 100 + random() % 100 : random() % 40;
    std::string expected(size, '?');
    std::string actual(size, '!');
    ASSERT_TRUE((*plain)->ReadAt(offset, expected).ok());
    ASSERT_TRUE(ahead.ReadAt(offset, actual).ok());
    ASSERT_EQ(actual, expected) << offset << " " << size;
  }
  EXPECT_EQ(*ahead.Size(), 1000u);
}

}  // namespace
}  // namespace oldvek
