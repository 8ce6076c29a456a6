#include "encoder/zorvit_file_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "faulty_file_system.h"
#include "temp_folder.h"
#include "text_lines.h"

namespace oldvek {
namespace {

using testing::FaultyFileSystem;
using testing::FileExists;
using testing::ReadFileBytes;
using testing::SplitCrLfLines;
using testing::SplitLfLines;
using testing::TempFolder;
using testing::WriteFileBytes;

std::string TestData(const char* name) {
  return ReadFileBytes((std::filesystem::path(__FILE__).parent_path() / "testdata" / name).string());
}

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
    EncodeRequest request;
    request.input_path = folder_.File(input_name);
    request.input_name = input_name;
    request.output_folder = folder_.path();
    request.output_name = std::move(output_name);
    request.dialect = dialect;
    WriteFileBytes(request.input_path, bytes);
    return request;
  }

  std::vector<std::string> EncodeOk(const EncodeRequest& request) {
    Result<std::vector<std::string>> pages = EncodeZorvitPages(FileSystem::Default(), request);
    EXPECT_TRUE(pages.ok()) << pages.status().message();
    return pages.ok() ? *pages : std::vector<std::string>();
  }

  std::vector<std::string> PageLines(const std::string& path) { return SplitCrLfLines(ReadFileBytes(path)); }

  std::vector<std::string> FolderFiles() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder folder_;
};

bool IsDataLine(const std::string& line) { return line.rfind("U\"", 0) == 0; }

