#include "packets/snippet_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "faulty_file_system.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using testing::BuildPacket;
using testing::FaultyFileSystem;
using testing::FileExists;
using testing::IndexRecordBytes;
using testing::PacketBytes;
using testing::ReadFileBytes;
using testing::TempFolder;
using testing::TestSnippet;
using testing::WriteFileBytes;
using testing::WritePacket;
using Lines = std::vector<std::string>;

struct Snippet : SnippetInfo {
  Lines code_lines;
};

// Fetches a snippet with its code lines collected.
Result<Snippet> RetrieveSnippet(FileSystem& file_system, std::string_view folder, std::string_view base,
                                uint64_t position) {
  Snippet snippet;
  Result<SnippetInfo> info = oldvek::RetrieveSnippet(file_system, folder, base, position, [&](std::string_view line) {
    snippet.code_lines.emplace_back(line);
    return Status::Ok();
  });
  if (!info.ok()) return info.status();
  static_cast<SnippetInfo&>(snippet) = *info;
  return snippet;
}

TestSnippet MakeSnippet(std::string subject, Lines lines) {
  TestSnippet s;
  s.author = "R. Hacker";
  s.subject = std::move(subject);
  s.origin = "FidoNet QUIK_BAS";
  s.date = "1994-11-05";
  s.code = "QB45";
  s.extra = "X1";
  s.tag = "SORT  ";
  s.lines = std::move(lines);
  return s;
}

// Two snippets, SWAP and COUNT, in packet ARC of `folder`.
PacketBytes TwoSnippets() {
  return BuildPacket({MakeSnippet("Swap", {"SWAP A, B", "PRINT A; B"}),
                      MakeSnippet("Count", {"FOR I = 1 TO 10", "NEXT I"})});
}

TEST(SnippetReaderTest, FetchesHeaderLinesAndTagOfAMiddleSnippetUnderTheWholeBaseName) {
  TempFolder folder;
  WritePacket(folder.path(), "MY PKT", TwoSnippets());
  Result<Snippet> snippet = RetrieveSnippet(FileSystem::Default(), folder.path(), "MY PKT", 1);
  ASSERT_TRUE(snippet.ok()) << snippet.status().message();
  EXPECT_EQ(snippet->code_lines, (Lines{"SWAP A, B", "PRINT A; B"})) << "the body ends where COUNT begins";
  EXPECT_EQ(snippet->header.Field(SnippetHeader::kSubject), testing::Fixed("Swap", 31));
  EXPECT_EQ(snippet->tag(), "SORT");
  EXPECT_EQ(snippet->kind, SnippetKind::kPlain);
  EXPECT_FALSE(FileExists(folder.File("MY.IDX")));
  EXPECT_FALSE(FileExists(folder.File("MY.VEK")));
}

TEST(SnippetReaderTest, AFetchThatDoesNotMarkLeavesTheIndexAsItWasAndCreatesNothing) {
  TempFolder folder;
  const PacketBytes bytes = TwoSnippets();
  WritePacket(folder.path(), "ARC", bytes);
  Lines lines;
  Result<SnippetInfo> info = RetrieveSnippet(
      FileSystem::Default(), folder.path(), "ARC", 79,
      [&lines](std::string_view line) {
        lines.emplace_back(line);
        return Status::Ok();
      },
      MarkRead::kNo);
  ASSERT_TRUE(info.ok()) << info.status().message();
  EXPECT_EQ(lines, (Lines{"FOR I = 1 TO 10", "NEXT I"}));
  EXPECT_EQ(ReadFileBytes(folder.File("ARC.IDX")), bytes.index);
  WriteFileBytes(folder.File("LONE.IDX"), bytes.index);
  EXPECT_FALSE(RetrieveSnippet(FileSystem::Default(), folder.path(), "LONE", 1, {}, MarkRead::kNo).ok());
  EXPECT_FALSE(FileExists(folder.File("LONE.VEK")));
}

