// An output never takes the place of what its operation reads (run natively and under Wine).
#include "platform/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace oldvek {
namespace {

using namespace oldvek::testing;

TEST(OutputFileTest, AnInputIsRefusedByIdentityOrByNameInAnyCase) {
  TempFolder folder;
  std::filesystem::create_directory(folder.File("sub"));
  WriteFileBytes(folder.File("SORTS.VEK"), "packet");
  std::error_code no_links;  // a file system without hard links skips that row
  std::filesystem::create_hard_link(folder.File("SORTS.VEK"), folder.File("sub/LINK.BIN"), no_links);
  const std::string inputs[] = {folder.File("SORTS.VEK"), folder.File("SORTS.$LK")};
  struct Row {
    std::string output;
    bool refused;
  };
  const Row rows[] = {
      {folder.File("SORTS.VEK"), true},
      {folder.File("sorts.vek"), true},          // the same name in another case, on any file system
      {folder.File("sub/../Sorts.Vek"), true},   // the same folder by another way
      {folder.File("sorts.$lk"), true},          // a file that does not exist yet is still the input's name
      {folder.File("sub/LINK.BIN"), !no_links},  // another name of the same file
      {folder.File("SORTS.BAS"), false},
      {folder.File("sub/SORTS.VEK"), false},
  };
  for (const Row& row : rows) {
    const Status status = CheckNotAnInput(FileSystem::Default(), row.output, inputs);
    EXPECT_EQ(!status.ok(), row.refused) << row.output;
    if (row.refused) EXPECT_NE(status.message().find("which is being read"), std::string::npos) << status.message();
  }
  Result<OutputFile> output = OutputFile::Create(FileSystem::Default(), folder.File("Sorts.vek"), inputs);
  ASSERT_FALSE(output.ok());
  EXPECT_EQ(output.status().message(), "cannot write " + folder.File("Sorts.vek") + ": it is " +
                                           folder.File("SORTS.VEK") + ", which is being read");
  EXPECT_EQ(ReadFileBytes(folder.File("SORTS.VEK")), "packet");
}

}  // namespace
}  // namespace oldvek
