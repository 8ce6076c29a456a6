#include "packets/snippet_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "faulty_file_system.h"
#include "packet_names.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using namespace oldvek::testing;
using Lines = std::vector<std::string>;

struct Snippet : SnippetInfo {
  Lines code_lines;
};

// Two snippets, Swap and Count, in packet ARC of a fresh folder.
class SnippetReaderTest : public ::testing::Test {
 protected:
  SnippetReaderTest() { WritePacket(folder_.path(), "ARC", kTwo); }

  Result<Snippet> Fetch(uint64_t position, std::string_view base = "ARC", FileSystem& fs = FileSystem::Default(),
                        MarkRead mark = MarkRead::kYes) {
    Snippet snippet;
    OLDVEK_ASSIGN_OR_RETURN(SnippetInfo info, RetrieveSnippet(
                                                  fs, folder_.path(), TestPacket(base), position,
                                                  [&](std::string_view line) {
                                                    snippet.code_lines.emplace_back(line);
                                                    return Status::Ok();
                                                  },
                                                  mark));
    static_cast<SnippetInfo&>(snippet) = info;
    return snippet;
  }

  const PacketBytes kTwo = BuildPacket(
      {SampleSnippet("Swap", {"SWAP A, B", "PRINT A; B"}), SampleSnippet("Count", {"FOR I = 1 TO 10", "NEXT I"})});
  TempFolder folder_;
};

TEST_F(SnippetReaderTest, FetchesHeaderLinesAndTagUnderTheWholeBaseNameAndMarksOnlyWhenAsked) {
  WritePacket(folder_.path(), "MY PKT", kTwo);
  Result<Snippet> snippet = Fetch(1, "MY PKT");
  ASSERT_TRUE(snippet.ok()) << snippet.status().message();
  EXPECT_EQ(snippet->code_lines, (Lines{"SWAP A, B", "PRINT A; B"})) << "the body ends where Count begins";
  EXPECT_EQ(snippet->header.Field(SnippetHeader::kSubject), Fixed("Swap", 31));
  EXPECT_EQ(snippet->tag(), "SORTING");

  Result<Snippet> unmarked = Fetch(79, "ARC", FileSystem::Default(), MarkRead::kNo);
  ASSERT_TRUE(unmarked.ok()) << unmarked.status().message();
  EXPECT_EQ(unmarked->code_lines, (Lines{"FOR I = 1 TO 10", "NEXT I"}));
  EXPECT_EQ(ReadFileBytes(folder_.File("ARC.IDX")), kTwo.index);
}

// Damaged Start fields: the body is what lies between a whole record's Start and the next
// whole record's, never past the packet, and a Start of 0 or past the end is no snippet.
TEST_F(SnippetReaderTest, DamagedStartsGiveTheLinesThatLieBetweenThem) {
  const std::string past_end = Fixed(std::to_string(kTwo.packet.size() + 1), 10);
  const std::string count_header = HeaderBytes(SampleSnippet("Count", {}));
  const Lines both = {"SWAP A, B", "PRINT A; B", count_header + "FOR I = 1 TO 10", "NEXT I"};
  const struct {
    size_t at;  // where in the index `start` is written; the end appends it
    std::string start;
    uint64_t position;
    Lines lines;
    bool zero_header;
  } cases[] = {
      {1, "0         ", 1, {}, true},  // the next record still starts far into the packet
      {79, past_end, 79, {}, true},
      {79, std::string(10, ' '), 1, both, false},
      {79, Fixed("100", 10), 1, {}, false},  // an end inside the header
      {79, "9999999999", 1, both, false},
      {kTwo.index.size(), " 200      ", 79, {"FOR I = 1 TO 10", "NEXT I"}, false},  // no whole record
  };
  for (const auto& c : cases) {
    PacketBytes bytes = kTwo;
    bytes.index.replace(c.at, 10, c.start);
    WritePacket(folder_.path(), "ARC", bytes);
    Result<Snippet> snippet = Fetch(c.position);
    ASSERT_TRUE(snippet.ok()) << c.start << ": " << snippet.status().message();
    EXPECT_EQ(snippet->code_lines, c.lines) << c.start;
    EXPECT_EQ(std::string(snippet->header.Field({0, 165})) == std::string(165, '\0'), c.zero_header) << c.start;
  }
}

