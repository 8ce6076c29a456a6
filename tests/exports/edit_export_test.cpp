// The edits as a reader program calls them (natively and under Wine): OldVekDelSnip,
// OldVekMove and OldVekHeaderUpdate, with the reader's callbacks.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include "caller_values.h"
#include "message_boxes.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

using Strings = std::vector<std::string>;
using Snippets = std::vector<TestSnippet>;

// Holds a file open from a second handle that shares nothing (Windows: CreateFileA with
// share mode 0; Linux: an exclusive flock, as the library's own exclusive opens take).
class HeldFile {
 public:
#if defined(_WIN32)
  explicit HeldFile(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr)),
        held_(handle_ != INVALID_HANDLE_VALUE) {}
  ~HeldFile() {
    if (held_) CloseHandle(handle_);
  }
#else
  explicit HeldFile(const std::string& path)
      : handle_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)),
        held_(handle_ >= 0 && ::flock(handle_, LOCK_EX | LOCK_NB) == 0) {}
  ~HeldFile() {
    if (handle_ >= 0) ::close(handle_);
  }
#endif
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  bool held() const { return held_; }

 private:
#if defined(_WIN32)
  HANDLE handle_;
#else
  int handle_;
#endif
  bool held_;
};

constexpr intptr_t kChangedData = 1111;
constexpr intptr_t kStaleData = 2222;

const TestSnippet kBubble = SampleSnippet("Bubble sort", {"DEFINT A-Z", "FOR I = 1 TO N - 1", "NEXT I"});
const TestSnippet kShell = SampleSnippet("Shell sort", {"' the gap halves each pass", "", "GAP = N \\ 2"});
const TestSnippet kQuick = SampleSnippet("Quick sort", {"SUB QSORT (A(), LO, HI)"});
const TestSnippet kOpen = SampleSnippet("Open a file", {"OPEN F$ FOR INPUT AS #1", "CLOSE #1"});
const TestSnippet kCount = SampleSnippet("Count lines", {"DO UNTIL EOF(1)", "LINE INPUT #1, L$", "N = N + 1", "LOOP"});
const TestSnippet kExists = SampleSnippet("File exists", {"ON ERROR GOTO NOFILE"});

// --- The reader's callbacks: each call is written down as one line of text ---

Strings* g_calls = nullptr;  // where, while an edit runs
std::string g_folder;        // the folder the callbacks expect as their argument

std::string FolderNote(BSTR* folder) {
  const std::string given = folder != nullptr ? BstrBytes(*folder) : "(none)";
  return given == g_folder ? "" : " in unexpected folder " + given;
}

std::string ListText(const Strings& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : " | ") + item;
  return text;
}

// What the callbacks write down, and how the stale callback rewrites an entry.
std::string Stale(const std::string& entry, const std::string& data) { return "stale " + entry + " data=" + data; }
std::string Refreshed(const std::string& entry) { return entry + " (refreshed)"; }

// "changed 5 data=<data>: <element 1> | <element 2> ..." ("(erased)" for no array).
void VEKAPI RecordListChanged(SAFEARRAY** list, int32_t* reason, intptr_t data) {
  const std::string items = list == nullptr || *list == nullptr ? "(erased)" : ListText(ArrayItems(*list));
  g_calls->push_back("changed " + std::to_string(*reason) + " data=" + std::to_string(data) + ": " + items);
}

// "load <packet> count=<count>", then lists the packet with OldIndex as a reader's loader would.
void VEKAPI ReloadIndex(BSTR* packet, SAFEARRAY** list, int32_t* count, BSTR* folder) {
  g_calls->push_back("load " + BstrBytes(*packet) + " count=" + std::to_string(*count) + FolderNote(folder));
  OldIndex(packet, list, count, folder);
}

// "stale <entry> data=<data>" (data "loader" when it is ReloadIndex), then rewrites the
// element in place to "<entry> (refreshed)", as a reader would refresh it.
void VEKAPI RefreshStaleEntry(BSTR* entry, BSTR* folder, intptr_t data) {
  const std::string text = BstrBytes(*entry);
  const std::string data_text = data == reinterpret_cast<intptr_t>(&ReloadIndex) ? "loader" : std::to_string(data);
  g_calls->push_back(Stale(text, data_text) + FolderNote(folder));
  const std::string refreshed = Refreshed(text);
  SysFreeString(*entry);
  *entry = SysAllocStringByteLen(refreshed.data(), static_cast<UINT>(refreshed.size()));
}

