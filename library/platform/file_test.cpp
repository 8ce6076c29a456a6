// The file layer on this platform's real file system (run natively and under Wine).
#include "platform/file.h"

#include <gtest/gtest.h>

#include "platform/buffered_writer.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using namespace oldvek::testing;

constexpr OpenOptions kShared{Access::kReadWrite, Share::kShared, Disposition::kOpenOrCreate};
constexpr OpenOptions kExclusive{Access::kReadWrite, Share::kExclusive, Disposition::kOpenOrCreate};

std::unique_ptr<File> OpenOrDie(const std::string& path, OpenOptions options) {
  Result<std::unique_ptr<File>> file = FileSystem::Default().Open(path, options);
  EXPECT_TRUE(file.ok()) << file.status().message();
  return file.ok() ? std::move(*file) : nullptr;
}

TEST(FileTest, WritesAppendsTruncatesAndReadsZeroBytesPastTheEnd) {
  TempFolder folder;
  std::unique_ptr<File> file = OpenOrDie(folder.File("C"), kShared);
  ASSERT_TRUE(file->Append(std::string_view("hello")).ok());
  ASSERT_TRUE(file->WriteAt(1, std::string_view("EL")).ok());
  ASSERT_TRUE(file->Append(std::string_view("!")).ok());
  EXPECT_EQ(*file->Size(), 6u);
  ASSERT_TRUE(file->Sync().ok());
  ASSERT_TRUE(file->Truncate(4).ok());
  std::string buffer(6, '?');
  ASSERT_TRUE(file->ReadAt(1, buffer).ok());
  EXPECT_EQ(buffer, std::string("ELl\0\0\0", 6));
  ASSERT_TRUE(file->ReadAt(100, buffer).ok());
  EXPECT_EQ(buffer, std::string(6, '\0'));
  ASSERT_TRUE(file->Close().ok());
  ASSERT_TRUE(file->Close().ok());
  EXPECT_EQ(ReadFileBytes(folder.File("C")), "hELl");
}

TEST(FileTest, AnOpenFileShutsOutWhatItExcludesAndIsNeverRemoved) {
  TempFolder folder;
  const std::string path = folder.File("D.IDX");
  std::unique_ptr<File> exclusive = OpenOrDie(path, kExclusive);
  Result<std::unique_ptr<File>> second = FileSystem::Default().Open(path, kShared);
  ASSERT_FALSE(second.ok());
  EXPECT_NE(second.status().message().find(path), std::string::npos);
  EXPECT_FALSE(FileSystem::Default().Open(path, kExclusive).ok());
  EXPECT_FALSE(FileSystem::Default().Remove(path).ok());
  exclusive.reset();
  std::unique_ptr<File> first = OpenOrDie(path, kShared);
  std::unique_ptr<File> also = OpenOrDie(path, kShared);
  EXPECT_FALSE(FileSystem::Default().Open(path, kExclusive).ok());
  EXPECT_FALSE(FileSystem::Default().Remove(path).ok());
  first.reset();
  also.reset();
  EXPECT_TRUE(FileSystem::Default().Exists(path));
  EXPECT_TRUE(FileSystem::Default().Remove(path).ok());
  EXPECT_FALSE(FileSystem::Default().Exists(path));
}

TEST(FileSystemTest, ReplaceTakesThePlaceOfAnExistingFileAndRemoveToleratesMissing) {
  TempFolder folder;
  WriteFileBytes(folder.File("NEW"), "new");
  WriteFileBytes(folder.File("OLD"), "old");
  ASSERT_TRUE(FileSystem::Default().Replace(folder.File("NEW"), folder.File("OLD")).ok());
  EXPECT_EQ(ReadFileBytes(folder.File("OLD")), "new");
  EXPECT_FALSE(FileSystem::Default().Exists(folder.File("NEW")));
  EXPECT_TRUE(FileSystem::Default().Remove(folder.File("OLD")).ok());
  EXPECT_TRUE(FileSystem::Default().Remove(folder.File("OLD")).ok());
  EXPECT_FALSE(FileSystem::Default().Replace(folder.File("GONE"), folder.File("OLD")).ok());
}

TEST(BufferedWriterTest, KeepsOrderAcrossSmallAndLargeWrites) {
  TempFolder folder;
  std::unique_ptr<File> file = OpenOrDie(folder.File("W"), kShared);
  BufferedWriter writer(*file, 8);
  std::string expected;
  for (std::string_view piece : {"ab", "cdefg", "0123456789ABCDEF", "h", "ijklmno"}) {
    writer.Write(piece);
    expected += piece;
  }
  writer.Put('!');  // into a full buffer
  expected += '!';
  ASSERT_TRUE(writer.Flush().ok());
  file.reset();
  EXPECT_EQ(ReadFileBytes(folder.File("W")), expected);
}

}  // namespace
}  // namespace oldvek
