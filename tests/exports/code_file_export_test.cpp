// OldVekCreateCDE as a reader program calls it: one source, run against libOldVek.so and, under
// Wine, against OldVek.dll. The code file is read back with the test's own reader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "caller_values.h"
#include "code_file_reader.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "temp_folder.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace oldvek::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr std::string_view kHead1 = "VEKCODE";
constexpr std::string_view kHead2 = "\x1A v2";
const std::string kLead = std::string(kHead1) + std::string(kHead2);

// The arguments a reader program passes; packet i of the list is element i (from 1).
struct Request {
  std::string folder;
  Lines packet_list;
  std::vector<int32_t> selected;  // element index i - 1 chooses packet i
  long selected_lower = 0;
  bool selection_erased = false;
  int32_t packet_count = 0;
  int32_t header_number = 1996;
  std::string code_name = "OUT";
  HWND dialog = nullptr;
  int32_t progress_id = 0;
};

// Every packet of the list chosen.
Request ChooseAll(const TempFolder& folder, Lines packet_list) {
  Request request;
  request.folder = folder.path();
  request.packet_count = static_cast<int32_t>(packet_list.size());
  for (int32_t i = 1; i <= request.packet_count; ++i) request.selected.push_back(i);
  request.packet_list = std::move(packet_list);
  return request;
}

// Calls the export; returns the code file's bytes.
std::string CreateCodeFile(const Request& request) {
  IntegerArray selected(request.selected, request.selected_lower);
  SAFEARRAY* erased = nullptr;
  StringArray packet_list(request.packet_list, 1);
  Bstr code_name(request.code_name);
  Bstr folder(request.folder);
  Bstr head1(kHead1);
  Bstr head2(kHead2);
  Bstr code_dir(request.folder);
  int32_t ignored = 0;
  OldVekCreateCDE(request.dialog, request.progress_id, request.header_number, request.packet_count,
                  request.selection_erased ? &erased : selected.get(), code_name.get(), &ignored, packet_list.get(),
                  folder.get(), head1.get(), head2.get(), code_dir.get());
  const std::string path = request.folder + request.code_name + ".CDE";
  return FileExists(path) ? ReadFileBytes(path) : std::string();
}

StoredCodeFile Parse(const std::string& bytes) {
  StoredCodeFile file = ReadCodeFile(bytes, kLead.size());
  EXPECT_EQ(file.lead, kLead);
  return file;
}

TestSnippet Snippet(std::string subject, Lines lines) {
  TestSnippet s;
  s.author = "Ray Nolan";
  s.subject = std::move(subject);
  s.origin = "RIME BASIC";
  s.date = "03-11-1995";
  s.code = "QB45";
  s.extra = "R2";
  s.tag = "UTIL";
  s.lines = std::move(lines);
  return s;
}

#if !defined(_WIN32)
// On Linux the host stands in for the reader's dialog: it notes what the library does to it,
// and its sleep returns at once.
struct HostEvents {
  Lines events;  // "text: ...", "pass", "sleep 250", "box: caption: text"
  HWND dialog = nullptr;
  int32_t control = 0;
};

class RecordingHost {
 public:
  RecordingHost() {
    OldVekHost host{};
    host.context = &events_;
    host.message_box = [](void* context, const char* text, const char* caption, uint32_t) -> int32_t {
      Of(context).events.push_back("box: " + std::string(caption) + ": " + text);
      return 1;  // IDOK
    };
    host.message_pass = [](void* context, HWND dialog, int32_t all_waiting) {
      Of(context).events.push_back(dialog == Of(context).dialog && all_waiting == 1 ? "pass" : "other pass");
    };
    host.set_control_text = [](void* context, HWND dialog, int32_t control, const char* text) {
      const bool ours = dialog == Of(context).dialog && control == Of(context).control;
      Of(context).events.push_back((ours ? "text: " : "other text: ") + std::string(text));
    };
    host.sleep = [](void* context, uint32_t milliseconds) {
      Of(context).events.push_back("sleep " + std::to_string(milliseconds));
    };
    OldVekSetHost(&host);
  }
  ~RecordingHost() { OldVekSetHost(nullptr); }
  RecordingHost(const RecordingHost&) = delete;
  RecordingHost& operator=(const RecordingHost&) = delete;

  HostEvents& events() { return events_; }
  Lines boxes() const {
    Lines boxes;
    for (const std::string& event : events_.events) {
      if (event.rfind("box: ", 0) == 0) boxes.push_back(event.substr(5));
    }
    return boxes;
  }

