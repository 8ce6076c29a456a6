#include "extract/page_set.h"

#include <gtest/gtest.h>

#include "base/crc32.h"
#include "base/text.h"
#include "encoder/zorvit_encoder.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using oldvek::testing::ReadFileBytes;
using oldvek::testing::TempFolder;

TEST(PageSetTest, BeginLines) {
  const std::pair<const char*, const char*> cases[] = {
      {"'>>> Page 2 of 3 of SETUP.EXE begins here. TYPE:BINAA TLEN:156000", "2/3/SETUP.EXE"},
      {"'>>> Page  1 of  1 of A B.TXT begins here. TYPE:BINAA TLEN:5", "1/1/A B.TXT"},
      {"'>>> Page 0 of 3 of X begins here.", "none"},
      {"'>>> Page 2x of 3 of X begins here.", "none"},
      {"'>>> Page 1 of 1 of  begins here.", "none"},
      {"'>>> Page 1 of HI.TXT ends here. Last page. TCHK:143", "none"},
  };
  for (const auto& [line, expected] : cases) {
    const std::optional<PageMark> m = ParseBeginLine(line);
    EXPECT_EQ(m ? std::to_string(m->page) + "/" + std::to_string(m->page_count) + "/" + m->name : "none", expected)
        << line;
  }
}

TEST(PageSetTest, CrcLines) {
  EXPECT_EQ(CrcLine({0xCBF43926u, 0x0000000Au}), "'>>> CRC-32 page:CBF43926 file:0000000A");
  const std::optional<PageCrc> back = ParseCrcLine(CrcLine({0xCBF43926u, 10}));
  EXPECT_EQ(back ? std::pair(back->page, back->file) : std::pair(0u, 0u), std::pair(0xCBF43926u, 10u));
  EXPECT_FALSE(ParseCrcLine("'>>> CRC-32 page:CBF4392G file:0000000A"));
  EXPECT_FALSE(ParseCrcLine("'>>> CRC-32 page:CBF43926 file:0000000A "));
}

// Pages in any order make up the set; a missing, repeated or foreign page names itself, and a
// damaged count of billions of pages is refused without making room for them.
TEST(PageSetTest, OrderedPages) {
  const auto page = [](uint64_t number, uint64_t count, const char* name = "F") {
    return PageText{PageMark{number, count, name}, "P" + std::to_string(number), {}};
  };
  const std::vector<PageText> shuffled = {page(2, 3), page(3, 3), page(1, 3)};
  Result<std::vector<const PageText*>> ordered = OrderPages(shuffled);
  ASSERT_TRUE(ordered.ok()) << ordered.status().message();
  EXPECT_EQ((*ordered)[0]->origin + (*ordered)[1]->origin + (*ordered)[2]->origin, "P1P2P3");
  const std::pair<std::vector<PageText>, const char*> refused[] = {
      {{page(1, 3), page(3, 3)}, "page 2 of 3 of F is missing"},
      {{page(1, 999999999999)}, "page 2 of 999999999999 of F is missing"},
      {{page(1, 2), page(1, 2)}, "repeats P1"},
      {{page(1, 2), page(2, 2, "G")}, "not of the 2 pages of F"},
  };
  for (const auto& [pages, message] : refused) {
    Result<std::vector<const PageText*>> result = OrderPages(pages);
    ASSERT_FALSE(result.ok()) << message;
    EXPECT_NE(result.status().message().find(message), std::string::npos) << result.status().message();
  }
}

// Page `number` of 3 of file F, carrying `bytes`, with its CRC line.
std::vector<std::string> EncodedPage(uint64_t number, std::string_view bytes, uint32_t file_crc) {
  struct Lines final : ZorvitLineSink {
    std::vector<std::string> lines;
    void FullLine(std::string_view line) override { lines.emplace_back(line.substr(0, line.size() - 2)); }
    void LastLine(std::string_view line) override { FullLine(line); }
  } sink;
  sink.lines.push_back("'>>> Page " + DecimalText(number) +
                       " of 3 of F begins here. TLEN:" + DecimalText(bytes.size()));
  ZorvitPageEncoder encoder(sink);
  encoder.Add(bytes);
  sink.lines.push_back("'>>> Page " + DecimalText(number) +
                       " of F ends here. TCHK:" + DecimalText(encoder.FinishPage()));
  Crc32 crc;
  crc.Add(bytes);
  sink.lines.push_back(CrcLine({crc.value(), file_crc}));
  return sink.lines;
}