TEST_F(SnippetReaderTest, TheAttachmentMarkerCountsOnTheFirst48CodeLinesOnly) {
  const struct {
    size_t line;
    const char* text;
    SnippetKind kind;
  } cases[] = {{48, "'>>> created by zorvit!", SnippetKind::kAttachment},
               {49, "'>>> Created by ZORVIT!", SnippetKind::kPlain},
               {1, "x = 1: REM cReAtEd By ZoRvIt here", SnippetKind::kAttachment}};
  for (const auto& c : cases) {
    Lines lines(c.line - 1, "' filler");
    lines.push_back(c.text);
    WritePacket(folder_.path(), "ZV", BuildPacket({SampleSnippet("Marked", lines)}));
    EXPECT_EQ(Fetch(1, "ZV")->kind, c.kind) << c.line;
  }
}

TEST_F(SnippetReaderTest, AMissingPacketIsCreatedEmptyOnlyByAFetchThatMarks) {
  WriteFileBytes(folder_.File("LOST.IDX"), IndexRecordBytes(SampleSnippet("Lost", {}), 1));
  EXPECT_FALSE(Fetch(1, "LOST", FileSystem::Default(), MarkRead::kNo).ok());
  EXPECT_FALSE(FileExists(folder_.File("LOST.VEK")));
  Result<Snippet> snippet = Fetch(1, "LOST");
  ASSERT_TRUE(snippet.ok()) << snippet.status().message();
  EXPECT_TRUE(snippet->code_lines.empty());
  EXPECT_EQ(ReadFileBytes(folder_.File("LOST.VEK")), "");
  EXPECT_EQ(ReadFileBytes(folder_.File("LOST.IDX"))[0], ' ');
}

TEST_F(SnippetReaderTest, AFailureAtAnyStepGivesNoResultAndChangesAtMostTheFlag) {
  std::string flagged = kTwo.index;
  flagged[0] = ' ';
  FaultyFileSystem dry_run;
  ASSERT_TRUE(Fetch(1, "ARC", dry_run).ok());
  ASSERT_GT(dry_run.operations(), 5);

  for (uint64_t fail_at = 1; fail_at <= dry_run.operations(); ++fail_at) {
    WritePacket(folder_.path(), "ARC", kTwo);
    FaultyFileSystem file_system(FileSystem::Default(), fail_at);
    EXPECT_FALSE(Fetch(1, "ARC", file_system).ok()) << "operation " << fail_at;
    const std::string index = ReadFileBytes(folder_.File("ARC.IDX"));
    EXPECT_TRUE(index == kTwo.index || index == flagged) << "operation " << fail_at;
    EXPECT_EQ(ReadFileBytes(folder_.File("ARC.VEK")), kTwo.packet) << "operation " << fail_at;
  }
}

// Each snippet a packet file cuts short is told as such, with what could be read of it.
TEST_F(SnippetReaderTest, ASnippetThePacketFileCutsShortIsToldWithWhatCouldBeRead) {
  const size_t count = kTwo.packet.find("Count") - 31;  // where Count's header begins
  const std::tuple<size_t, bool, bool, Lines> cases[] = {
      {kTwo.packet.size(), false, false, {"FOR I = 1 TO 10", "NEXT I"}},
      {kTwo.packet.size() - 1, false, true, {"FOR I = 1 TO 10"}},
      {count + 165, false, false, {}},
      {count + 100, false, true, {}},
      {count, false, true, {}},
      {count - 1, true, true, {}}};
  for (const auto& [length, swap_cut, count_cut, count_lines] : cases) {
    WritePacket(folder_.path(), "ARC", {kTwo.packet.substr(0, length), kTwo.index});
    Result<Snippet> swap = Fetch(1), last = Fetch(79);
    ASSERT_TRUE(swap.ok() && last.ok());
    EXPECT_EQ(std::tuple(length, swap->cut_short, last->cut_short, last->code_lines),
              std::tuple(length, swap_cut, count_cut, count_lines));
  }
}

// Snippets read unmarked are marked later only if their records still stand as they were read.
TEST_F(SnippetReaderTest, ALaterMarkSkipsRecordsChangedMeanwhile) {
  UnmarkedRun run;
  for (uint64_t k = 1; k <= 2; ++k) {
    run.Add(k, Fetch(RecordPosition(k), "ARC", FileSystem::Default(), MarkRead::kNo)->record);
  }
  const PacketBytes retitled = {kTwo.packet, kTwo.index.substr(0, 16) + "Sw@p" + kTwo.index.substr(20)};
  for (const PacketBytes* now : {&retitled, &kTwo}) {
    WritePacket(folder_.path(), "ARC", *now);
    ASSERT_TRUE(MarkRunRead(FileSystem::Default(), folder_.path(), "ARC"_packet, run).ok());
    std::string marked = now->index;
    if (now == &kTwo) marked[0] = marked[78] = ' ';
    EXPECT_EQ(ReadFileBytes(folder_.File("ARC.IDX")), marked);
  }
}

}  // namespace
}  // namespace oldvek
