// OldVekDelSnip as a reader program calls it (natively and under Wine).
#include <gtest/gtest.h>

#include "caller_values.h"
#include "edit_callbacks.h"
#include "held_file.h"
#include "message_boxes.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

constexpr intptr_t kChangedData = 1111;
constexpr intptr_t kStaleData = 2222;

TestSnippet Snippet(std::string subject, std::vector<std::string> lines) {
  TestSnippet s;
  s.author = "Cy Sorter";
  s.subject = std::move(subject);
  s.origin = "BBS";
  s.date = "1996-05-04";
  s.code = "QB45";
  s.tag = "SORT";
  s.flag = '*';
  s.unused_index_bytes = "abcde";
  s.lines = std::move(lines);
  return s;
}

const TestSnippet kBubble = Snippet("Bubble sort", {"DEFINT A-Z", "FOR I = 1 TO N - 1", "NEXT I"});
const TestSnippet kShell = Snippet("Shell sort", {"' the gap halves each pass", "", "GAP = N \\ 2"});
const TestSnippet kQuick = Snippet("Quick sort", {"SUB QSORT (A(), LO, HI)"});

struct Outcome {
  std::vector<std::string> list;
  bool erased = false;
  std::vector<std::string> calls;
  std::vector<std::string> boxes;
};

class DeleteTest : public ::testing::Test {
 protected:
  void Write(std::string_view base, const std::vector<TestSnippet>& snippets) {
    WritePacket(folder_.path(), base, BuildPacket(snippets));
  }
  PacketBytes Files(std::string_view base) {
    return {ReadFileBytes(folder_.File(std::string(base) + ".VEK")),
            ReadFileBytes(folder_.File(std::string(base) + ".IDX"))};
  }
  void ExpectPacket(std::string_view base, const std::vector<TestSnippet>& snippets) {
    const PacketBytes expected = BuildPacket(snippets);
    const PacketBytes actual = Files(base);
    EXPECT_EQ(actual.packet, expected.packet) << base;
    EXPECT_EQ(actual.index, expected.index) << base;
    ExpectNoLeftovers(base);
  }
  void ExpectNoLeftovers(std::string_view base) {
    for (std::string_view extension : {".$VE", ".$ID", ".$OK"}) {
      EXPECT_FALSE(FileExists(folder_.File(std::string(base) + std::string(extension)))) << extension;
    }
  }

  Outcome Delete(const std::string& entry, const std::vector<std::string>& packets, int32_t packet_no,
                 const std::vector<std::string>& list, int32_t entry_no, uint8_t files_only = 0) {
    Bstr entry_text(entry);
    StringArray packet_list(packets);
    StringArray snippet_list(list);
    Bstr folder(folder_.path());
    Outcome outcome;
    {
      CallLog log(folder_.path());
      outcome.boxes = CaptureMessageBoxTexts([&] {
        OldVekDelSnip(entry_text.get(), packet_list.get(), snippet_list.get(), folder.get(), &packet_no, &entry_no,
                      RecordListChanged, kChangedData, RefreshStaleEntry, kStaleData, files_only);
      });
      outcome.calls = log.calls;
    }
    EXPECT_EQ(packet_list.items(), packets) << "the packet list is never changed";
    outcome.erased = snippet_list.erased();
    if (!outcome.erased) {
      EXPECT_EQ(snippet_list.lower(), 1);
    }
    outcome.list = snippet_list.items();
    return outcome;
  }

  TempFolder folder_;
};

std::vector<std::string> Listing(std::string_view base, std::vector<std::string> subjects) {
  std::vector<std::string> entries;
  for (size_t i = 0; i < subjects.size(); ++i) {
    entries.push_back("0000" + std::to_string(i + 1) + "~" + subjects[i] + "~Cy Sorter~QB45~" + std::string(base) +
                      ".VEK~" + std::to_string(i * 78 + 1));
  }
  return entries;
}

// --- The rebuilt files ---

