#include "extract/attachment_extractor.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace oldvek {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;
using Lines = std::vector<std::string>;

struct Extracted {
  std::string bytes;
  AttachmentCheck check;
  ScanState state = ScanState::kBeforeData;
};

Extracted Extract(const Lines& lines) {
  TempFolder folder;
  const std::string path = folder.File("OUT.BIN");
  Result<std::unique_ptr<File>> file =
      FileSystem::Default().Open(path, {Access::kReadWrite, Share::kExclusive, Disposition::kCreateOrTruncate});
  EXPECT_TRUE(file.ok()) << file.status().message();
  if (!file.ok()) return {};
  Extracted result;
  {
    BufferedWriter out(**file);
    AttachmentExtractor extractor(out);
    for (const std::string& line : lines) extractor.TakeLine(line);
    EXPECT_TRUE(out.Flush().ok());
    result.check = extractor.check();
    result.state = extractor.state();
  }
  EXPECT_TRUE((*file)->Close().ok());
  result.bytes = ReadFileBytes(path);
  return result;
}

// The page of the three bytes "xyz": prefix 13, low digits 34, 35, 36; S = 118.
const std::string kBegin = "'>>> Page 1 of 1 of XYZ.TXT begins here. TYPE:BINAA TLEN:3";
const std::string kXyz = "U\"2GHI";
const std::string kEnd = "'>>> Page 1 of XYZ.TXT ends here. Last page. TCHK:118";

TEST(AttachmentExtractorTest, ThePageOfXyzGoesThroughAllThreeStates) {
  TempFolder folder;
  const std::string path = folder.File("XYZ");
  Result<std::unique_ptr<File>> file =
      FileSystem::Default().Open(path, {Access::kReadWrite, Share::kExclusive, Disposition::kCreateOrTruncate});
  ASSERT_TRUE(file.ok());
  BufferedWriter out(**file);
  AttachmentExtractor extractor(out);
  extractor.TakeLine(kBegin);
  EXPECT_EQ(extractor.state(), ScanState::kBeforeData);
  EXPECT_EQ(extractor.check().expected_length, 3u);
  extractor.TakeLine(kXyz);
  EXPECT_EQ(extractor.state(), ScanState::kInData);
  extractor.TakeLine("IF S = 118 AND B = 3 THEN");  // blanks inside: not the "IF S=" marker
  EXPECT_EQ(extractor.state(), ScanState::kInData);
  extractor.TakeLine(kEnd);
  EXPECT_EQ(extractor.state(), ScanState::kEnded);
  const AttachmentCheck check = extractor.check();
  EXPECT_EQ(check.byte_count, 3u);
  EXPECT_EQ(check.checksum, 118);
  EXPECT_EQ(check.expected_checksum, 118u);
  EXPECT_TRUE(check.verified());
  ASSERT_TRUE(out.Flush().ok());
  ASSERT_TRUE((*file)->Close().ok());
  EXPECT_EQ(ReadFileBytes(path), "xyz");
}

TEST(AttachmentExtractorTest, MarkersAreFoundInAnyCaseButReadOnlyAsSpelled) {
  // The statement forms count where the marker lines are missing, and give way to them.
  EXPECT_EQ(Extract({"Z&=9 TLEN:3"}).check.expected_length, 3u);
  EXPECT_EQ(Extract({"Z&=3"}).check.expected_length, 3u);
  EXPECT_EQ(Extract({kXyz, "IF S=9 TCHK:118"}).check.expected_checksum, 118u);
  EXPECT_EQ(Extract({kXyz, "IF S=118 AND B=3 THEN"}).check.expected_checksum, 118u);
  EXPECT_EQ(Extract({"' tlen:3", kXyz}).check.expected_length, 0u);
  EXPECT_EQ(Extract({"' tlen:7 TLEN: 3"}).check.expected_length, 3u);
  EXPECT_EQ(Extract({"z&=3"}).check.expected_length, 0u);
  const Extracted lower_checksum = Extract({kBegin, kXyz, "' tchk:118", "U\"2GHI"});
  EXPECT_EQ(lower_checksum.state, ScanState::kEnded);  // found, so the scan ends ...
  EXPECT_EQ(lower_checksum.check.expected_checksum, 0u);  // ... but states 0
  EXPECT_EQ(lower_checksum.bytes, "xyz");
  EXPECT_FALSE(lower_checksum.check.verified());
}

TEST(AttachmentExtractorTest, TheLastLengthBeforeTheDataCountsAlsoOnTheFirstDataLine) {
  EXPECT_EQ(Extract({"' TLEN:5", "' TLEN:4", kXyz}).check.expected_length, 4u);
  EXPECT_EQ(Extract({"' TLEN:5", "TLEN:3 U\"2GHI"}).check.expected_length, 3u);
  EXPECT_EQ(Extract({"' TLEN:5", kXyz, "' TLEN:3"}).check.expected_length, 5u);
}

TEST(AttachmentExtractorTest, OnlyAUAndAQuoteWithNoQuoteBeforeThemStartData) {
  // Wherever it stands, the first quote after a capital U starts the data.
  EXPECT_EQ(Extract({"10 U\"2GHI"}).bytes, "xyz");
  EXPECT_EQ(Extract({"  CALL U\"2G", "U\"HI"}).bytes, "xyz");
  // A lower-case u, a quote at the start, and a U" that closes a string literal do not.
  for (const std::string line : {"u\"2GHI", "\"2GHI", "OPEN \"MENU\" FOR OUTPUT AS #OutHndl", "CHAIN \"MENU10.BAU\"",
                                 "PRINT \"U\"2GHI"}) {
    const Extracted extracted = Extract({line});
    EXPECT_EQ(extracted.state, ScanState::kBeforeData) << line;
    EXPECT_EQ(extracted.bytes, "") << line;
  }
  // Once in data, such a line is skipped, not decoded.
  const Extracted extracted = Extract({kBegin, kXyz, "OPEN \"MENU\" FOR OUTPUT AS #OutHndl", kEnd});
  EXPECT_EQ(extracted.bytes, "xyz");
  EXPECT_TRUE(extracted.check.verified());
}

TEST(AttachmentExtractorTest, WithoutZorvitTextNothingPasses) {
  EXPECT_FALSE(Extract({"PRINT \"HELLO\"", "' TCHK:0"}).check.found);
  EXPECT_FALSE(Extract({}).check.verified());
  EXPECT_TRUE(Extract({kBegin}).check.found);
  EXPECT_FALSE(Extract({kBegin}).check.verified());
  EXPECT_TRUE(Extract({"' TLEN:0", "' TCHK:0"}).check.verified());  // an empty file's page
}

}  // namespace
}  // namespace oldvek
