#include "encoder/zorvit_file_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

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
    EncodeRequest request{folder_.File(input_name), std::string(input_name), folder_.path(), std::move(output_name), dialect};
    WriteFileBytes(request.input_path, bytes);
    return request;
  }

  std::vector<std::string> EncodeOk(const EncodeRequest& request) {
    Result<std::vector<std::string>> pages = EncodeZorvitPages(FileSystem::Default(), request);
    EXPECT_TRUE(pages.ok()) << pages.status().message();
    return pages.ok() ? *pages : std::vector<std::string>();
  }

  // The lines of the first page `request` makes.
  std::vector<std::string> FirstPage(const EncodeRequest& request) {
    const std::vector<std::string> pages = EncodeOk(request);
    return pages.empty() ? std::vector<std::string>() : SplitCrLfLines(ReadFileBytes(pages[0]));
  }

  size_t FileCount() {
    const std::filesystem::directory_iterator files(folder_.path());
    return static_cast<size_t>(std::distance(begin(files), end(files)));
  }

  TempFolder folder_;
};

bool IsDataLine(const std::string& line) { return line.rfind("U\"", 0) == 0; }

bool Holds(const std::vector<std::string>& lines, std::string_view line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(EncodeTest, WholeOnePageProgramOfEachDialect) {
  for (const auto& [dialect, expected] : {std::pair{TargetDialect::kPowerBasic, "hello_pbcc.bas"},
                                          std::pair{TargetDialect::kVisualBasic, "hello_vb.bas"},
                                          std::pair{TargetDialect::kQuickBasic, "hello_qb.bas"}}) {
    const std::string golden = std::string(OLDVEK_LIBRARY_DIR "/encoder/testdata/") + expected;
    EXPECT_EQ(FirstPage(Request("HI.TXT", "hello", dialect, "HELLO.BAS")), SplitLfLines(ReadFileBytes(golden)))
        << expected;
  }
}

TEST_F(EncodeTest, QuickBasicInputOneByteOverAPageGivesTwoChainedPages) {
  std::vector<std::pair<uint64_t, std::string>> started;
  Result<std::vector<std::string>> pages = EncodeZorvitPages(
      FileSystem::Default(), Request("MYDATA.BIN", RandomBytes(156001, 1), TargetDialect::kQuickBasic, "MYPROG.BAS"),
      [&](uint64_t page, const std::string& path) { started.emplace_back(page, path); });
  ASSERT_TRUE(pages.ok()) << pages.status().message();
  ASSERT_EQ(*pages, (std::vector<std::string>{folder_.File("MYPROG.BAS"), folder_.File("MYPROG10.BAS")}));
  EXPECT_EQ(started, (std::vector<std::pair<uint64_t, std::string>>{{1, (*pages)[0]}, {2, (*pages)[1]}}));

  // Page 1 creates the file and chains to page 2, which appends and chains nowhere.
  const std::vector<std::string> first = SplitCrLfLines(ReadFileBytes((*pages)[0]));
  EXPECT_EQ(first.front(), "'>>> Page 1 of 2 of MYDATA.BIN begins here. TYPE:BINAA TLEN:156000");
  EXPECT_TRUE(Holds(first, "OPEN \"MYDATA.BIN\" FOR OUTPUT AS #OutHndl"));
  EXPECT_EQ(*(std::find(first.begin(), first.end(), "END") - 2), "CHAIN \"MYPROG10.BAS\"");
  EXPECT_EQ(first.back().find("'>>> Page 1 of MYDATA.BIN ends here.  TCHK:"), 0u);
  const std::vector<std::string> second = SplitCrLfLines(ReadFileBytes((*pages)[1]));
  EXPECT_EQ(second.front(), "'>>> Page 2 of 2 of MYDATA.BIN begins here. TYPE:BINAA TLEN:1");
  EXPECT_TRUE(Holds(second, "OPEN \"MYDATA.BIN\" FOR APPEND AS #OutHndl"));
  EXPECT_FALSE(Holds(second, "OPEN \"MYDATA.BIN\" FOR OUTPUT AS #OutHndl"));
  EXPECT_TRUE(std::none_of(second.begin(), second.end(), [](const std::string& l) { return l.starts_with("CHAIN"); }));
  EXPECT_EQ(second.back().find("'>>> Page 2 of MYDATA.BIN ends here. Last page. TCHK:"), 0u);
}

// The SUBs of a page in order, each with the number of data lines it holds, and the calls
// of the list that follows the OPEN line.
struct Subs {
  std::vector<std::pair<std::string, size_t>> subs;
  std::vector<std::string> calls;
};

Subs SubsOf(const std::vector<std::string>& lines) {
  Subs found;
  for (auto line = lines.begin(); line != lines.end(); ++line) {
    if (line->rfind("SUB V", 0) == 0) {
      EXPECT_TRUE(found.subs.empty() || line[-1] == "END SUB") << *line;
      found.subs.emplace_back(line->substr(4), 0);
    }
    if (IsDataLine(*line)) {
      EXPECT_FALSE(found.subs.empty()) << "a data line outside every SUB";
      if (!found.subs.empty()) ++found.subs.back().second;
    }
    if (line->rfind("OPEN ", 0) == 0 && line + 1 != lines.end() && line[1] == " ") {
      for (line += 2; line != lines.end() && *line != " "; ++line) found.calls.push_back(*line);
      if (line == lines.end()) break;
    }
  }
  return found;
}

TEST_F(EncodeTest, LongPagesAreSplitIntoSubsOf200ThenOf201Lines) {
  // 156000 bytes are exactly 2500 full lines: 200 in V0, 201 in V1 to VB, 89 in VC.
  const Subs qb = SubsOf(FirstPage(Request("IN.DAT", RandomBytes(156000, 2), TargetDialect::kQuickBasic, "QB.BAS")));
  std::vector<std::pair<std::string, size_t>> expected = {{"V0", 200}};
  for (const char* name : {"V1", "V2", "V3", "V4", "V5", "V6", "V7", "V8", "V9", "VA", "VB"}) expected.emplace_back(name, 201);
  expected.emplace_back("VC", 89);
  EXPECT_EQ(qb.subs, expected);
  EXPECT_EQ(qb.calls, (std::vector<std::string>{"V0", "V1", "V2", "V3", "V4", "V5", "V6", "V7", "V8", "V9", "VA", "VB", "VC"}));

  // 25088 bytes are 402 full lines and 4 characters: the 402nd line opens V2, the short line
  // follows it there, and SUB MAIN follows V2.
  const std::vector<std::string> vb = FirstPage(Request("IN.DAT", RandomBytes(25088, 3), TargetDialect::kVisualBasic, "VB.BAS"));
  const Subs vb_subs = SubsOf(vb);
  EXPECT_EQ(vb_subs.subs, (std::vector<std::pair<std::string, size_t>>{{"V0", 200}, {"V1", 201}, {"V2", 2}}));
  EXPECT_EQ(vb_subs.calls, (std::vector<std::string>{"V0", "V1", "V2"}));
  const auto end_of_v2 = std::find(vb.begin(), vb.end(), "SUB V2") + 3;
  EXPECT_EQ(end_of_v2[-1].size(), 6u);
  EXPECT_EQ(end_of_v2[0], "END SUB");
  EXPECT_EQ(end_of_v2[2], "SUB MAIN()");

  // PowerBASIC pages have no SUBs.
  const std::vector<std::string> pb = FirstPage(Request("IN.DAT", RandomBytes(25088, 3), TargetDialect::kPowerBasic, "PB.BAS"));
  EXPECT_EQ(std::count_if(pb.begin(), pb.end(), IsDataLine), 403);
  const auto sub_line = [](const std::string& l) { return l.starts_with("SUB V") || l == "V0"; };
  EXPECT_TRUE(std::none_of(pb.begin(), pb.end(), sub_line));
}

// Pages named like each other or like the input are refused before anything is written.
TEST_F(EncodeTest, APageNamedLikeAnotherOrLikeTheInputIsRefused) {
  struct Case {
    const char* input_name;
    TargetDialect dialect;
    const char* output_name;
    std::string message;
  };
  const Case cases[] = {
      {"BIG.DAT", TargetDialect::kQuickBasic, "ENCODE10.BAS",
       "page 2 of ENCODE10.BAS would be named ENCODE10.BAS, the same file as page 1"},
      {"DATA.BAS", TargetDialect::kVisualBasic, "DATA.BAS", folder_.File("DATA.BAS")},
      {"MYPROG10.BAS", TargetDialect::kQuickBasic, "MYPROG.BAS", folder_.File("MYPROG10.BAS")},  // page 2
  };
  for (const Case& c : cases) {
    const std::string input = RandomBytes(156001, 4);
    Result<std::vector<std::string>> pages =
        EncodeZorvitPages(FileSystem::Default(), Request(c.input_name, input, c.dialect, c.output_name));
    ASSERT_FALSE(pages.ok()) << c.output_name;
    EXPECT_NE(pages.status().message().find(c.message), std::string::npos) << pages.status().message();
    EXPECT_EQ(ReadFileBytes(folder_.File(c.input_name)), input);
    EXPECT_EQ(FileCount(), 1u) << c.output_name;
    std::filesystem::remove(folder_.File(c.input_name));
  }
}

// A failing operation, once or from then on, from opening the input (a missing input) to
// putting the last page in place.
TEST_F(EncodeTest, EveryFileFailureIsReportedAndLeavesOnlyWholePages) {
  const std::string input = RandomBytes(156001 + 70000, 7);
  const EncodeRequest request = Request("IN.DAT", input, TargetDialect::kQuickBasic, "OUT.BAS");
  const std::vector<std::string> pages = EncodeOk(request);
  ASSERT_EQ(pages.size(), 2u);
  const std::vector<std::string> good = {ReadFileBytes(pages[0]), ReadFileBytes(pages[1])};

  FaultyFileSystem counting(FileSystem::Default());
  ASSERT_TRUE(EncodeZorvitPages(counting, request).ok());
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
      EXPECT_TRUE(message.find(request.input_path) != std::string::npos || message.find(pages[0]) != std::string::npos ||
                  message.find(pages[1]) != std::string::npos)
          << message;
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