// Each row: the packet before, the entry deleted, the packet after.
TEST_F(DeleteTest, TheRebuiltPacketIsTheOthersInOrder) {
  TestSnippet empty = kShell;
  empty.lines.clear();
  struct Case {
    std::vector<TestSnippet> before;
    std::string entry;
    std::vector<TestSnippet> after;
    std::string extra_index;  // a partial record after the whole ones
  };
  for (const Case& c : {Case{{kBubble, kShell, kQuick}, "00001~s~a~c~SORTS.VEK~1", {kShell, kQuick}, ""},
                        Case{{kBubble, kShell, kQuick}, "00002~s~a~c~SORTS.VEK~79", {kBubble, kQuick}, "PARTIAL"},
                        Case{{kBubble, kQuick}, "00002~s~a~c~SORTS.VEK~79", {kBubble}, ""},
                        Case{{kQuick}, "00001~s~a~c~SORTS.VEK~1", {}, ""},
                        Case{{kBubble, empty, kQuick}, "00001~s~a~c~SORTS.VEK~1", {empty, kQuick}, ""}}) {
    PacketBytes bytes = BuildPacket(c.before);
    bytes.index += c.extra_index;
    WritePacket(folder_.path(), "SORTS", bytes);
    // Rebuild files of an earlier run are never appended to.
    WriteFileBytes(folder_.File("SORTS.$VE"), std::string(5000, 'v'));
    WriteFileBytes(folder_.File("SORTS.$ID"), std::string(100, 'i'));
    const Outcome outcome = Delete(c.entry, {"SORTS"}, 1, {c.entry}, 1, 1);
    EXPECT_TRUE(outcome.boxes.empty());
    EXPECT_TRUE(outcome.calls.empty() && outcome.list == std::vector<std::string>{c.entry}) << "files only";
    ExpectPacket("SORTS", c.after);
  }
}

TEST_F(DeleteTest, BytesNoLineOrRecordReachesAreGone) {
  TestSnippet tail = kBubble;
  tail.body_suffix = "unterminated";
  PacketBytes bytes = BuildPacket({tail, kShell, kQuick});
  // A gap before the second snippet, and bytes before the first, reached by no record.
  const size_t second = HeaderBytes(tail).size() + 10 + 1 + 18 + 1 + 6 + 1 + 12;
  bytes.packet.insert(second, "GAP");
  bytes.packet.insert(0, "LEAD");
  bytes.index = IndexRecordBytes(tail, 5) + IndexRecordBytes(kShell, second + 4 + 3 + 1) +
                IndexRecordBytes(kQuick, bytes.packet.size() - (HeaderBytes(kQuick).size() + 24) + 1);
  WritePacket(folder_.path(), "GAPS", bytes);
  Delete("00003~Quick sort~Cy Sorter~QB45~GAPS.VEK~157", {}, 0, {}, 1, 1);
  ExpectPacket("GAPS", {kBubble, kShell});
}

TEST_F(DeleteTest, AnEntryThatNamesNoRecordDeletesNothingAndLeavesTheListAlone) {
  Write("SORTS", {kBubble, kShell, kQuick});
  WriteFileBytes(folder_.File("ORPHAN.VEK"), BuildPacket({kBubble}).packet);
  const PacketBytes sorts = Files("SORTS");
  const std::vector<std::string> list = {"00001~a~b~c~SORTS.VEK~1", "00002~a~b~c~SORTS.VEK~79"};
  for (const char* entry : {"00003~a~b~c~SORTS.VEK~", "00003~a~b~c~SORTS.VEK~2", "00003~a~b~c~SORTS.VEK~80",
                            "00009~a~b~c~SORTS.VEK~625", "00001~a~b~c~ORPHAN.VEK~1"}) {
    const Outcome outcome = Delete(entry, {"SORTS"}, 1, list, 1);
    EXPECT_EQ(outcome.list, list) << entry;
    EXPECT_TRUE(outcome.calls.empty()) << entry;
    ASSERT_EQ(outcome.boxes.size(), 1u) << entry;
    EXPECT_NE(outcome.boxes[0].find("has no record at position"), std::string::npos) << outcome.boxes[0];
  }
  EXPECT_EQ(Files("SORTS").packet, sorts.packet);
  EXPECT_EQ(Files("SORTS").index, sorts.index);
  EXPECT_EQ(ReadFileBytes(folder_.File("ORPHAN.VEK")), BuildPacket({kBubble}).packet);
  ExpectNoLeftovers("SORTS");
}

TEST_F(DeleteTest, AMissingPacketIsLeftPresentAndEmpty) {
  Delete("00001~a~b~c~NONE.VEK~1", {}, 0, {}, 1, 1);
  ExpectPacket("NONE", {});
}

// --- The caller's list ---