 private:
  static HostEvents& Of(void* context) { return *static_cast<HostEvents*>(context); }
  HostEvents events_;
};
#endif

class OldVekCreateCDETest : public ::testing::Test {
#if !defined(_WIN32)
 protected:
  RecordingHost host_;  // no quarter-second waits, and no box goes unnoticed
  void TearDown() override { EXPECT_EQ(host_.boxes(), Lines{}); }
#endif
};

TEST_F(OldVekCreateCDETest, TheBytesOfASmallCodeFile) {
  TempFolder folder;
  TestSnippet s = Snippet("Swap", {"SWAP A, B"});
  s.tag = "TG";
  WritePacket(folder.path(), "P", BuildPacket({s}));
  Request request = ChooseAll(folder, {"P~one snippet"});
  request.header_number = 0x01020304;
  const std::string record = std::string(1, '\0') + Fixed("Ray Nolan", 31) + Fixed("Swap", 31) +
                             Fixed("RIME BASIC", 31) + Fixed("03-11-1995", 23) + Fixed("QB45", 23) + Fixed("TG", 12) +
                             std::string(20, ' ') + std::string("\x0A\0\0\0", 4) + std::string("\x01\0\0\0", 4) +
                             std::string("\x01\0\0\0", 4);
  ASSERT_EQ(record.size(), 184u);
  EXPECT_EQ(CreateCodeFile(request), kLead + std::string("\x04\x03\x02\x01", 4) + "\x05P.VEK" +
                                         std::string("\x01\0\0\0", 4) + record + "\x09SWAP A, B");
}

TEST_F(OldVekCreateCDETest, WithNoPacketChosenOnlyTheLeadAndTheHeaderNumber) {
  TempFolder folder;
  const PacketBytes bytes = BuildPacket({Snippet("Sort", {"PRINT 1"})});
  WritePacket(folder.path(), "SORTS", bytes);
  const std::string expected = kLead + LittleEndian32(-2);

  Request none = ChooseAll(folder, {"SORTS"});
  none.header_number = -2;
  none.selected = {0};
  EXPECT_EQ(CreateCodeFile(none), expected);
  none.selection_erased = true;
  EXPECT_EQ(CreateCodeFile(none), expected);
  Request no_count = ChooseAll(folder, {"SORTS"});
  no_count.header_number = -2;
  for (int32_t count : {0, -1}) {
    no_count.packet_count = count;
    EXPECT_EQ(CreateCodeFile(no_count), expected) << count;
  }
  EXPECT_EQ(ReadFileBytes(folder.File("SORTS.IDX")), bytes.index) << "no snippet was fetched";
}

TEST_F(OldVekCreateCDETest, APacketWithAnEmptyIndexGivesItsNameAndNoSnippets) {
  TempFolder folder;
  WritePacket(folder.path(), "EMPTY", PacketBytes{});
  const StoredCodeFile file = Parse(CreateCodeFile(ChooseAll(folder, {"EMPTY~nothing yet"})));
  ASSERT_EQ(file.packets.size(), 1u);
  EXPECT_EQ(file.packets[0].name, "EMPTY.VEK");
  EXPECT_EQ(file.packets[0].snippet_count, 0);
  EXPECT_EQ(file.header_number, 1996);
}

TEST_F(OldVekCreateCDETest, AMissingPacketIsCreatedEmptyAndGivesNoSnippets) {
  TempFolder folder;
  const StoredCodeFile file = Parse(CreateCodeFile(ChooseAll(folder, {"GONE"})));
  ASSERT_EQ(file.packets.size(), 1u);
  EXPECT_EQ(file.packets[0].name, "GONE.VEK");
  EXPECT_EQ(file.packets[0].snippet_count, 0);
  EXPECT_TRUE(FileExists(folder.File("GONE.IDX")));
  EXPECT_TRUE(FileExists(folder.File("GONE.VEK")));
}