struct Outcome {
  Strings given;  // the snippet list the caller passed
  Strings list;   // and what it holds after the call
  Strings calls;
  Strings boxes;
};

// A folder holding SORTS and FILES, three snippets each.
class EditExportTest : public ::testing::Test {
 protected:
  EditExportTest() { WritePackets(); }

  void WritePackets() {
    WritePacket(folder_.path(), "SORTS", BuildPacket({kBubble, kShell, kQuick}));
    WritePacket(folder_.path(), "FILES", BuildPacket({kOpen, kCount, kExists}));
  }
  // The packet's files hold exactly `snippets`, no mark is left beside them and, unless another
  // program held them, no rebuilt file either.
  void ExpectPacket(const std::string& base, const Snippets& snippets, bool rebuilt_files_held = false) {
    const PacketBytes stored = {ReadFileBytes(folder_.File(base + ".VEK")), ReadFileBytes(folder_.File(base + ".IDX"))};
    EXPECT_EQ(stored, BuildPacket(snippets)) << base;
    for (std::string extension : {".$OK", ".$VE", ".$ID"}) {
      EXPECT_TRUE((rebuilt_files_held && extension != ".$OK") || !FileExists(folder_.File(base + extension))) << base;
    }
  }

  Outcome Edit(const Strings& packets, const Strings& list,
               const std::function<void(SAFEARRAY** packets, SAFEARRAY** list, BSTR* folder)>& edit) {
    StringArray packet_list(packets);
    StringArray snippet_list(list);
    Bstr folder(folder_.path());
    Outcome outcome;
    outcome.given = list;
    g_calls = &outcome.calls;
    g_folder = folder_.path();
    outcome.boxes = CaptureMessageBoxTexts([&] { edit(packet_list.get(), snippet_list.get(), folder.get()); });
    g_calls = nullptr;
    EXPECT_EQ(packet_list.items(), packets) << "the packet list is never changed";
    if (!snippet_list.erased()) {
      EXPECT_EQ(snippet_list.lower(), 1);
    }
    outcome.list = snippet_list.items();
    return outcome;
  }

  Outcome Delete(const std::string& entry, const Strings& packets, int32_t packet_no, const Strings& list,
                 int32_t entry_no, uint8_t files_only = 0) {
    Bstr entry_text(entry);
    return Edit(packets, list, [&](SAFEARRAY** packet_list, SAFEARRAY** snippet_list, BSTR* folder) {
      OldVekDelSnip(entry_text.get(), packet_list, snippet_list, folder, &packet_no, &entry_no, RecordListChanged,
                    kChangedData, RefreshStaleEntry, kStaleData, files_only);
    });
  }

  Outcome Move(const std::string& entry, const Strings& packets, int32_t packet_no, const Strings& list,
               int32_t entry_no, const std::string& destination) {
    Bstr entry_text(entry);
    Bstr destination_text(destination);
    return Edit(packets, list, [&](SAFEARRAY** packet_list, SAFEARRAY** snippet_list, BSTR* folder) {
      OldVekMove(entry_text.get(), snippet_list, packet_list, &packet_no, entry_no, destination_text.get(), folder,
                 RecordListChanged, kChangedData, RefreshStaleEntry, ReloadIndex);
    });
  }

  // Rewrites the header of `entry`, shown as entry 2 of a list of the packet `packet`, itself
  // the second of the packet list.
  Outcome Retitle(const Strings& fields, const std::string& entry, const std::string& packet = "SORTS~Sorts") {
    StringArray new_fields(fields);
    int32_t packet_no = 2;
    int32_t entry_no = 2;
    return Edit({"OTHER", packet}, {"00009~x~y~z~SORTS.VEK~1", entry, "last"},
                [&](SAFEARRAY** packet_list, SAFEARRAY** snippet_list, BSTR* folder) {
                  OldVekHeaderUpdate(new_fields.get(), packet_list, snippet_list, folder, &packet_no, &entry_no);
                });
  }

