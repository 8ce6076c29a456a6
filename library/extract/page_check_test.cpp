// A damaged ZORVIT page is refused on every path that decodes one: a snippet's first page
// extracted alone, a set of pages put back together, and the packet check. Swapped or
// balanced characters keep the length and the 8-bit sum; only the page's CRC line sees them.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/crc32.h"
#include "encoder/zorvit_encoder.h"
#include "encoder/zorvit_lines.h"
#include "extract/page_set.h"
#include "extract/snippet_extraction.h"
#include "packet_writer.h"
#include "packets/packet_check.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

using Lines = std::vector<std::string>;

class CollectedLines final : public ZorvitLineSink {
 public:
  explicit CollectedLines(Lines& lines) : lines_(lines) {}
  void FullLine(std::string_view line) override { lines_.emplace_back(line.substr(0, line.size() - 2)); }
  void LastLine(std::string_view line) override { FullLine(line); }

 private:
  Lines& lines_;
};

// One page of D.BIN as the command-line tool writes it: begin line, data lines, end line and
// CRC line.
Lines EncodedPage(const std::string& bytes) {
  Lines lines = {BeginLine(1, 1, "D.BIN", bytes.size())};
  CollectedLines sink(lines);
  ZorvitPageEncoder encoder(sink);
  encoder.Add(bytes);
  const uint8_t sum = encoder.FinishPage();
  lines.push_back(EndLine(1, "D.BIN", true, sum));
  Crc32 crc;
  crc.Add(bytes);
  lines.push_back(CrcLine({crc.value(), crc.value()}));
  return lines;
}

struct Damage {
  const char* what;
  size_t line;
  size_t column;  // from the first encoded character, after U and the quote
  int change;     // 0 swaps the character with the next one; otherwise added to it, and taken
                  // from the next one, which keeps the 8-bit sum
};

void Apply(const Damage& damage, Lines& lines) {
  std::string& line = lines[damage.line];
  char& first = line[2 + damage.column];
  char& second = line[3 + damage.column];
  ASSERT_NE(first, second) << damage.what;
  if (damage.change == 0) {
    std::swap(first, second);
  } else {
    first = static_cast<char>(first + damage.change);
    second = static_cast<char>(second - damage.change);
  }
}

TEST(PageCheckTest, ADamagedPageIsRefusedOnEveryPath) {
  std::mt19937 random(26);
  std::string bytes(200, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  const Lines whole = EncodedPage(bytes);
  ASSERT_EQ(whole.size(), 7u);  // 250 characters: data lines 1 to 4
  const Damage damages[] = {
      {"a group prefix swapped with its first character", 1, 0, 0},
      {"two characters of a group swapped", 1, 2, 0},
      {"two characters swapped at the end of a line", 1, 76, 0},
      {"two characters swapped on the last data line", 4, 10, 0},
      {"one character raised and the next lowered", 2, 30, 1},
      {"one character changed alone", 2, 40, 2},
  };
  TempFolder folder;
  const std::string out = folder.File("D.OUT");
  for (const bool damaged : {false, true}) {
    for (const Damage& damage : damages) {
      SCOPED_TRACE(damaged ? damage.what : "undamaged");
      Lines lines = whole;
      if (damaged) Apply(damage, lines);

      std::vector<PageText> pages;
      SplitPages(lines, "D.BAS", pages);
      Result<std::vector<const PageText*>> ordered = OrderPages(pages);
      ASSERT_TRUE(ordered.ok());
      WriteFileBytes(out, "");
      Result<std::unique_ptr<File>> set_out = FileSystem::Default().Open(out, {});
      ASSERT_TRUE(set_out.ok());
      const Result<PageSetOutcome> set = DecodePageSet(*ordered, **set_out);
      ASSERT_TRUE((*set_out)->Close().ok());
      EXPECT_EQ(set.ok(), !damaged) << set.status().message();

      WritePacket(folder.path(), "P", BuildPacket({SampleSnippet("Page", lines)}));
      const Result<ExtractionOutcome> alone =
          ExtractSnippet(FileSystem::Default(), "00001~~~~P.VEK~1", folder.path(), out, kAttachmentMode);
      ASSERT_TRUE(alone.ok()) << alone.status().message();
      EXPECT_EQ(alone->check.verified(), !damaged) << alone->check.Fault();
      EXPECT_EQ(ExtractionMessage(alone, out).starts_with("Error Extracting"), damaged);

      const Result<PacketReport> report = CheckPacket(FileSystem::Default(), folder.path(), "P");
      ASSERT_TRUE(report.ok());
      EXPECT_EQ(report->problems.size(), damaged ? 1u : 0u);
    }
  }
}

// A page's own CRC line follows its end line; one after the next page's begin line is that
// page's, and a page without its own is judged by its length and sum alone.
TEST(PageCheckTest, OnlyThePagesOwnCrcLineCounts) {
  const Lines page = EncodedPage("xyz");
  Lines then_next_page(page.begin(), page.end() - 1);
  then_next_page.push_back(BeginLine(2, 2, "D.BIN", 0));
  then_next_page.push_back(CrcLine({1, 1}));
  Lines wrong_crc = page;
  wrong_crc.back() = CrcLine({1, 1});
  const std::pair<Lines, std::string> cases[] = {
      {page, ""},
      {then_next_page, ""},
      {wrong_crc, "CRC-32 00000001 stated, EB8EBA67 decoded"},
  };
  for (const auto& [lines, fault] : cases) EXPECT_EQ(DecodePage({{}, "", lines}).check.Fault(), fault);
}

}  // namespace
}  // namespace oldvek::testing