TEST_F(OldVekCreateCDETest, EverySnippetWithItsFieldsLinesAndKindInIndexOrder) {
  TempFolder folder;
  TestSnippet plain = Snippet("Bubble sort    ", {"FOR I = 1 TO N", "NEXT I"});
  TestSnippet bare = Snippet("Nothing", {});
  Lines zorvit_lines(47, "' filler");
  zorvit_lines.push_back("'>>> created by zorvit!");
  TestSnippet attachment = Snippet("Picture", zorvit_lines);
  // Every Tag byte is kept, NULs included, and 20 blanks follow.
  attachment.tag = std::string("Q\0B\0\0\0\0\0\0\0\0Z", 12);
  WritePacket(folder.path(), "MIX", BuildPacket({plain, bare, attachment}));

  const StoredCodeFile file = Parse(CreateCodeFile(ChooseAll(folder, {"MIX"})));
  ASSERT_EQ(file.packets.size(), 1u);
  const StoredPacket& packet = file.packets[0];
  EXPECT_EQ(packet.snippet_count, 3);
  ASSERT_EQ(packet.snippets.size(), 3u);

  const StoredSnippet& first = packet.snippets[0];
  EXPECT_EQ(first.author(), Fixed("Ray Nolan", 31));
  EXPECT_EQ(first.subject(), Fixed("Bubble sort", 31));
  EXPECT_EQ(first.origin(), Fixed("RIME BASIC", 31));
  EXPECT_EQ(first.date(), Fixed("03-11-1995", 23));
  EXPECT_EQ(first.code(), Fixed("QB45", 23));
  EXPECT_EQ(first.tag(), Fixed("UTIL", 12) + std::string(20, ' '));
  EXPECT_EQ(first.lines, (Lines{"FOR I = 1 TO N", "NEXT I"}));
  EXPECT_EQ(first.line_count(), 2);
  EXPECT_EQ(first.block_size(), 1 + 14 + 1 + 6);
  EXPECT_EQ(first.kind(), 1);

  const StoredSnippet& empty = packet.snippets[1];
  EXPECT_EQ(empty.line_count(), 0);
  EXPECT_EQ(empty.block_size(), 0);
  EXPECT_EQ(empty.subject(), Fixed("Nothing", 31));

  const StoredSnippet& third = packet.snippets[2];
  EXPECT_EQ(third.kind(), 2);
  EXPECT_EQ(third.tag(), std::string("Q\0B\0\0\0\0\0\0\0\0Z", 12) + std::string(20, ' '));
  EXPECT_EQ(third.lines, zorvit_lines);

  std::string fetched_index = BuildPacket({plain, bare, attachment}).index;
  for (size_t k = 0; k < 3; ++k) fetched_index[k * 78] = ' ';
  EXPECT_EQ(ReadFileBytes(folder.File("MIX.IDX")), fetched_index) << "every written snippet is marked as read";
}

TEST_F(OldVekCreateCDETest, OnlyAnElementHoldingItsOwnIndexPlusOneChoosesItsPacket) {
  TempFolder folder;
  for (const char* base : {"A", "B", "C", "D", "E"})
    WritePacket(folder.path(), base, BuildPacket({Snippet(base, {base})}));
  Request request = ChooseAll(folder, {"A", "B", "C", "D", "E"});
  request.selected = {1, 0, 2, 4};  // C's element holds B's number; E has no element
  const StoredCodeFile file = Parse(CreateCodeFile(request));
  ASSERT_EQ(file.packets.size(), 2u);
  EXPECT_EQ(file.packets[0].name, "A.VEK");
  EXPECT_EQ(file.packets[1].name, "D.VEK");
  ASSERT_EQ(file.packets[1].snippets.size(), 1u);
  EXPECT_EQ(file.packets[1].snippets[0].lines, Lines{"D"});

  // The index is the element's own: with bounds 2 to 3, element 2 chooses packet 3.
  request.selected = {3, 3};
  request.selected_lower = 2;
  const StoredCodeFile shifted = Parse(CreateCodeFile(request));
  ASSERT_EQ(shifted.packets.size(), 1u);
  EXPECT_EQ(shifted.packets[0].name, "C.VEK");

  // Packets beyond the count are not considered, even when chosen.
  Request fewer = ChooseAll(folder, {"A", "B", "C", "D", "E"});
  fewer.packet_count = 2;
  const StoredCodeFile two = Parse(CreateCodeFile(fewer));
  ASSERT_EQ(two.packets.size(), 2u);
  EXPECT_EQ(two.packets[1].name, "B.VEK");
}

TEST_F(OldVekCreateCDETest, ThePacketNameIsTheEntryBeforeItsTildeAndKeepsItsBlank) {
  TempFolder folder;
  WritePacket(folder.path(), "MY PKT", BuildPacket({Snippet("Spaced", {"PRINT \"MY PKT\""})}));
  const StoredCodeFile file = Parse(CreateCodeFile(ChooseAll(folder, {"MY PKT   ~a packet with a blank"})));
  ASSERT_EQ(file.packets.size(), 1u);
  EXPECT_EQ(file.packets[0].name, "MY PKT.VEK");
  ASSERT_EQ(file.packets[0].snippets.size(), 1u);
  EXPECT_EQ(file.packets[0].snippets[0].lines, Lines{"PRINT \"MY PKT\""});
  EXPECT_FALSE(FileExists(folder.File("MY.IDX")));
  EXPECT_FALSE(FileExists(folder.File("MY.VEK")));
}