// Three pages of a file met in any order, in one source or several, stream into the output in
// page order: those met in turn are decoded as they come and never read again, the others are
// read again from where they stand. A page that fails its check ends the output before it,
// wherever it was met; the whole file is checked against the pages' CRC lines.
TEST(PageSetTest, DecodingAsThePagesStream) {
  std::string bytes;
  for (int i = 0; i < 700; ++i) bytes.push_back(static_cast<char>(i * 7 + i / 13));
  const std::string parts[] = {bytes.substr(0, 300), bytes.substr(300, 300), bytes.substr(600)};
  Crc32 whole;
  whole.Add(bytes);
  struct Case {
    std::vector<std::vector<int>> sources;  // the pages each source holds, in order
    int damaged;                            // 0: none; 4: the file CRC stated wrong
    size_t rereads;
    std::string failure;  // what the failure starts with
    size_t kept;          // bytes left in the output
  };
  const Case cases[] = {
      {{{1}, {2}, {3}}, 0, 0, "", 700},
      {{{3}, {1}, {2}}, 0, 1, "", 700},
      {{{2, 3}, {1}}, 0, 2, "", 700},
      {{{3, 2, 1}}, 0, 2, "", 700},
      {{{1}, {2}, {3}}, 2, 0, "page 2 of F (S1): CRC-32", 300},
      {{{3, 2}, {1}}, 2, 1, "page 2 of F (S0): CRC-32", 300},
      {{{2, 1}, {3}}, 1, 0, "page 1 of F (S0): CRC-32", 0},
      {{{1, 2, 3}}, 3, 0, "page 3 of F (S0): CRC-32", 600},
      {{{2}, {1, 3}}, 4, 2, "F: CRC-32 of the whole file 00000000 stated", 700},
  };
  TempFolder folder;
  for (const Case& test : cases) {
    SCOPED_TRACE(test.failure);
    std::vector<std::vector<std::string>> sources;
    for (const std::vector<int>& pages : test.sources) {
      sources.emplace_back(1, "' lines before a begin line belong to no page");
      for (const int page : pages) {
        std::vector<std::string> lines = EncodedPage(page, parts[page - 1], test.damaged == 4 ? 0 : whole.value());
        if (page == test.damaged) std::swap(lines[1][3], lines[1][4]);  // keeps the length and the sum
        sources.back().insert(sources.back().end(), lines.begin(), lines.end());
      }
    }
    Result<std::unique_ptr<File>> out =
        FileSystem::Default().Open(folder.File("OUT"), {.disposition = Disposition::kCreateOrTruncate});
    ASSERT_TRUE(out.ok());
    PageSetDecoder decoder(**out);
    for (size_t i = 0; i < sources.size(); ++i) {
      ASSERT_TRUE(decoder.StartSource("S" + DecimalText(i)).ok());
      for (size_t k = 0; k < sources[i].size(); ++k) ASSERT_TRUE(decoder.TakeLine(sources[i][k], k).ok());
    }
    ASSERT_TRUE(decoder.CheckOrder().ok());
    size_t rereads = 0;
    const Result<PageSetOutcome> outcome =
        decoder.Finish([&](size_t source, uint64_t at, const PageLineVisitor& visit) {
          ++rereads;
          for (size_t k = at; k < sources[source].size() && visit(sources[source][k]); ++k) {
          }
          return Status::Ok();
        });
    ASSERT_TRUE((*out)->Close().ok());
    EXPECT_EQ(outcome.ok() ? "" : outcome.status().message().substr(0, test.failure.size()), test.failure);
    EXPECT_EQ(rereads, test.rereads);
    EXPECT_EQ(ReadFileBytes(folder.File("OUT")), bytes.substr(0, test.kept));
    EXPECT_EQ(outcome.ok() && outcome->crc_checked && outcome->byte_count == 700, test.failure.empty());
  }
}

// A page read again that is no longer what it was when it was met is refused, not decoded in
// its place: the source changed between the two reads.
TEST(PageSetTest, APageChangedBeforeItsTurnIsRefused) {
  TempFolder folder;
  Result<std::unique_ptr<File>> out = FileSystem::Default().Open(folder.File("OUT"), {});
  ASSERT_TRUE(out.ok());
  PageSetDecoder decoder(**out);
  ASSERT_TRUE(decoder.StartSource("S0").ok());
  const std::vector<std::string> page2 = EncodedPage(2, "b", 0), page1 = EncodedPage(1, "a", 0);
  ASSERT_TRUE(decoder.TakeLine(page2[0], 0).ok());
  ASSERT_TRUE(decoder.StartSource("S1").ok());
  for (const std::string& line : page1) ASSERT_TRUE(decoder.TakeLine(line, 0).ok());
  ASSERT_TRUE(decoder.TakeLine(EncodedPage(3, "c", 0)[0], 0).ok());
  ASSERT_TRUE(decoder.CheckOrder().ok());
  const Result<PageSetOutcome> outcome = decoder.Finish([&](size_t, uint64_t, const PageLineVisitor& visit) {
    for (const std::string& line : page1) visit(line);
    return Status::Ok();
  });
  EXPECT_EQ(outcome.status().message(), "S0 changed while it was read");
}

}  // namespace
}  // namespace oldvek
