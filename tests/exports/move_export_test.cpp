// OldVekMove as a reader program calls it (natively and under Wine).
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

constexpr intptr_t kChangedData = 3333;

TestSnippet Snippet(std::string subject, std::vector<std::string> lines) {
  TestSnippet s;
  s.author = "Di Mover";
  s.subject = std::move(subject);
  s.origin = "Usenet";
  s.date = "1999-09-09";
  s.code = "PB35";
  s.extra = "E";
  s.tag = "MOVE";
  s.flag = '*';
  s.unused_index_bytes = "12345";
  s.lines = std::move(lines);
  return s;
}

const TestSnippet kOpen = Snippet("Open a file", {"OPEN F$ FOR INPUT AS #1", "CLOSE #1"});
const TestSnippet kCount = Snippet("Count lines", {"DO UNTIL EOF(1)", "LINE INPUT #1, L$", "N = N + 1", "LOOP"});
const TestSnippet kExists = Snippet("File exists", {"ON ERROR GOTO NOFILE"});
const TestSnippet kSortA = Snippet("Insertion sort", {"FOR I = 2 TO N"});
const TestSnippet kSortB = Snippet("Comb sort", {"GAP = GAP / 1.3"});
const TestSnippet kSortC = Snippet("Heap sort", {"SUB SIFT"});

std::string Entry(int number, std::string_view subject, std::string_view packet) {
  return "0000" + std::to_string(number) + "~" + std::string(subject) + "~Di Mover~PB35~" + std::string(packet) + "~" +
         std::to_string((number - 1) * 78 + 1);
}

struct Outcome {
  std::vector<std::string> list;
  std::vector<std::string> calls;
  std::vector<std::string> boxes;
};

class MoveTest : public ::testing::Test {
 protected:
  void Write(std::string_view base, const std::vector<TestSnippet>& snippets) {
    WritePacket(folder_.path(), base, BuildPacket(snippets));
  }
  void ExpectPacket(std::string_view base, const std::vector<TestSnippet>& snippets) {
    const PacketBytes expected = BuildPacket(snippets);
    EXPECT_EQ(ReadFileBytes(folder_.File(std::string(base) + ".VEK")), expected.packet) << base;
    EXPECT_EQ(ReadFileBytes(folder_.File(std::string(base) + ".IDX")), expected.index) << base;
    for (std::string_view extension : {".$VE", ".$ID", ".$OK"}) {
      EXPECT_FALSE(FileExists(folder_.File(std::string(base) + std::string(extension)))) << base << extension;
    }
  }

  Outcome Move(const std::string& entry, const std::vector<std::string>& packets, int32_t packet_no,
               const std::vector<std::string>& list, int32_t entry_no, const std::string& destination) {
    Bstr entry_text(entry);
    StringArray packet_list(packets);
    StringArray snippet_list(list);
    Bstr destination_text(destination);
    Bstr folder(folder_.path());
    Outcome outcome;
    {
      CallLog log(folder_.path());
      outcome.boxes = CaptureMessageBoxTexts([&] {
        OldVekMove(entry_text.get(), snippet_list.get(), packet_list.get(), &packet_no, entry_no,
                   destination_text.get(), folder.get(), RecordListChanged, kChangedData, RefreshStaleEntry,
                   ReloadIndex);
      });
      outcome.calls = log.calls;
    }
    EXPECT_EQ(packet_list.items(), packets) << "the packet list is never changed";
    outcome.list = snippet_list.items();
    return outcome;
  }

  TempFolder folder_;
};

// --- The files ---

TEST_F(MoveTest, IntoAPacketOfThreeTheSnippetIsAppendedAndTheRestKept) {
  Write("FILES", {kOpen, kCount, kExists});
  Write("SORTS", {kSortA, kSortB, kSortC});
  const std::string entry = Entry(2, "Count lines", "FILES.VEK");
  const Outcome outcome = Move(entry, {"FILES"}, 0, {entry}, 1, "SORTS");
  EXPECT_TRUE(outcome.boxes.empty());
  ExpectPacket("SORTS", {kSortA, kSortB, kSortC, kCount});  // the record at 235, Flag "*" as it was read
  ExpectPacket("FILES", {kOpen, kExists});
  EXPECT_EQ(outcome.list, std::vector<std::string>{"00004~Count lines~Di Mover~PB35~SORTS.VEK~235"});
}

TEST_F(MoveTest, IntoAMissingPacketItBecomesItsFirstSnippet) {
  Write("FILES", {kOpen, kCount});
  const std::string entry = Entry(1, "Open a file", "FILES.VEK");
  const Outcome outcome = Move(entry, {}, 0, {entry}, 1, "NEW");
  ExpectPacket("NEW", {kOpen});
  ExpectPacket("FILES", {kCount});
  EXPECT_EQ(outcome.list, std::vector<std::string>{"00001~Open a file~Di Mover~PB35~NEW.VEK~1"});
}

TEST_F(MoveTest, WhatFollowsTheLastTerminatorStaysBehindAndAnEmptyBodyArrivesAsItsHeader) {
  TestSnippet tail = kCount;
  tail.body_suffix = "no terminator";
  TestSnippet empty = kOpen;
  empty.lines.clear();
  Write("FILES", {empty, tail});
  Move(Entry(2, "Count lines", "FILES.VEK"), {}, 0, {}, 1, "SORTS");
  Move(Entry(1, "Open a file", "FILES.VEK"), {}, 0, {}, 1, "SORTS");
  ExpectPacket("SORTS", {kCount, empty});
  ExpectPacket("FILES", {});
}