TEST_F(OldVekCreateCDETest, LinesLongerThan255BytesGoOnAsFurtherStoredLines) {
  TempFolder folder;
  auto varied = [](size_t length, char first) {
    std::string line(length, ' ');
    for (size_t i = 0; i < length; ++i) line[i] = static_cast<char>(first + i % 26);
    return line;
  };
  const std::string line300 = varied(300, 'a');
  const std::string line255 = varied(255, 'A');
  const std::string line510 = varied(510, 'a');
  WritePacket(folder.path(), "LONG", BuildPacket({Snippet("Long lines", {line300, "", line255, line510, "END"})}));
  const StoredCodeFile file = Parse(CreateCodeFile(ChooseAll(folder, {"LONG"})));
  ASSERT_EQ(file.packets.size(), 1u);
  ASSERT_EQ(file.packets[0].snippets.size(), 1u);
  const StoredSnippet& snippet = file.packets[0].snippets[0];
  EXPECT_EQ(snippet.lines, (Lines{line300.substr(0, 255), line300.substr(255), "", line255, line510.substr(0, 255),
                                  line510.substr(255), "END"}));
  EXPECT_EQ(snippet.line_count(), 7);
  EXPECT_EQ(snippet.block_size(), 7 + 300 + 0 + 255 + 510 + 3);
}

TEST_F(OldVekCreateCDETest, AnEarlierLongerCodeFileIsCutToTheNewLength) {
  TempFolder folder;
  WritePacket(folder.path(), "S", BuildPacket({Snippet("Short", {"CLS"})}));
  WriteFileBytes(folder.File("OUT.CDE"), std::string(5000, 'x'));
  const std::string bytes = CreateCodeFile(ChooseAll(folder, {"S"}));
  EXPECT_EQ(bytes.size(), kLead.size() + 4 + 1 + 5 + 4 + 184 + 1 + 3);
  const StoredCodeFile file = Parse(bytes);
  ASSERT_EQ(file.packets.size(), 1u);
  EXPECT_EQ(file.packets[0].name, "S.VEK");
}

TEST_F(OldVekCreateCDETest, PacketsFollowInListOrderEachWithItsOwnSnippets) {
  TempFolder folder;
  WritePacket(folder.path(), "FILEIO",
              BuildPacket({Snippet("Count lines", {"OPEN F$ FOR INPUT AS #1"}),
                           Snippet("Copy file", {"OPEN A$ FOR BINARY AS #1", "CLOSE"})}));
  WritePacket(folder.path(), "STRINGS",
              BuildPacket({Snippet("Proper case", {"MID$(S$, 1, 1) = UCASE$(LEFT$(S$, 1))"})}));
  const StoredCodeFile file = Parse(CreateCodeFile(ChooseAll(folder, {"STRINGS~text", "FILEIO~files"})));
  ASSERT_EQ(file.packets.size(), 2u);
  EXPECT_EQ(file.packets[0].name, "STRINGS.VEK");
  EXPECT_EQ(file.packets[1].name, "FILEIO.VEK");
  ASSERT_EQ(file.packets[1].snippets.size(), 2u);
  EXPECT_EQ(file.packets[1].snippets[1].subject(), Fixed("Copy file", 31));
  EXPECT_EQ(file.packets[1].snippets[1].lines, (Lines{"OPEN A$ FOR BINARY AS #1", "CLOSE"}));
}

#if !defined(_WIN32)
// Without a dialog to look at, the host sees the progress: the text before each snippet's
// pass, one pass per packet passed over, a quarter second per chosen packet.
TEST_F(OldVekCreateCDETest, ProgressTextsPassesAndWaits) {
  TempFolder folder;
  WritePacket(folder.path(), "SORTS", BuildPacket({Snippet("Bubble sort      ", {"X"}), Snippet("", {})}));
  WritePacket(folder.path(), "EMPTY", PacketBytes{});
  Request request = ChooseAll(folder, {"SORTS", "SKIPPED", "EMPTY"});
  request.selected = {1, 0, 3};
  int dialog_stand_in = 0;
  request.dialog = reinterpret_cast<HWND>(&dialog_stand_in);
  request.progress_id = 1042;
  host_.events().dialog = request.dialog;
  host_.events().control = request.progress_id;
  const StoredCodeFile file = Parse(CreateCodeFile(request));
  EXPECT_EQ(file.packets[0].snippets[0].subject(), Fixed("Bubble sort", 31)) << "the record keeps the blanks";
  EXPECT_EQ(host_.events().events,
            (Lines{"sleep 250", "text: Working on \r\nSORTS.VEK\r\n\r\nInstalling\r\nBubble sort", "pass",
                   "text: Working on \r\nSORTS.VEK\r\n\r\nInstalling\r\n", "pass", "pass", "sleep 250"}));
}

