// A damaged page is refused on every path: alone, in a set, by the check. Swapped or balanced
// characters keep the length and the 8-bit sum; only the page's CRC line sees them.
#include <gtest/gtest.h>

#include "extract/packet_check.h"
#include "extract/page_set.h"
#include "extract/snippet_extraction.h"
#include "packet_names.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

// The page of "xyz": prefix 13 ("2"), low digits 34, 35, 36 ("GHI"); S = 118.
std::vector<std::string> Page(const std::string& data, const std::string& crc = "EB8EBA67") {
  return {"'>>> Page 1 of 1 of XYZ begins here. TYPE:BINAA TLEN:3", "U\"" + data,
          "'>>> Page 1 of XYZ ends here. Last page. TCHK:118", "'>>> CRC-32 page:" + crc + " file:" + crc};
}

TEST(PageCheckTest, ADamagedPageIsRefusedOnEveryPath) {
  TempFolder folder;
  const std::string out = folder.File("XYZ");
  // Whole; prefix and digit swapped, two digits swapped, one up and the next down, one changed.
  for (const char* data : {"2GHI", "G2HI", "2GIH", "2HHH", "2GHJ"}) {
    SCOPED_TRACE(data);
    const bool damaged = std::string(data) != "2GHI";
    WriteFileBytes(out, "");
    Result<std::unique_ptr<File>> set_out = FileSystem::Default().Open(out, {});
    ASSERT_TRUE(set_out.ok());
    PageSetDecoder set(**set_out);
    ASSERT_TRUE(set.StartSource("XYZ.BAS").ok());
    for (const std::string& line : Page(data)) ASSERT_TRUE(set.TakeLine(line, 0).ok());
    ASSERT_TRUE(set.CheckOrder().ok());
    EXPECT_EQ(set.Finish({}).ok(), !damaged);
    ASSERT_TRUE((*set_out)->Close().ok());

    WritePacket(folder.path(), "P", BuildPacket({SampleSnippet("Page", Page(data))}));
    const Result<ExtractionOutcome> alone =
        ExtractSnippet(FileSystem::Default(), "00001~~~~P.VEK~1", folder.path(), out, kAttachmentMode);
    ASSERT_TRUE(alone.ok()) << alone.status().message();
    EXPECT_EQ(ExtractionMessage(alone, out).starts_with("Error Extracting"), damaged) << alone->check.Fault();
    EXPECT_EQ(CheckPacket(FileSystem::Default(), folder.path(), "P"_packet)->problems.size(), damaged ? 1u : 0u);
  }
}

// A CRC line after the next page's begin line is that page's, not this one's.
TEST(PageCheckTest, OnlyThePagesOwnCrcLineCounts) {
  std::vector<std::string> lines = Page("2GHI", "00000001");
  EXPECT_EQ(DecodePage({{}, "", lines}).check.Fault(), "CRC-32 00000001 stated, EB8EBA67 decoded");
  lines.insert(lines.end() - 1, "'>>> Page 2 of 2 of XYZ begins here. TYPE:BINAA TLEN:0");
  EXPECT_EQ(DecodePage({{}, "", lines}).check.Fault(), "");
}

}  // namespace
}  // namespace oldvek::testing