  TempFolder folder_;
  const Strings sorts_ = {ListEntry(1, "Bubble sort", "SORTS.VEK"), ListEntry(2, "Shell sort", "SORTS.VEK"),
                          ListEntry(3, "Quick sort", "SORTS.VEK")};
  const Strings files_ = {ListEntry(1, "Open a file", "FILES.VEK"), ListEntry(2, "Count lines", "FILES.VEK"),
                          ListEntry(3, "File exists", "FILES.VEK")};
};

// A list of the edited packet's own index is made again: by a deletion from the new index, by
// a move through the caller's loader. In any other list a deleted entry is dropped and a moved
// one names its new place, its middle fields kept as given even when the header says otherwise
// (the edited entry is the list's last, at its upper bound); the other entries of the edited
// packet, whatever the case of its name, go to the stale callback, whose data is the loader's
// address for a move. Every edit ends with one call of the list-changed callback.
TEST_F(EditExportTest, TheCallersListFollowsTheEdit) {
  const std::string sorts_lower = ListEntry(2, "Shell sort", "sorts.VEK");
  const std::string files_lower = ListEntry(3, "File exists", "files.VEK");
  const std::string moved = "00002~Counting ~ lines~Someone~XX~FILES.VEK~79";
  const struct {
    std::function<Outcome()> edit;
    Strings list;   // after the edit
    Strings calls;  // before the list-changed call
    bool changed = true;
  } cases[] = {
      {[&] {
         return Delete(sorts_[1], {"FILES~File I/O", "SORTS  ~Sorting"}, 2, sorts_, 2);
       },
       {sorts_[0], ListEntry(2, "Quick sort", "SORTS.VEK")},
       {}},
      {[&] {
         return Move(files_[1], {"SORTS", "FILES ~File I/O"}, 2, files_, 2, "SORTS");
       },
       {files_[0], ListEntry(2, "File exists", "FILES.VEK")},
       {"load FILES ~File I/O count=3"}},
      {[&] {
         return Delete(sorts_[1], {"SORTS"}, 0, {sorts_[2], files_[0], sorts_lower, sorts_[0], sorts_[1]}, 5);
       },
       {Refreshed(sorts_[2]), files_[0], sorts_lower, Refreshed(sorts_[0])},
       {Stale(sorts_[2], "2222"), Stale(sorts_[0], "2222")}},
      {[&] {
         return Move(moved, {"files"}, 1, {files_[2], sorts_[0], files_lower, files_[0], moved}, 5, "SORTS");
       },
       {Refreshed(files_[2]), sorts_[0], files_lower, Refreshed(files_[0]),
        "00004~Counting ~ lines~Someone~XX~SORTS.VEK~235"},
       {Stale(files_[2], "loader"), Stale(files_[0], "loader")}},
      // Within one packet the snippet goes last, and its entry names that place.
      {[&] { return Move(files_[0], {"OTHER"}, 1, files_, 1, "FILES"); },
       {ListEntry(3, "Open a file", "FILES.VEK"), Refreshed(files_[1]), Refreshed(files_[2])},
       {Stale(files_[1], "loader"), Stale(files_[2], "loader")}},
      // Deleting from the files only leaves the list alone and calls no callback.
      {[&] {
         const Outcome outcome = Delete(sorts_[0], {"SORTS"}, 1, sorts_, 1, 1);
         ExpectPacket("SORTS", {kShell, kQuick});
         return outcome;
       },
       sorts_,
       {},
       false},
  };
  for (const auto& c : cases) {
    WritePackets();
    const Outcome outcome = c.edit();
    SCOPED_TRACE(c.list[0]);
    EXPECT_TRUE(outcome.boxes.empty());
    EXPECT_EQ(outcome.list, c.list);
    Strings calls = c.calls;
    if (c.changed) calls.push_back("changed 5 data=1111: " + ListText(c.list));
    EXPECT_EQ(outcome.calls, calls);
  }
}