TEST_F(DeleteTest, AListOfThePacketsIndexIsRebuiltFromTheNewIndex) {
  Write("SORTS", {kBubble, kShell, kQuick});
  const std::vector<std::string> list = Listing("SORTS", {"Bubble sort", "Shell sort", "Quick sort"});
  const Outcome outcome = Delete(list[1], {"FILES~File I/O", "SORTS  ~Sorting"}, 2, list, 2);
  const std::vector<std::string> expected = Listing("SORTS", {"Bubble sort", "Quick sort"});
  EXPECT_EQ(outcome.list, expected);
  EXPECT_EQ(outcome.calls, std::vector<std::string>{"changed 5 data=1111: " + ListText(expected)});
  EXPECT_TRUE(outcome.boxes.empty());
  ExpectPacket("SORTS", {kBubble, kQuick});
}

TEST_F(DeleteTest, AMixedListDropsTheEntryAndHandsTheSamePacketsOthersToEntryStale) {
  Write("SORTS", {kBubble, kShell, kQuick});
  const std::vector<std::string> sorts = Listing("SORTS", {"Bubble sort", "Shell sort", "Quick sort"});
  const std::string other = "00001~Copy a file~Cy Sorter~QB45~FILES.VEK~1";
  const std::string lower_case = "00002~Shell sort~Cy Sorter~QB45~sorts.VEK~79";
  const std::vector<std::string> list = {sorts[2], other, sorts[1], lower_case, sorts[0]};
  const Outcome outcome = Delete(sorts[1], {"SORTS"}, 0, list, 3);
  const std::vector<std::string> expected = {sorts[2] + " (refreshed)", other, lower_case, sorts[0] + " (refreshed)"};
  EXPECT_EQ(outcome.list, expected);
  EXPECT_EQ(outcome.calls, (std::vector<std::string>{"stale " + sorts[2] + " data=2222", "stale " + sorts[0] + " data=2222",
                                                      "changed 5 data=1111: " + ListText(expected)}));
  ExpectPacket("SORTS", {kBubble, kQuick});
}

// --- Failures: the files as they were, the lists untouched, no call, and a box ---

TEST_F(DeleteTest, APacketHeldOpenByAnotherProgramFailsCleanlyWithItsErrorBox) {
  Write("SORTS", {kBubble, kShell, kQuick});
  const std::vector<std::string> list = Listing("SORTS", {"Bubble sort", "Shell sort", "Quick sort"});
  for (std::string_view held_name : {"SORTS.VEK", "SORTS.IDX", "SORTS.$VE", "SORTS.$ID"}) {
    Outcome outcome;
    {
      HeldFile held(folder_.File(held_name));
      ASSERT_TRUE(held.held());
      outcome = Delete(list[1], {"SORTS"}, 1, list, 2);
    }
    ASSERT_EQ(outcome.boxes.size(), 1u) << held_name;
    EXPECT_EQ(outcome.boxes[0].rfind("OldVek: cannot open " + folder_.File(held_name), 0), 0u) << outcome.boxes[0];
    EXPECT_EQ(outcome.list, list);
    EXPECT_TRUE(outcome.calls.empty());
    EXPECT_EQ(Files("SORTS").packet, BuildPacket({kBubble, kShell, kQuick}).packet);
    EXPECT_EQ(Files("SORTS").index, BuildPacket({kBubble, kShell, kQuick}).index);
    EXPECT_FALSE(FileExists(folder_.File("SORTS.$OK")));
  }
  // The holder created the temporaries it held; the next operation removes them.
  Bstr packet("SORTS");
  Bstr folder(folder_.path());
  StringArray listing;
  int32_t count = 0;
  OldIndex(packet.get(), listing.get(), &count, folder.get());
  EXPECT_EQ(count, 3);
  ExpectNoLeftovers("SORTS");
}

TEST_F(DeleteTest, AnEntryNamingAFileOutsideTheFolderTouchesNothing) {
  Write("SORTS", {kBubble});
  for (std::string bad : {"00001~a~b~c~..\\SORTS.VEK~1", "00001~a~b~c~../SORTS.VEK~1", "00001~a~b~c~C:SORTS.VEK~1",
                          "no entry"}) {
    const Outcome outcome = Delete(bad, {"SORTS"}, 0, {bad}, 1);
    ASSERT_EQ(outcome.boxes.size(), 1u) << bad;
    EXPECT_EQ(outcome.boxes[0].rfind("OldVek: the ", 0), 0u) << outcome.boxes[0];
    EXPECT_EQ(outcome.list, std::vector<std::string>{bad});
    EXPECT_TRUE(outcome.calls.empty());
  }
  ExpectPacket("SORTS", {kBubble});
}

}  // namespace
}  // namespace oldvek::testing
