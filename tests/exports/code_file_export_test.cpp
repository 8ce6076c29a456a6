// OldVekCreateCDE as a reader program calls it: one source, run against libOldVek.so and, under
// Wine, against OldVek.dll. The code file's bytes are checked whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "caller_values.h"
#include "message_boxes.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "progress_dialog.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr std::string_view kHead1 = "VEKCODE";
constexpr std::string_view kHead2 = "\x1A v2";
const std::string kLead = std::string(kHead1) + std::string(kHead2);

// The arguments a reader program passes; packet i of the list is element i (from 1).
struct Request {
  Lines packet_list;
  std::vector<int32_t> selected;  // element index i - 1 chooses packet i
  long selected_lower = 0;
  bool selection_erased = false;
  int32_t packet_count = 0;
  int32_t header_number = 1996;
  HWND dialog = nullptr;
  int32_t progress_id = 0;
};

// Every packet of the list chosen.
Request ChooseAll(Lines packet_list) {
  Request request;
  request.packet_count = static_cast<int32_t>(packet_list.size());
  request.packet_list = std::move(packet_list);
  for (int32_t i = 1; i <= request.packet_count; ++i) request.selected.push_back(i);
  return request;
}

// Four bytes, least significant first, as the code file states every number.
std::string Number(uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
  return bytes;
}

// A snippet as the code file stores it: a 184-byte record (a zero byte, the header's fields
// from Author to Code, the Tag filled with blanks to 32 bytes, the size of the line block, the
// line count, the Kind), then each stored line after its length byte.
std::string Stored(const TestSnippet& snippet, const Lines& stored_lines, uint32_t kind = 1) {
  std::string block;
  for (const std::string& line : stored_lines) block += static_cast<char>(line.size()) + line;
  return '\0' + HeaderFieldBytes(snippet) + Fixed(snippet.tag, 12) + std::string(20, ' ') +
         Number(static_cast<uint32_t>(block.size())) + Number(static_cast<uint32_t>(stored_lines.size())) +
         Number(kind) + block;
}

// A packet as the code file stores it: its name after a length byte, its snippet count, its snippets.
std::string StoredPacket(const std::string& name, uint32_t snippet_count, const std::string& snippets = "") {
  return static_cast<char>(name.size()) + name + Number(snippet_count) + snippets;
}

// The lead text and the header number that every request passes unless it says otherwise.
const std::string kOpening = kLead + Number(1996);

class OldVekCreateCDETest : public ::testing::Test {
 protected:
  // Calls the export for OUT.CDE in the test's folder; returns the code file's bytes.
  std::string CreateCodeFile(const Request& request) {
    IntegerArray selected(request.selected, request.selected_lower);
    SAFEARRAY* erased = nullptr;
    StringArray packet_list(request.packet_list, 1);
    Bstr code_name("OUT");
    Bstr folder(folder_.path());
    Bstr head1(kHead1);
    Bstr head2(kHead2);
    int32_t ignored = 0;
    OldVekCreateCDE(request.dialog, request.progress_id, request.header_number, request.packet_count,
                    request.selection_erased ? &erased : selected.get(), code_name.get(), &ignored, packet_list.get(),
                    folder.get(), head1.get(), head2.get(), folder.get());
    return FileExists(folder_.File("OUT.CDE")) ? ReadFileBytes(folder_.File("OUT.CDE")) : std::string();
  }

  TempFolder folder_;
};

// An earlier, longer code file of the same name is cut to the new length.
TEST_F(OldVekCreateCDETest, TheBytesOfASmallCodeFile) {
  TestSnippet s = SampleSnippet("Swap", {"SWAP A, B"});
  s.tag = "TG";
  WritePacket(folder_.path(), "P", BuildPacket({s}));
  WriteFileBytes(folder_.File("OUT.CDE"), std::string(5000, 'x'));
  Request request = ChooseAll({"P~one snippet"});
  request.header_number = 0x01020304;
  const std::string record = '\0' + Fixed("Ann Author", 31) + Fixed("Swap", 31) + Fixed("Fidonet", 31) +
                             Fixed("1994-11-05", 23) + Fixed("QB45", 23) + Fixed("TG", 12) + std::string(20, ' ') +
                             Number(10) + Number(1) + Number(1);
  ASSERT_EQ(record.size(), 184u);
  EXPECT_EQ(CreateCodeFile(request), kLead + "\x04\x03\x02\x01" + "\x05P.VEK" + Number(1) + record + "\x09SWAP A, B");
}

