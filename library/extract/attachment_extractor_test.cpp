#include "extract/attachment_extractor.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "temp_folder.h"

namespace oldvek {

void PrintTo(ScanState state, std::ostream* out) { *out << "state " << static_cast<int>(state); }

namespace testing {
namespace {

using Lines = std::vector<std::string>;

// The page of the three bytes "xyz": prefix 13, low digits 34, 35, 36; S = 118.
const std::string kBegin = "'>>> Page 1 of 1 of XYZ.TXT begins here. TYPE:BINAA TLEN:3";
const std::string kXyz = "U\"2GHI";
const std::string kEnd = "'>>> Page 1 of XYZ.TXT ends here. Last page. TCHK:118";

// What the extractor made of some lines: the bytes written, its state, the stated length and
// checksum, and whether ZORVIT text was found and the page verified.
using Outcome = std::tuple<std::string, ScanState, uint64_t, uint64_t, bool, bool>;

Outcome Extract(const Lines& lines) {
  TempFolder folder;
  const std::string path = folder.File("OUT.BIN");
  Result<std::unique_ptr<File>> file =
      FileSystem::Default().Open(path, {Access::kReadWrite, Share::kExclusive, Disposition::kCreateOrTruncate});
  EXPECT_TRUE(file.ok()) << file.status().message();
  if (!file.ok()) return {};
  BufferedWriter out(**file);
  AttachmentExtractor extractor(out);
  for (const std::string& line : lines) extractor.TakeLine(line);
  EXPECT_TRUE(out.Flush().ok());
  EXPECT_TRUE((*file)->Close().ok());
  const AttachmentCheck check = extractor.check();
  return {ReadFileBytes(path),     extractor.state(), check.expected_length,
          check.expected_checksum, check.found,       check.verified()};
}

TEST(AttachmentExtractorTest, LinesAndWhatIsMadeOfThem) {
  using enum ScanState;
  const std::pair<Lines, Outcome> cases[] = {
      // The page of "xyz" through all three states; a check line with blanks is not "IF S=".
      {{kBegin}, {"", kBeforeData, 3, 0, true, false}},
      {{kBegin, kXyz, "IF S = 118 AND B = 3 THEN"}, {"xyz", kInData, 3, 0, true, false}},
      {{kBegin, kXyz, "IF S = 118 AND B = 3 THEN", kEnd}, {"xyz", kEnded, 3, 118, true, true}},
      // Markers are found in any case but read only as spelled; the statement forms count
      // where the marker lines are missing, and give way to them.
      {{"Z&=9 TLEN:3"}, {"", kBeforeData, 3, 0, true, false}},
      {{"Z&=3"}, {"", kBeforeData, 3, 0, true, false}},
      {{"z&=3"}, {"", kBeforeData, 0, 0, true, true}},  // states 0 and 0, like an empty file
      {{"' tlen:7 TLEN: 3"}, {"", kBeforeData, 3, 0, true, false}},
      {{kXyz, "IF S=9 TCHK:118"}, {"xyz", kEnded, 0, 118, true, false}},
      {{kXyz, "IF S=118 AND B=3 THEN"}, {"xyz", kEnded, 0, 118, true, false}},
      {{"' tlen:3", kXyz}, {"xyz", kInData, 0, 0, true, false}},
      {{kBegin, kXyz, "' tchk:118", kXyz}, {"xyz", kEnded, 3, 0, true, false}},  // found, so it ends; states 0
      // The last length before the data counts, also on the first data line.
      {{"' TLEN:5", "' TLEN:4", kXyz}, {"xyz", kInData, 4, 0, true, false}},
      {{"' TLEN:5", "TLEN:3 U\"2GHI"}, {"xyz", kInData, 3, 0, true, false}},
      {{"' TLEN:5", kXyz, "' TLEN:3"}, {"xyz", kInData, 5, 0, true, false}},
      // Wherever it stands, the first quote after a capital U starts the data ...
      {{"10 U\"2GHI"}, {"xyz", kInData, 0, 0, true, false}},
      {{"  CALL U\"2G", "U\"HI"}, {"xyz", kInData, 0, 0, true, false}},
      // ... but not a lower-case u, a quote at the start, nor a U" that closes a string literal.
      {{"u\"2GHI"}, {}},
      {{"\"2GHI"}, {}},
      {{"OPEN \"MENU\" FOR OUTPUT AS #OutHndl"}, {}},
      {{"CHAIN \"MENU10.BAU\""}, {}},
      {{"PRINT \"U\"2GHI"}, {}},
      // Once in data, such a line is skipped, not decoded.
      {{kBegin, kXyz, "OPEN \"MENU\" FOR OUTPUT AS #OutHndl", kEnd}, {"xyz", kEnded, 3, 118, true, true}},
      // Without ZORVIT text nothing passes, but an empty file's page does.
      {{"PRINT \"HELLO\"", "' TCHK:0"}, {}},
      {{}, {}},
      {{"' TLEN:0", "' TCHK:0"}, {"", kBeforeData, 0, 0, true, true}},
  };
  for (const auto& [lines, outcome] : cases) EXPECT_EQ(Extract(lines), outcome) << ::testing::PrintToString(lines);
}

}  // namespace
}  // namespace testing
}  // namespace oldvek