size_t IndexOf(const std::vector<std::string>& lines, std::string_view line) {
  return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

TEST_F(EncodeTest, WholeOnePageProgramOfEachDialect) {
  struct Case {
    TargetDialect dialect;
    const char* expected;
  };
  for (const Case& c : {Case{TargetDialect::kPowerBasic, "hello_pbcc.bas"}, Case{TargetDialect::kVisualBasic, "hello_vb.bas"},
                        Case{TargetDialect::kQuickBasic, "hello_qb.bas"}}) {
    const std::vector<std::string> pages = EncodeOk(Request("HI.TXT", "hello", c.dialect, "HELLO.BAS"));
    ASSERT_EQ(pages, std::vector<std::string>{folder_.File("HELLO.BAS")});
    const std::vector<std::string> expected = SplitLfLines(TestData(c.expected));
    const std::vector<std::string> actual = PageLines(pages[0]);
    for (size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
      ASSERT_LT(i, actual.size()) << c.expected << ": missing from line " << i + 1;
      ASSERT_LT(i, expected.size()) << c.expected << ": extra line " << i + 1 << ": " << actual[i];
      EXPECT_EQ(actual[i], expected[i]) << c.expected << " line " << i + 1;
    }
  }
}

TEST_F(EncodeTest, QuickBasicInputOneByteOverAPageGivesTwoChainedPages) {
  const std::string input = RandomBytes(156001, 1);
  std::vector<std::pair<uint64_t, std::string>> started;
  Result<std::vector<std::string>> pages =
      EncodeZorvitPages(FileSystem::Default(), Request("MYDATA.BIN", input, TargetDialect::kQuickBasic, "MYPROG.BAS"),
                        [&](uint64_t page, const std::string& path) { started.emplace_back(page, path); });
  ASSERT_TRUE(pages.ok()) << pages.status().message();
  ASSERT_EQ(*pages, (std::vector<std::string>{folder_.File("MYPROG.BAS"), folder_.File("MYPROG10.BAS")}));
  EXPECT_EQ(started, (std::vector<std::pair<uint64_t, std::string>>{{1, (*pages)[0]}, {2, (*pages)[1]}}));

  const std::vector<std::string> first = PageLines((*pages)[0]);
  EXPECT_EQ(first.front(), "'>>> Page 1 of 2 of MYDATA.BIN begins here. TYPE:BINAA TLEN:156000");
  EXPECT_LT(IndexOf(first, "OPEN \"MYDATA.BIN\" FOR OUTPUT AS #OutHndl"), first.size());
  EXPECT_EQ(first[IndexOf(first, "END") - 2], "CHAIN \"MYPROG10.BAS\"");
  EXPECT_LT(IndexOf(first, "IF S = " + first.back().substr(first.back().find("TCHK:") + 5) + " AND B = 156000 THEN"),
            first.size());
  EXPECT_EQ(first.back().find("'>>> Page 1 of MYDATA.BIN ends here.  TCHK:"), 0u);

  const std::vector<std::string> second = PageLines((*pages)[1]);
  EXPECT_EQ(second.front(), "'>>> Page 2 of 2 of MYDATA.BIN begins here. TYPE:BINAA TLEN:1");
  EXPECT_LT(IndexOf(second, "OPEN \"MYDATA.BIN\" FOR APPEND AS #OutHndl"), second.size());
  EXPECT_EQ(IndexOf(second, "OPEN \"MYDATA.BIN\" FOR OUTPUT AS #OutHndl"), second.size());
  EXPECT_EQ(std::count_if(second.begin(), second.end(), [](const std::string& l) { return l.rfind("CHAIN", 0) == 0; }),
            0);
  EXPECT_EQ(second.back().find("'>>> Page 2 of MYDATA.BIN ends here. Last page. TCHK:"), 0u);
}

// The SUBs of a page in order, each with the number of data lines it holds.
std::vector<std::pair<std::string, size_t>> SubsOf(const std::vector<std::string>& lines) {
  std::vector<std::pair<std::string, size_t>> subs;
  for (const std::string& line : lines) {
    if (line.rfind("SUB V", 0) == 0) subs.emplace_back(line.substr(4), 0);
    if (IsDataLine(line)) {
      EXPECT_FALSE(subs.empty()) << "a data line outside every SUB";
      if (!subs.empty()) ++subs.back().second;
    }
  }
  return subs;
}

std::vector<std::string> CallList(const std::vector<std::string>& lines, TargetDialect dialect) {
  const std::string open_line =
      dialect == TargetDialect::kVisualBasic ? "OPEN \".\\IN.DAT\" FOR OUTPUT AS #OutHndl" : "OPEN \"IN.DAT\" FOR OUTPUT AS #OutHndl";
  size_t i = IndexOf(lines, open_line) + 1;
  EXPECT_EQ(lines.at(i), " ");
  std::vector<std::string> calls;
  while (++i < lines.size() && lines[i] != " ") calls.push_back(lines[i]);
  return calls;
}

TEST_F(EncodeTest, LongPagesAreSplitIntoSubsOf200ThenOf201Lines) {
  // 156000 bytes are exactly 2500 full lines: 200 in V0, 201 in V1 to VB, 89 in VC.
  const std::vector<std::string> qb =
      PageLines(EncodeOk(Request("IN.DAT", RandomBytes(156000, 2), TargetDialect::kQuickBasic, "QB.BAS"))[0]);
  std::vector<std::pair<std::string, size_t>> expected = {{"V0", 200}};
  for (const char* name : {"V1", "V2", "V3", "V4", "V5", "V6", "V7", "V8", "V9", "VA", "VB"}) expected.emplace_back(name, 201);
  expected.emplace_back("VC", 89);
  EXPECT_EQ(SubsOf(qb), expected);
  EXPECT_EQ(CallList(qb, TargetDialect::kQuickBasic),
            (std::vector<std::string>{"V0", "V1", "V2", "V3", "V4", "V5", "V6", "V7", "V8", "V9", "VA", "VB", "VC"}));
  EXPECT_EQ(qb[IndexOf(qb, "SUB V1") - 1], "END SUB");

  // 25088 bytes are 402 full lines and 4 characters: the 402nd line opens V2, the short line
  // follows it there.
  const std::vector<std::string> vb =
      PageLines(EncodeOk(Request("IN.DAT", RandomBytes(25088, 3), TargetDialect::kVisualBasic, "VB.BAS"))[0]);
  EXPECT_EQ(SubsOf(vb), (std::vector<std::pair<std::string, size_t>>{{"V0", 200}, {"V1", 201}, {"V2", 2}}));
  EXPECT_EQ(CallList(vb, TargetDialect::kVisualBasic), (std::vector<std::string>{"V0", "V1", "V2"}));
  const size_t end_of_v2 = IndexOf(vb, "SUB V2") + 3;
  EXPECT_EQ(vb[end_of_v2 - 1].size(), 6u);
  EXPECT_EQ(vb[end_of_v2], "END SUB");
  EXPECT_EQ(vb[end_of_v2 + 2], "SUB MAIN()");

  const std::vector<std::string> pb =
      PageLines(EncodeOk(Request("IN.DAT", RandomBytes(25088, 3), TargetDialect::kPowerBasic, "PB.BAS"))[0]);
  EXPECT_EQ(std::count_if(pb.begin(), pb.end(), IsDataLine), 403);
  for (const std::string& line : pb) EXPECT_NE(line.rfind("SUB V", 0), 0u) << line;
  EXPECT_EQ(IndexOf(pb, "V0"), pb.size());
}

TEST_F(EncodeTest, EmptyInputGivesOneValidPageInEveryDialect) {
  for (TargetDialect dialect : {TargetDialect::kPowerBasic, TargetDialect::kVisualBasic, TargetDialect::kQuickBasic}) {
    const std::vector<std::string> pages = EncodeOk(Request("EMPTY.DAT", "", dialect, "EMPTY.BAS"));
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<std::string> lines = PageLines(pages[0]);
    EXPECT_EQ(lines.front(), "'>>> Page 1 of 1 of EMPTY.DAT begins here. TYPE:BINAA TLEN:0");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), IsDataLine), 0);
    const std::string check = dialect == TargetDialect::kVisualBasic ? "IF S = 0 AND B& = 0 THEN" : "IF S = 0 AND B = 0 THEN";
    EXPECT_LT(IndexOf(lines, check), lines.size());
    EXPECT_LT(IndexOf(lines, dialect == TargetDialect::kVisualBasic ? "OPEN \".\\EMPTY.DAT\" FOR OUTPUT AS #OutHndl"
                                                                    : "OPEN \"EMPTY.DAT\" FOR OUTPUT AS #OutHndl"),
              lines.size());
    EXPECT_EQ(lines.back(), "'>>> Page 1 of EMPTY.DAT ends here. Last page. TCHK:0");
  }
}

