#include "encoder/zorvit_file_encoder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <tuple>

#include "faulty_file_system.h"
#include "temp_folder.h"
#include "text_lines.h"

namespace oldvek::testing {
namespace {

std::string RandomBytes(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& b : bytes) b = static_cast<char>(random());
  return bytes;
}

// An input file in its own folder, encoded into the same folder.
class EncodeTest : public ::testing::Test {
 protected:
  EncodeRequest Request(std::string_view input_name, std::string_view bytes, TargetDialect dialect,
                        std::string output_name) {
    EncodeRequest request{folder_.File(input_name), std::string(input_name), folder_.path(), std::move(output_name),
                          dialect};
    WriteFileBytes(request.input_path, bytes);
    return request;
  }

  TempFolder folder_;
};

// The lines of a page with each run of full data lines shown as one line, their count: the
// data itself is the codec's to check.
std::vector<std::string> FullLinesCounted(const std::vector<std::string>& lines) {
  std::vector<std::string> shown;
  size_t run = 0;  // full lines in the run shown last
  for (const std::string& line : lines) {
    if (!line.starts_with("U\"") || line.size() != 80) {
      shown.push_back(line);
      run = 0;
    } else {
      if (run++ > 0) shown.pop_back();
      shown.push_back("full data lines: " + std::to_string(run));
    }
  }
  return shown;
}

// Every page against its sample. A QuickBASIC input one byte over a page makes two chained
// pages; the other dialects put any input on one page. Data lines go in SUBs of 200, then 201
// lines (PowerBASIC has none).
TEST_F(EncodeTest, PagesMatchTheirSamples) {
  struct Case {
    const char* input_name;
    std::string input;
    TargetDialect dialect;
    std::vector<std::pair<std::string, std::string>> pages;  // each page's file name and sample
  };
  const Case cases[] = {
      {"HI.TXT", "hello", TargetDialect::kPowerBasic, {{"HELLO.BAS", "hello_pbcc.bas"}}},
      {"HI.TXT", "hello", TargetDialect::kVisualBasic, {{"HELLO.BAS", "hello_vb.bas"}}},
      {"HI.TXT", "hello", TargetDialect::kQuickBasic, {{"HELLO.BAS", "hello_qb.bas"}}},
      // Page 1 is 2500 full lines: V0 holds 200, V1 to VB 201 each, VC the last 89.
      {"MYDATA.BIN",
       RandomBytes(156001, 1),
       TargetDialect::kQuickBasic,
       {{"MYPROG.BAS", "long_qb_1.bas"}, {"MYPROG10.BAS", "long_qb_2.bas"}}},
      // 402 full lines and 4 bytes: the 402nd line opens V2 and the short line follows it there.
      {"MYDATA.BIN", RandomBytes(25088, 3), TargetDialect::kVisualBasic, {{"VB.BAS", "long_vb.bas"}}},
      {"MYDATA.BIN", RandomBytes(25088, 3), TargetDialect::kPowerBasic, {{"PB.BAS", "long_pbcc.bas"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pages[0].second);
    std::vector<std::pair<uint64_t, std::string>> started;
    Result<std::vector<std::string>> pages =
        EncodeZorvitPages(FileSystem::Default(), Request(c.input_name, c.input, c.dialect, c.pages[0].first),
                          [&](uint64_t page, const std::string& path) { started.emplace_back(page, path); });
    ASSERT_TRUE(pages.ok()) << pages.status().message();
    ASSERT_EQ(pages->size(), c.pages.size());
    ASSERT_EQ(started.size(), c.pages.size());
    for (size_t k = 0; k < c.pages.size(); ++k) {
      EXPECT_EQ((*pages)[k], folder_.File(c.pages[k].first));
      EXPECT_EQ(started[k], (std::pair<uint64_t, std::string>{k + 1, (*pages)[k]}));
      const std::string sample = std::string(OLDVEK_LIBRARY_DIR "/encoder/testdata/") + c.pages[k].second;
      EXPECT_EQ(FullLinesCounted(SplitCrLfLines(ReadFileBytes((*pages)[k]))), SplitLfLines(ReadFileBytes(sample)));
    }
  }
}

TEST_F(EncodeTest, APageNamedLikeAnotherOrLikeTheInputIsRefusedBeforeAnythingIsWritten) {
  const std::tuple<const char*, TargetDialect, const char*, std::string> cases[] = {
      {"BIG.DAT", TargetDialect::kQuickBasic, "ENCODE10.BAS",
       "page 2 of ENCODE10.BAS would be named ENCODE10.BAS, the same file as page 1"},
      {"DATA.BAS", TargetDialect::kVisualBasic, "DATA.BAS", folder_.File("DATA.BAS")},
      {"MYPROG10.BAS", TargetDialect::kQuickBasic, "MYPROG.BAS", folder_.File("MYPROG10.BAS")},  // page 2
  };
  for (const auto& [input_name, dialect, output_name, message] : cases) {
    const std::string input = RandomBytes(156001, 4);
    Result<std::vector<std::string>> pages =
        EncodeZorvitPages(FileSystem::Default(), Request(input_name, input, dialect, output_name));
    ASSERT_FALSE(pages.ok()) << output_name;
    EXPECT_NE(pages.status().message().find(message), std::string::npos) << pages.status().message();
    EXPECT_EQ(ReadFileBytes(folder_.File(input_name)), input);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()), {}), 1) << output_name;
    std::filesystem::remove(folder_.File(input_name));
  }
}

// A failing operation, once or from then on, from opening the input (a missing input) to
// putting the last page in place.
TEST_F(EncodeTest, EveryFileFailureIsReportedAndLeavesOnlyWholePages) {
  const std::string input = RandomBytes(156001 + 70000, 7);
  const EncodeRequest request = Request("IN.DAT", input, TargetDialect::kQuickBasic, "OUT.BAS");
  FaultyFileSystem counting(FileSystem::Default());
  const Result<std::vector<std::string>> made = EncodeZorvitPages(counting, request);
  ASSERT_TRUE(made.ok()) << made.status().message();
  const std::vector<std::string>& pages = *made;
  ASSERT_EQ(pages.size(), 2u);
  const std::vector<std::string> good = {ReadFileBytes(pages[0]), ReadFileBytes(pages[1])};
  const uint64_t operations = counting.operations();
  for (bool and_later : {false, true}) {
    for (uint64_t n = 1; n <= operations; ++n) {
      for (const std::string& page : pages) std::filesystem::remove(page);
      FaultyFileSystem failing(FileSystem::Default());
      and_later ? failing.FailFrom(n) : failing.FailOnly(n);
      Result<std::vector<std::string>> result = EncodeZorvitPages(failing, request);
      ASSERT_FALSE(result.ok()) << "operation " << n;
      const std::string& message = result.status().message();
      EXPECT_NE(message.find(": injected failure"), std::string::npos) << message;
      EXPECT_NE(message.find(folder_.path()), std::string::npos) << "names the file that failed: " << message;
      for (size_t k = 0; k < pages.size(); ++k) {
        if (FileExists(pages[k]) && ReadFileBytes(pages[k]) != good[k]) {
          // Only a page whose removal failed too may stay, and the message says so.
          EXPECT_TRUE(and_later) << "operation " << n << " left page " << k + 1 << " incomplete";
          EXPECT_NE(message.find("the incomplete page stays"), std::string::npos) << message;
        }
      }
      EXPECT_EQ(ReadFileBytes(request.input_path), input);
    }
  }
}

}  // namespace
}  // namespace oldvek::testing
