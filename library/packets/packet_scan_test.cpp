#include "packets/packet_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/text.h"
#include "faulty_file_system.h"
#include "packet_names.h"
#include "packet_writer.h"
#include "packets/snippet_reader.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using testing::Fixed;
using testing::TestSnippet;

// Tests a line whole, so bodies go through the line-cutting search.
struct WholeLine final : TextTest {
  explicit WholeLine(std::string line) : line(std::move(line)) {}
  bool Matches(std::string_view text) const override { return text == line; }
  std::string line;
};

TestSnippet Snippet(std::string author, std::vector<std::string> lines, std::string suffix = "") {
  TestSnippet s = testing::SampleSnippet("Subject", std::move(lines), std::move(author));
  s.body_suffix = std::move(suffix);
  return s;
}

// Packets with damaged and reordered indexes: each scan must pass exactly the snippets that
// fetching them and testing fields and lines one by one passes.
std::vector<testing::PacketBytes> Packets() {
  testing::PacketBytes plain = testing::BuildPacket({
      Snippet("Ann", {"10 SWAP A$(I), B", "20 PRINT"}),
      Snippet("Bob", {std::string(3000, 'x') + "needle" + std::string(3000, 'y'), ""}, "needle tail"),
      Snippet("Ann Smith", {}, "swap"),
      Snippet("cy", {"Needle", "swap"}, "unterminated"),
  });
  std::vector<testing::PacketBytes> packets{plain};
  testing::PacketBytes back = plain;  // records 1 and 3 change places: the Starts go back
  back.index = plain.index.substr(156, 78) + plain.index.substr(78, 78) + plain.index.substr(0, 78) +
               plain.index.substr(234) + "partial";
  packets.push_back(back);
  testing::PacketBytes odd = plain;  // a Start of 0 (so body 1 runs to the end), one inside a header, one past the end
  odd.index.replace(79, 10, Fixed("0", 10)).replace(157, 10, Fixed("300", 10)).replace(235, 10, Fixed("99999999", 10));
  packets.push_back(odd);
  return packets;
}

TEST(PacketScanTest, PassesWhatFetchingEachSnippetPasses) {
  testing::TempFolder folder;
  const CaseBlindText swap("swap"), needle("NEEDLE"), empty(""), blind("a$(i), "), ended("x\xE3y"), tail("tail");
  const WholeLine print("20 PRINT"), blank("");
  const std::vector<ScanQuery> queries = {
      {},
      {{{SnippetHeader::kAuthor, &swap}}, {}},
      {{{SnippetHeader::kAuthor, &empty}}, {}},
      {{{SnippetHeader::kAuthor, &blind}}, {&swap}},
      {{}, {&swap}},
      {{}, {&needle}},
      {{}, {&empty}},
      {{}, {&blind}},
      {{}, {&ended}},
      {{}, {&tail}},
      {{}, {&print}},
      {{}, {&blank}},
      {{}, {&swap, &print}},
      {{{SnippetHeader::kAuthor, &needle}}, {&needle}},
  };
  for (const testing::PacketBytes& bytes : Packets()) {
    testing::WritePacket(folder.path(), "P", bytes);
    for (size_t q = 0; q < queries.size(); ++q) {
      std::vector<std::pair<uint64_t, std::string>> expected;  // number and header
      for (uint64_t k = 1; k <= RecordCount(bytes.index.size()); ++k) {
        std::vector<std::string> lines;
        Result<SnippetInfo> info = RetrieveSnippet(
            FileSystem::Default(), folder.path(), "P"_packet, RecordPosition(k),
            [&](std::string_view line) { return lines.emplace_back(line), Status::Ok(); }, MarkRead::kNo);
        ASSERT_TRUE(info.ok()) << info.status().message();
        bool passes = true;
        for (const FieldTest& field : queries[q].fields) passes &= field.test->Matches(info->header.Field(field.field));
        for (const TextTest* test : queries[q].code) {
          passes &= std::ranges::any_of(lines, [test](const std::string& line) { return test->Matches(line); });
        }
        if (passes) expected.emplace_back(k, std::string(info->header.bytes().data(), kHeaderSize));
      }
      for (size_t piece : {size_t{1}, size_t{7}, kScanPieceSize}) {
        std::vector<std::pair<uint64_t, std::string>> got;
        const Status status = ScanPacket(
            FileSystem::Default(), folder.path(), "P"_packet, queries[q],
            [&](const ScannedSnippet& s) {
              got.emplace_back(s.number, std::string(s.header.bytes().data(), kHeaderSize));
              return Status::Ok();
            },
            piece);
        ASSERT_TRUE(status.ok()) << status.message();
        EXPECT_EQ(got, expected) << "query " << q << ", pieces of " << piece << ", index " << bytes.index.substr(0, 11);
      }
    }
  }
}

TEST(CaseBlindTextTest, FindsWhatTheLetterByLetterComparisonFinds) {
  const std::string texts[] = {"", "a", "Swap", "xSWAp", "sswa", "wapswap", "\xE3sWaP\xE3", "s\0wap"};
  const std::string needles[] = {"", "s", "SWAP", "wap", "SWAPS", "\xE3s", std::string("\0", 1)};
  for (const std::string& text : texts) {
    for (const std::string& needle : needles) {
      EXPECT_EQ(CaseBlindText(needle).Matches(text), ContainsIgnoringAsciiCase(text, needle))
          << text << " / " << needle;
    }
  }
}

TEST(PacketScanTest, ReadsEachFileOnceFrontToBackAndWritesNothing) {
  testing::TempFolder folder;
  testing::PacketBytes bytes = Packets().front();
  testing::WritePacket(folder.path(), "P", bytes);
  testing::FaultyFileSystem files;
  const CaseBlindText swap("swap");
  ASSERT_TRUE(
      ScanPacket(
          files, folder.path(), "P"_packet, {{}, {&swap}}, [](const ScannedSnippet&) { return Status::Ok(); }, 100)
          .ok());
  EXPECT_EQ(std::ranges::count_if(files.steps(), [](const std::string& step) { return step.starts_with("open "); }), 2);
  uint64_t next = 0;
  for (const auto& read : files.reads()) {
    if (read.path != folder.File("P.VEK")) continue;
    EXPECT_EQ(read.offset, next);  // one piece after another, nothing read twice
    next = read.offset + read.size;
  }
  EXPECT_EQ(next, bytes.packet.size());
  EXPECT_EQ(testing::ReadFileBytes(folder.File("P.VEK")), bytes.packet);

  const Status stopped = ScanPacket(files, folder.path(), "P"_packet, {}, [](const ScannedSnippet& s) {
    return s.number == 2 ? Status::Error("the output is full") : Status::Ok();
  });
  EXPECT_EQ(stopped.message(), "the output is full");
}

}  // namespace
}  // namespace oldvek
