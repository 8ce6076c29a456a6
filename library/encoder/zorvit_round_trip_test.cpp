#include <gtest/gtest.h>

#include <random>

#include "encoder/zorvit_decoder.h"
#include "encoder/zorvit_file_encoder.h"
#include "temp_folder.h"
#include "text_lines.h"

namespace oldvek::testing {
namespace {

// The bytes of one page's data lines; the S its end line states is the decoder's.
std::string DecodePage(const std::string& path) {
  const std::vector<std::string> lines = SplitCrLfLines(ReadFileBytes(path));
  ZorvitDecoder decoder;
  std::string bytes;
  for (const std::string& line : lines) {
    if (line.rfind("U\"", 0) == 0) decoder.Feed(std::string_view(line).substr(2), bytes);
  }
  EXPECT_TRUE(lines.back().ends_with(" TCHK:" + std::to_string(decoder.checksum()))) << lines.back();
  return bytes;
}

TEST(ZorvitRoundTripTest, EveryPageDecodesBackToItsPartOfTheInput) {
  std::mt19937 random(20031);
  std::vector<size_t> sizes = {0, 1, 2, 3, 4, 61, 62, 63, 155999, 156000, 156001, 312000, 312003};
  for (int i = 0; i < 8; ++i) sizes.push_back(std::uniform_int_distribution<size_t>(0, 400'000)(random));

  TempFolder folder;
  for (size_t size : sizes) {
    std::string input(size, '\0');
    // Some inputs lean to one high digit, so that prefixes 0, 40 and 80 all turn up.
    const int skew = static_cast<int>(size % 4);
    for (char& b : input) {
      const unsigned r = random();
      b = static_cast<char>(skew == 0 ? r : skew == 1 ? r % 86 : skew == 2 ? 172 + r % 84 : 86 + r % 86);
    }
    WriteFileBytes(folder.File("IN.BIN"), input);
    for (TargetDialect dialect :
         {TargetDialect::kPowerBasic, TargetDialect::kVisualBasic, TargetDialect::kQuickBasic}) {
      EncodeRequest request{folder.File("IN.BIN"), "IN.BIN", folder.path(), "OUT.BAS", dialect};
      Result<std::vector<std::string>> pages = EncodeZorvitPages(FileSystem::Default(), request);
      ASSERT_TRUE(pages.ok()) << pages.status().message();
      const size_t expected_pages = dialect == TargetDialect::kQuickBasic && size > 0 ? (size + 155999) / 156000 : 1;
      ASSERT_EQ(pages->size(), expected_pages) << size;
      std::string decoded;
      for (const std::string& page : *pages) decoded += DecodePage(page);
      EXPECT_TRUE(decoded == input) << "size " << size << ", dialect " << static_cast<int>(dialect);
    }
  }
}

}  // namespace
}  // namespace oldvek::testing