// The packet is the one the packet list names, not the entry's; the fields come in the
// reader's order.
TEST_F(EditExportTest, HeaderUpdateRewritesTheSnippetInThePacketListsPacket) {
  const Outcome outcome = Retitle({"A", "S", "O", "D", "C"}, files_[1], "SORTS   ~Sorts");
  EXPECT_TRUE(outcome.boxes.empty());
  EXPECT_EQ(outcome.list, outcome.given);
  TestSnippet retitled = kShell;
  std::tie(retitled.author, retitled.subject, retitled.origin, retitled.date, retitled.code) =
      std::make_tuple("A", "S", "O", "D", "C");
  ExpectPacket("SORTS", {kBubble, retitled, kQuick});
  ExpectPacket("FILES", {kOpen, kCount, kExists});
}

// --- Refusals: the files as they were, the list untouched, no call, and a box that says why ---

TEST_F(EditExportTest, ARefusedEditChangesNothing) {
  using EditFn = std::function<Outcome(const std::string& entry)>;
  const EditFn del = [&](const std::string& entry) { return Delete(entry, {"SORTS"}, 1, sorts_, 2); };
  const EditFn move = [&](const std::string& entry) { return Move(entry, {"SORTS"}, 1, sorts_, 2, "FILES"); };
  const EditFn retitle = [&](const std::string& entry) { return Retitle({"A", "S", "O", "D", "C"}, entry); };
  const auto cannot_open = [&](std::string_view file) { return "OldVek: cannot open " + folder_.File(file); };
  const auto no_record = [&](const std::string& position, std::string_view index = "SORTS.IDX") {
    return "OldVek: " + folder_.File(index) + " has no record at position " + position;
  };
  struct Case {
    std::string held;  // a file another program holds open, if any
    EditFn edit;
    std::string entry;
    std::string box;  // how the box begins
  };
  std::vector<Case> cases;
  const std::pair<EditFn, Strings> held_files[] = {{del, {"SORTS.VEK", "SORTS.IDX", "SORTS.$VE", "SORTS.$ID"}},
                                                   {move, {"SORTS.IDX", "SORTS.VEK", "FILES.IDX", "FILES.VEK"}},
                                                   {retitle, {"SORTS.VEK"}}};
  for (const auto& [edit, files] : held_files) {
    for (const std::string& held : files) cases.push_back({held, edit, sorts_[1], cannot_open(held)});
  }
  const std::pair<EditFn, Strings> bad_positions[] = {{del, {"", "2", "80", "625"}}, {move, {"0", "78", "80", "235"}}};
  for (const auto& [edit, positions] : bad_positions) {
    for (const std::string& position : positions) {
      cases.push_back({"", edit, "00002~Shell sort~Ann Author~QB45~SORTS.VEK~" + position,
                       no_record(position.empty() ? "0" : position)});
    }
  }
  WriteFileBytes(folder_.File("ORPHAN.VEK"), BuildPacket({kBubble}).packet);
  cases.push_back({"", del, "00001~a~b~c~ORPHAN.VEK~1", no_record("1", "ORPHAN.IDX")});
  cases.push_back({"", del, "00001~a~b~c~../SORTS.VEK~1", "OldVek: the "});  // one of the entry parser's refusals
  const EditFn no_packet = [&](const std::string& entry) { return Retitle({"A"}, entry, ""); };
  cases.push_back({"", no_packet, sorts_[1], "OldVek: There is no packet at position 2 of the packet list."});
  for (const Case& c : cases) {
    Outcome outcome;
    {
      HeldFile held(c.held.empty() ? folder_.File("OTHER") : folder_.File(c.held));
      ASSERT_TRUE(held.held()) << c.held;
      outcome = c.edit(c.entry);
    }
    SCOPED_TRACE(c.entry + " with " + c.held + " held: " + c.box);
    ASSERT_EQ(outcome.boxes.size(), 1u);
    EXPECT_EQ(outcome.boxes[0].rfind(c.box, 0), 0u) << outcome.boxes[0];
    EXPECT_EQ(outcome.list, outcome.given);
    EXPECT_TRUE(outcome.calls.empty());
    ExpectPacket("SORTS", {kBubble, kShell, kQuick}, true);
    ExpectPacket("FILES", {kOpen, kCount, kExists}, true);
  }
  EXPECT_EQ(ReadFileBytes(folder_.File("ORPHAN.VEK")), BuildPacket({kBubble}).packet);
}

}  // namespace
}  // namespace oldvek::testing