// Damaged Start fields: the body is what lies between a whole record's Start and the next
// whole record's, never past the packet, and a Start of 0 or past the end is no snippet.
TEST(SnippetReaderTest, DamagedStartsGiveTheLinesThatLieBetweenThem) {
  const PacketBytes two = TwoSnippets();
  const std::string past_end = testing::Fixed(std::to_string(two.packet.size() + 1), 10);
  const std::string count_header = testing::HeaderBytes(MakeSnippet("Count", {}));
  const struct {
    size_t at;  // where in the index `start` is written; the end appends it
    std::string start;
    uint64_t position;
    Lines lines;
    bool zero_header;
  } cases[] = {
      {1, "0         ", 1, {}, true},  // the next record still starts far into the packet
      {79, past_end, 79, {}, true},
      {79, std::string(10, ' '), 1, {"SWAP A, B", "PRINT A; B", count_header + "FOR I = 1 TO 10", "NEXT I"}, false},
      {79, testing::Fixed("100", 10), 1, {}, false},  // an end inside the header
      {79, "9999999999", 1, {"SWAP A, B", "PRINT A; B", count_header + "FOR I = 1 TO 10", "NEXT I"}, false},
      {two.index.size(), " 200      ", 79, {"FOR I = 1 TO 10", "NEXT I"}, false},  // no whole record
  };
  for (const auto& c : cases) {
    TempFolder folder;
    PacketBytes bytes = two;
    bytes.index.replace(c.at, 10, c.start);
    WritePacket(folder.path(), "ARC", bytes);
    FaultyFileSystem file_system(FileSystem::Default());
    Result<Snippet> snippet = RetrieveSnippet(file_system, folder.path(), "ARC", c.position);
    ASSERT_TRUE(snippet.ok()) << c.start << ": " << snippet.status().message();
    EXPECT_EQ(snippet->code_lines, c.lines) << c.start;
    EXPECT_EQ(std::string(snippet->header.Field({0, 165})) == std::string(165, '\0'), c.zero_header) << c.start;
    for (const FaultyFileSystem::Read& read : file_system.reads()) {
      if (read.path != folder.File("ARC.VEK")) continue;
      EXPECT_FALSE(c.start[0] == '0') << "a Start of 0 reads nothing of the packet";
      if (read.offset >= kHeaderSize && !c.zero_header) EXPECT_LE(read.offset + read.size, bytes.packet.size()) << c.start;
    }
  }
}

TEST(SnippetReaderTest, AMissingPacketIsCreatedEmptyForAnExistingRecord) {
  TempFolder folder;
  WriteFileBytes(folder.File("LOST.IDX"), IndexRecordBytes(MakeSnippet("Lost", {}), 1));
  Result<Snippet> snippet = RetrieveSnippet(FileSystem::Default(), folder.path(), "LOST", 1);
  ASSERT_TRUE(snippet.ok()) << snippet.status().message();
  EXPECT_TRUE(snippet->code_lines.empty());
  EXPECT_EQ(ReadFileBytes(folder.File("LOST.VEK")), "");
  EXPECT_EQ(ReadFileBytes(folder.File("LOST.IDX"))[0], ' ');
}

TEST(SnippetReaderTest, ALineVisitorFailureIsTheResult) {
  TempFolder folder;
  WritePacket(folder.path(), "ARC", TwoSnippets());
  Result<SnippetInfo> info = RetrieveSnippet(FileSystem::Default(), folder.path(), "ARC", 1,
                                             [](std::string_view) { return Status::Error("full"); });
  EXPECT_EQ(info.status().message(), "full");
}

TEST(SnippetReaderTest, AFailureAtAnyStepGivesNoResultAndChangesAtMostTheFlag) {
  TempFolder folder;
  const PacketBytes bytes = TwoSnippets();
  std::string flagged = bytes.index;
  flagged[0] = ' ';
  WritePacket(folder.path(), "ARC", bytes);
  FaultyFileSystem dry_run(FileSystem::Default());
  ASSERT_TRUE(RetrieveSnippet(dry_run, folder.path(), "ARC", 1).ok());
  ASSERT_GT(dry_run.operations(), 5);

  for (uint64_t fail_at = 1; fail_at <= dry_run.operations(); ++fail_at) {
    WritePacket(folder.path(), "ARC", bytes);
    FaultyFileSystem file_system(FileSystem::Default(), fail_at);
    Result<Snippet> snippet = RetrieveSnippet(file_system, folder.path(), "ARC", 1);
    EXPECT_FALSE(snippet.ok()) << "operation " << fail_at;
    const std::string index = ReadFileBytes(folder.File("ARC.IDX"));
    EXPECT_TRUE(index == bytes.index || index == flagged) << "operation " << fail_at;
    EXPECT_EQ(ReadFileBytes(folder.File("ARC.VEK")), bytes.packet) << "operation " << fail_at;
  }
}

}  // namespace
}  // namespace oldvek