// No element chooses a packet: an erased selection, a zero, or a count of no packets.
TEST_F(OldVekCreateCDETest, WithNoPacketChosenOnlyTheLeadAndTheHeaderNumber) {
  const PacketBytes bytes = BuildPacket({SampleSnippet("Sort")});
  WritePacket(folder_.path(), "SORTS", bytes);
  for (int row = 0; row < 3; ++row) {
    Request request = ChooseAll({"SORTS"});
    request.header_number = -2;
    request.selected = {row == 0 ? 0 : 1};
    request.selection_erased = row == 1;
    if (row == 2) request.packet_count = -1;
    EXPECT_EQ(CreateCodeFile(request), kLead + "\xFE\xFF\xFF\xFF") << row;
  }
  EXPECT_EQ(ReadFileBytes(folder_.File("SORTS.IDX")), bytes.index) << "no snippet was fetched";
}

// A line longer than 255 bytes goes on as further stored lines.
TEST_F(OldVekCreateCDETest, EverySnippetWithItsFieldsLinesAndKindInIndexOrder) {
  std::string line510(510, ' ');
  for (size_t i = 0; i < line510.size(); ++i) line510[i] = static_cast<char>('a' + i % 26);
  const std::string line300 = line510.substr(0, 300);
  const std::string line255 = line510.substr(0, 255);
  const TestSnippet plain = SampleSnippet("Bubble sort    ", {line300, "", line255, line510, "END"});
  const TestSnippet bare = SampleSnippet("Nothing", {});
  Lines zorvit_lines(47, "' filler");
  zorvit_lines.push_back("'>>> created by zorvit!");
  TestSnippet attachment = SampleSnippet("Picture", zorvit_lines);
  attachment.tag = std::string("Q\0B\0\0\0\0\0\0\0\0Z", 12);  // every byte is kept, NULs included
  const PacketBytes bytes = BuildPacket({plain, bare, attachment});
  WritePacket(folder_.path(), "MIX", bytes);

  const Lines plain_stored{line255, line300.substr(255), "", line255, line255, line510.substr(255), "END"};
  EXPECT_EQ(CreateCodeFile(ChooseAll({"MIX"})), kOpening + StoredPacket("MIX.VEK", 3,
                                                                        Stored(plain, plain_stored) + Stored(bare, {}) +
                                                                            Stored(attachment, zorvit_lines, 2)));

  std::string marked = bytes.index;
  for (size_t k = 0; k < 3; ++k) marked[k * 78] = ' ';
  EXPECT_EQ(ReadFileBytes(folder_.File("MIX.IDX")), marked) << "every snippet written is marked as read";
}

// Packet i is chosen by the element with index i - 1 holding i; C's element holds B's number,
// E has no element, and D's index is empty.
TEST_F(OldVekCreateCDETest, OnlyAnElementHoldingItsOwnIndexPlusOneChoosesItsPacket) {
  for (const char* base : {"A", "B", "C", "E"}) {
    WritePacket(folder_.path(), base, BuildPacket({SampleSnippet(base, {base})}));
  }
  WritePacket(folder_.path(), "D", PacketBytes{});
  Request request = ChooseAll({"A", "B", "C", "D~empty", "E"});
  request.selected = {1, 0, 2, 4};
  EXPECT_EQ(CreateCodeFile(request),
            kOpening + StoredPacket("A.VEK", 1, Stored(SampleSnippet("A", {"A"}), {"A"})) + StoredPacket("D.VEK", 0));

  // The caller's own bounds hold: with bounds 2 to 3, element 2 chooses packet 3.
  request.selected = {3, 3};
  request.selected_lower = 2;
  EXPECT_EQ(CreateCodeFile(request), kOpening + StoredPacket("C.VEK", 1, Stored(SampleSnippet("C", {"C"}), {"C"})));
}