TEST_F(OldVekCreateCDETest, PacketsThatCannotBeNamedAreLeftOutAndReported) {
  TempFolder folder;
  WritePacket(folder.path(), "KEPT", BuildPacket({Snippet("Kept", {"BEEP"})}));
  const std::string long_base(252, 'L');  // with ".VEK", 256 characters
  Request request = ChooseAll(folder, {long_base + "~too long", "KEPT", "", std::string(251, 'M')});
  request.packet_count = 5;
  request.selected = {1, 2, 3, 4, 5};  // packet 5 has no entry in the list
  const StoredCodeFile file = Parse(CreateCodeFile(request));
  ASSERT_EQ(file.packets.size(), 2u);
  EXPECT_EQ(file.packets[0].name, "KEPT.VEK");
  EXPECT_EQ(file.packets[1].name, std::string(251, 'M') + ".VEK") << "255 characters fit";
  EXPECT_EQ(file.packets[1].name.size(), 255u);
  EXPECT_EQ(host_.boxes(), Lines{"OldVek: The code file " + folder.File("OUT.CDE") +
                                 " was written without these packets:\r\n" + long_base +
                                 ".VEK: its name is longer than 255 characters\r\n"
                                 "packet 3: it has no name in the packet list\r\n"
                                 "packet 5: it has no name in the packet list"});
  EXPECT_FALSE(FileExists(folder.File(".IDX")));
  host_.events().events.clear();
}

// Failures end the export with a box naming the file; no code file cut short stays behind.
TEST_F(OldVekCreateCDETest, AFailureNamesTheFileAndLeavesNoPartialCodeFile) {
  TempFolder folder;
  WritePacket(folder.path(), "GOOD", BuildPacket({Snippet("Good", {"PRINT"})}));
  ASSERT_EQ(::mkdir(folder.File("BAD.VEK").c_str(), 0700), 0);  // a packet that cannot be opened
  WriteFileBytes(folder.File("OUT.CDE"), "earlier");
  CreateCodeFile(ChooseAll(folder, {"GOOD", "BAD"}));
  EXPECT_FALSE(FileExists(folder.File("OUT.CDE")));
  const Lines boxes = host_.boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].rfind("OldVek: The code file " + folder.File("OUT.CDE") + " was not written: ", 0), 0u)
      << boxes[0];
  EXPECT_NE(boxes[0].find(folder.File("BAD.VEK")), std::string::npos) << boxes[0];
  host_.events().events.clear();

  Request nowhere = ChooseAll(folder, {"GOOD"});
  nowhere.code_name = "NO/SUCH/DIR";
  CreateCodeFile(nowhere);
  ASSERT_EQ(host_.boxes().size(), 1u);
  EXPECT_NE(host_.boxes()[0].find(folder.File("NO/SUCH/DIR.CDE")), std::string::npos) << host_.boxes()[0];
  host_.events().events.clear();
}

TEST_F(OldVekCreateCDETest, ACodeFileInUseIsLeftAsItIs) {
  TempFolder folder;
  WritePacket(folder.path(), "GOOD", BuildPacket({Snippet("Good", {"PRINT"})}));
  WriteFileBytes(folder.File("OUT.CDE"), "someone else's code file");
  const int held = ::open(folder.File("OUT.CDE").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_SH | LOCK_NB), 0);
  CreateCodeFile(ChooseAll(folder, {"GOOD"}));
  ::close(held);
  EXPECT_EQ(ReadFileBytes(folder.File("OUT.CDE")), "someone else's code file");
  ASSERT_EQ(host_.boxes().size(), 1u);
  EXPECT_NE(host_.boxes()[0].find(folder.File("OUT.CDE")), std::string::npos) << host_.boxes()[0];
  host_.events().events.clear();
}
#endif

}  // namespace
}  // namespace oldvek::testing
