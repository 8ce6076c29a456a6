#include "editing/snippet_deletion.h"

#include <gtest/gtest.h>

#include "editing/snippet_move.h"
#include "packet_names.h"
#include "packet_writer.h"
#include "packets/snippet_reader.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using namespace oldvek::testing;

using Lines = std::vector<std::string>;

Lines Fetch(const std::string& folder, std::string_view base, uint64_t position) {
  Lines lines;
  Result<SnippetInfo> info =
      RetrieveSnippet(FileSystem::Default(), folder, TestPacket(base), position, [&](std::string_view line) {
        lines.emplace_back(line);
        return Status::Ok();
      });
  EXPECT_TRUE(info.ok()) << info.status().message();
  return lines;
}

PacketBytes Stored(const TempFolder& folder, const std::string& base) {
  return {ReadFileBytes(folder.File(base + ".VEK")), ReadFileBytes(folder.File(base + ".IDX"))};
}

// Each row deletes a snippet of SORTS or moves it into NEW, which the move makes: the others
// close up in order, an empty body stays a header alone, bytes after the last terminator are
// no line, and a partial record is dropped.
TEST(SnippetDeletionTest, AnEditRebuildsThePacketFromTheOthersInOrder) {
  const TestSnippet one = SampleSnippet("One");
  const TestSnippet empty = SampleSnippet("Empty", {});
  const TestSnippet two = SampleSnippet("Two", {"A = 1", "B = 2"});
  TestSnippet two_and_tail = two;
  two_and_tail.body_suffix = "unterminated";
  const struct {
    uint64_t position;
    bool move;
    std::vector<TestSnippet> after;
    std::vector<TestSnippet> moved = {};  // what NEW holds after a move
  } cases[] = {
      {1, false, {empty, two}},
      {79, false, {one, two}},
      {157, true, {one, empty}, {two}},
      {79, true, {one, two}, {empty}},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    PacketBytes bytes = BuildPacket({one, empty, two_and_tail});
    bytes.index += "PARTIAL";
    WritePacket(folder.path(), "SORTS", bytes);
    if (c.move) {
      const Result<uint64_t> number =
          MoveSnippet(FileSystem::Default(), folder.path(), "SORTS"_packet, c.position, "NEW"_packet);
      ASSERT_TRUE(number.ok()) << number.status().message();
      EXPECT_EQ(*number, 1u) << "the moved snippet is the new packet's first";
      EXPECT_EQ(Stored(folder, "NEW"), BuildPacket(c.moved)) << c.position;
    } else {
      ASSERT_TRUE(DeleteSnippet(FileSystem::Default(), folder.path(), "SORTS"_packet, c.position).ok());
    }
    EXPECT_EQ(Stored(folder, "SORTS"), BuildPacket(c.after)) << c.position;
  }
}

// A damaged Start that reads as 0 names no snippet, so the snippet before it runs to the end
// of the file when fetched; an edit must keep every line of it that a fetch shows.
TEST(SnippetDeletionTest, NoEditKeepsLessOfASnippetThanAFetchShows) {
  for (const char* damaged_start : {"0         ", "-5        ", "abc       "}) {
    for (bool move : {false, true}) {
      TempFolder folder;
      PacketBytes bytes = BuildPacket({SampleSnippet("One", Lines(52, "A = 1")), SampleSnippet("Two", Lines(3, "B")),
                                       SampleSnippet("Three", Lines(8, "C"))});
      bytes.index.replace(78 + 1, 10, damaged_start);
      WritePacket(folder.path(), "SORTS", bytes);
      const Lines shown = Fetch(folder.path(), "SORTS", 1);
      ASSERT_EQ(shown.size(), 52u + 3 + 8);

      const Status edited =
          move ? MoveSnippet(FileSystem::Default(), folder.path(), "SORTS"_packet, 157, "OTHER"_packet).status()
               : DeleteSnippet(FileSystem::Default(), folder.path(), "SORTS"_packet, 157);
      ASSERT_TRUE(edited.ok()) << edited.message();
      EXPECT_EQ(Fetch(folder.path(), "SORTS", 1), shown) << damaged_start << (move ? " move" : " delete");
      EXPECT_TRUE(Fetch(folder.path(), "SORTS", 79).empty()) << "the damaged snippet gains no lines";
    }
  }
}

}  // namespace
}  // namespace oldvek