// The text before each snippet's pass; a full pass per snippet and per packet passed over,
// whose first takes every waiting message; a quarter second per chosen packet.
TEST_F(OldVekCreateCDETest, TheProgressControlShowsEachSnippetWritten) {
  WritePacket(folder_.path(), "SORTS", BuildPacket({SampleSnippet("Bubble sort      ", {"X"}), SampleSnippet("", {})}));
  Request request = ChooseAll({"SORTS", "SKIPPED", "EMPTY"});
  request.selected = {1, 0, 3};
  ProgressDialog dialog;
  request.dialog = dialog.handle();
  request.progress_id = ProgressDialog::kControl;
  CreateCodeFile(request);
  const std::string sorts = "Working on \r\nSORTS.VEK\r\n\r\nInstalling\r\n";
  EXPECT_EQ(dialog.record().texts, (Lines{sorts + "Bubble sort", sorts}));
  EXPECT_EQ(dialog.record().messages_taken, ProgressDialog::kQueued);
#if !defined(_WIN32)
  EXPECT_EQ(dialog.record().events, (Lines{"sleep 250", "text " + sorts + "Bubble sort", "pass", "text " + sorts,
                                           "pass", "pass", "sleep 250"}));
#endif
}

#if !defined(_WIN32)
TEST_F(OldVekCreateCDETest, PacketsThatCannotBeNamedAreLeftOutAndReported) {
  WritePacket(folder_.path(), "KEPT", BuildPacket({SampleSnippet("Kept", {"BEEP"})}));
  const std::string too_long(252, 'L');  // with ".VEK", 256 characters
  const std::string longest(251, 'M');
  Request request = ChooseAll({too_long + "~too long", "KEPT", "", longest});
  request.packet_count = 5;
  request.selected = {1, 2, 3, 4, 5};  // packet 5 has no entry in the list
  std::string bytes;
  const Lines boxes = CaptureMessageBoxTexts([&] { bytes = CreateCodeFile(request); });
  EXPECT_EQ(bytes, kOpening + StoredPacket("KEPT.VEK", 1, Stored(SampleSnippet("Kept", {"BEEP"}), {"BEEP"})) +
                       StoredPacket(longest + ".VEK", 0));
  EXPECT_EQ(boxes, Lines{"OldVek: The code file " + folder_.File("OUT.CDE") + " was written without these packets:" +
                         "\r\n" + too_long + ".VEK: its name is longer than 255 characters" +
                         "\r\npacket 3: it has no name in the packet list" +
                         "\r\npacket 5: it has no name in the packet list"});
  EXPECT_FALSE(FileExists(folder_.File(".IDX")));
  // A name that names no file of the folder fails the code file, as a packet that cannot be read does.
  const Lines refused = CaptureMessageBoxTexts([&] { CreateCodeFile(ChooseAll({"KEPT", "../KEPT"})); });
  EXPECT_EQ(refused, Lines{"OldVek: The code file " + folder_.File("OUT.CDE") +
                           " was not written: the packet name \"../KEPT\" is not a file in the archive folder"});
}

// A packet that cannot be opened after another was written: the box names it, and the code
// file cut short does not stay.
TEST_F(OldVekCreateCDETest, AFailureNamesTheFileAndLeavesNoPartialCodeFile) {
  WritePacket(folder_.path(), "GOOD", BuildPacket({SampleSnippet("Good", {"PRINT"})}));
  ASSERT_TRUE(std::filesystem::create_directory(folder_.File("BAD.VEK")));
  const Lines boxes = CaptureMessageBoxTexts([&] { CreateCodeFile(ChooseAll({"GOOD", "BAD"})); });
  EXPECT_FALSE(FileExists(folder_.File("OUT.CDE")));
  ASSERT_EQ(boxes.size(), 1u);
  const std::string opening = "OldVek: The code file " + folder_.File("OUT.CDE") + " was not written: cannot open ";
  EXPECT_TRUE(boxes[0].starts_with(opening + folder_.File("BAD.VEK"))) << boxes[0];
}
#endif

}  // namespace
}  // namespace oldvek::testing