TEST_F(MoveTest, WithinOnePacketTheSnippetEndsUpLastAndTheEntryNamesItsFinalPlace) {
  Write("FILES", {kOpen, kCount, kExists});
  const std::string entry = Entry(1, "Open a file", "FILES.VEK");
  const std::vector<std::string> list = {entry, Entry(2, "Count lines", "FILES.VEK"), Entry(3, "File exists", "FILES.VEK")};
  const Outcome outcome = Move(entry, {"OTHER"}, 1, list, 1, "FILES");
  ExpectPacket("FILES", {kCount, kExists, kOpen});
  const std::vector<std::string> expected = {"00003~Open a file~Di Mover~PB35~FILES.VEK~157", list[1] + " (refreshed)",
                                             list[2] + " (refreshed)"};
  EXPECT_EQ(outcome.list, expected);
  EXPECT_EQ(outcome.calls, (std::vector<std::string>{"stale " + list[1] + " data=loader", "stale " + list[2] + " data=loader",
                                                      "changed 5 data=3333: " + ListText(expected)}));
}

// --- The caller's list ---

TEST_F(MoveTest, AListOfTheSourcesIndexIsReloadedThroughTheCallersLoader) {
  Write("FILES", {kOpen, kCount, kExists});
  const std::vector<std::string> list = {Entry(1, "Open a file", "FILES.VEK"), Entry(2, "Count lines", "FILES.VEK"),
                                         Entry(3, "File exists", "FILES.VEK")};
  const Outcome outcome = Move(list[1], {"SORTS", "FILES ~File I/O"}, 2, list, 2, "SORTS");
  const std::vector<std::string> expected = {Entry(1, "Open a file", "FILES.VEK"), Entry(2, "File exists", "FILES.VEK")};
  EXPECT_EQ(outcome.list, expected);
  EXPECT_EQ(outcome.calls, (std::vector<std::string>{"load FILES ~File I/O count=3",
                                                      "changed 5 data=3333: " + ListText(expected)}));
}

TEST_F(MoveTest, AMixedListRewritesTheEntryAndHandsTheSourcesOthersToEntryStale) {
  Write("FILES", {kOpen, kCount, kExists});
  Write("SORTS", {kSortA, kSortB, kSortC});
  // The moved entry's middle fields are kept as given, even when the header says otherwise.
  const std::string entry = "00002~Counting ~ lines~Someone~XX~FILES.VEK~79";
  const std::string sort = Entry(1, "Insertion sort", "SORTS.VEK");
  const std::string other_case = Entry(3, "File exists", "files.VEK");
  const std::vector<std::string> list = {Entry(3, "File exists", "FILES.VEK"), sort, entry, other_case,
                                         Entry(1, "Open a file", "FILES.VEK")};
  const Outcome outcome = Move(entry, {"files"}, 1, list, 3, "SORTS");
  const std::vector<std::string> expected = {list[0] + " (refreshed)", sort,
                                             "00004~Counting ~ lines~Someone~XX~SORTS.VEK~235", other_case,
                                             list[4] + " (refreshed)"};
  EXPECT_EQ(outcome.list, expected);
  EXPECT_EQ(outcome.calls, (std::vector<std::string>{"stale " + list[0] + " data=loader", "stale " + list[4] + " data=loader",
                                                      "changed 5 data=3333: " + ListText(expected)}));
  ExpectPacket("SORTS", {kSortA, kSortB, kSortC, kCount});
}

// --- Failures: nothing moves, nothing is called, and a box says why ---

TEST_F(MoveTest, AHeldPacketStopsTheMoveBeforeAnythingChanges) {
  for (std::string_view held_name : {"FILES.IDX", "FILES.VEK", "SORTS.IDX", "SORTS.VEK"}) {
    Write("FILES", {kOpen, kCount});
    Write("SORTS", {kSortA});
    const std::string entry = Entry(2, "Count lines", "FILES.VEK");
    Outcome outcome;
    {
      HeldFile held(folder_.File(held_name));
      ASSERT_TRUE(held.held());
      outcome = Move(entry, {"FILES"}, 1, {entry}, 1, "SORTS");
    }
    ASSERT_EQ(outcome.boxes.size(), 1u) << held_name;
    EXPECT_EQ(outcome.boxes[0].rfind("OldVek: cannot open " + folder_.File(held_name), 0), 0u) << outcome.boxes[0];
    EXPECT_EQ(outcome.list, std::vector<std::string>{entry});
    EXPECT_TRUE(outcome.calls.empty());
    ExpectPacket("FILES", {kOpen, kCount});
    ExpectPacket("SORTS", {kSortA});
  }
}

TEST_F(MoveTest, APositionThatNamesNoRecordMovesNothing) {
  Write("FILES", {kOpen, kCount});
  for (std::string position : {"0", "78", "80", "157"}) {
    const std::string entry = "00002~Count lines~Di Mover~PB35~FILES.VEK~" + position;
    const Outcome outcome = Move(entry, {}, 0, {entry}, 1, "SORTS");
    EXPECT_EQ(outcome.boxes, std::vector<std::string>{"OldVek: " + folder_.File("FILES.IDX") +
                                                      " has no record at position " + position});
    EXPECT_TRUE(outcome.calls.empty());
    ExpectPacket("FILES", {kOpen, kCount});
    EXPECT_FALSE(FileExists(folder_.File("SORTS.VEK")));
  }
}

}  // namespace
}  // namespace oldvek::testing