TEST_F(EncodeTest, CollidingPageNamesAreRefusedBeforeAnythingIsWritten) {
  const EncodeRequest request = Request("BIG.DAT", RandomBytes(156001, 4), TargetDialect::kQuickBasic, "ENCODE10.BAS");
  Result<std::vector<std::string>> pages = EncodeZorvitPages(FileSystem::Default(), request);
  ASSERT_FALSE(pages.ok());
  EXPECT_EQ(pages.status().message(), "page 2 of ENCODE10.BAS would be named ENCODE10.BAS, the same file as page 1");
  EXPECT_EQ(FolderFiles(), std::vector<std::string>{"BIG.DAT"});
}

TEST_F(EncodeTest, APageNamedLikeTheInputIsRefusedAndTheInputKept) {
  const std::string input = RandomBytes(1000, 5);
  Result<std::vector<std::string>> same =
      EncodeZorvitPages(FileSystem::Default(), Request("DATA.BAS", input, TargetDialect::kVisualBasic, "DATA.BAS"));
  ASSERT_FALSE(same.ok());
  EXPECT_NE(same.status().message().find(folder_.File("DATA.BAS")), std::string::npos) << same.status().message();
  EXPECT_EQ(ReadFileBytes(folder_.File("DATA.BAS")), input);

  // Page 2 of MYPROG.BAS is MYPROG10.BAS, the input itself.
  const std::string big = RandomBytes(156001, 6);
  Result<std::vector<std::string>> later =
      EncodeZorvitPages(FileSystem::Default(), Request("MYPROG10.BAS", big, TargetDialect::kQuickBasic, "MYPROG.BAS"));
  ASSERT_FALSE(later.ok());
  EXPECT_NE(later.status().message().find(folder_.File("MYPROG10.BAS")), std::string::npos);
  EXPECT_EQ(ReadFileBytes(folder_.File("MYPROG10.BAS")), big);
}

TEST_F(EncodeTest, AMissingInputIsAFailureNamingIt) {
  EncodeRequest request = Request("THERE.DAT", "x", TargetDialect::kPowerBasic, "OUT.BAS");
  request.input_path = folder_.File("MISSING.DAT");
  Result<std::vector<std::string>> pages = EncodeZorvitPages(FileSystem::Default(), request);
  ASSERT_FALSE(pages.ok());
  EXPECT_NE(pages.status().message().find(request.input_path), std::string::npos);
  EXPECT_EQ(FolderFiles(), std::vector<std::string>{"THERE.DAT"});
}

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
}  // namespace oldvek
