// OldVekSearch as a reader program calls it, with real callbacks: one source, run against
// libOldVek.so and, under Wine, against OldVek.dll with a real progress dialog.
#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <utility>

#include "caller_values.h"
#include "library_criteria.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "progress_dialog.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

using Strings = std::vector<std::string>;

// Bits of the criterion byte.
constexpr uint8_t kPacketBit = 1 << 0;
constexpr uint8_t kAuthorBit = 1 << 1;
constexpr uint8_t kCodeTextBit = 1 << 5;

// What the criteria callback found when the library lent it a snippet.
struct Lent {
  SearchCriteria* criteria = nullptr;
  std::string packet_entry;
  int32_t record_position = 0;
  uint8_t bits = 0xEE;
  LONG lines_lower = 0;
  Strings lines;
  SnippetRecord snippet{};
};

struct Outcome {
  int32_t count = -1;
  long results_lower = 0;
  Strings results;
  ProgressDialog::Record progress;
  SearchState state{};
  SnippetRecord snippet{};
};

// Hands the library a new lines array, as a criteria callback that fetches the snippet does.
void ReplaceLines(SAFEARRAY** lines, const Strings& items, long lower = 1) {
  if (*lines != nullptr) SafeArrayDestroy(*lines);
  *lines = StringArray(items, lower).Release();
}

void SetText(char* field, size_t width, std::string_view text) { std::memcpy(field, Fixed(text, width).data(), width); }

// The reader program: its two callbacks and its calls of the search.
class Reader {
 public:
  Reader() { current_ = this; }
  ~Reader() { current_ = nullptr; }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  // What the criteria callback does after noting what it was lent.
  std::function<void(SearchCriteria&, SnippetRecord&, uint8_t&, SAFEARRAY**)> on_snippet;
  std::vector<Lent> lent;
  // The (text, term) pairs the match callback was given.
  std::vector<std::pair<std::string, std::string>> tests;
  // Messages queued for the progress dialog, and what happens to it before the search starts.
  int queued = ProgressDialog::kQueued;
  std::function<void(HWND dialog)> before_search;

  // The state's bytes are all 'S' and the snippet's 0x77 before the call; the results are
  // erased unless given.
  Outcome Search(int32_t mode, int32_t first, int32_t last, const Strings& packets, const std::string& folder,
                 std::string_view packet_choice = "ALL", std::optional<Strings> results_before = std::nullopt,
                 long results_lower = 1) {
    StringArray packet_list(packets);
    Bstr folder_text(folder);
    StringArray results = results_before ? StringArray(*results_before, results_lower) : StringArray();
    Outcome outcome;
    std::memset(&outcome.state, 'S', sizeof outcome.state);
    SetText(outcome.state.PacketChoice, sizeof outcome.state.PacketChoice, packet_choice);
    outcome.state.MatchCount = -1;
    std::memset(&outcome.snippet, 0x77, sizeof outcome.snippet);
    CriteriaCallback criteria = &Reader::Criteria;
    MatchCallback match = &Reader::Match;
    {
      ProgressDialog dialog(queued);
      if (before_search) before_search(dialog.handle());
      OldVekSearch(dialog.handle(), ProgressDialog::kControl, mode, first, last, packet_list.get(), folder_text.get(),
                   &outcome.snippet, &criteria, &match, results.get(), &outcome.state);
      outcome.progress = dialog.record();
    }
    outcome.count = outcome.state.MatchCount;
    if (!results.erased()) {
      outcome.results_lower = results.lower();
      outcome.results = results.items();
    }
    return outcome;
  }

 private:
  static int32_t VEKAPI Criteria(SearchCriteria* criteria, SnippetRecord* snippet, uint8_t* bits, BSTR* packet_entry,
                                 SAFEARRAY** lines, int32_t* record_position) {
    Lent seen{criteria, BstrBytes(*packet_entry), *record_position, *bits, 0, ArrayItems(*lines), *snippet};
    if (*lines != nullptr) SafeArrayGetLBound(*lines, 1, &seen.lines_lower);
    current_->lent.push_back(seen);
    // A string of its own in place of the packet entry, which the library must not read back.
    SysFreeString(*packet_entry);
    *packet_entry = SysAllocStringByteLen("the reader's own", 16);
    if (current_->on_snippet) current_->on_snippet(*criteria, *snippet, *bits, lines);
    return 12345;  // not used by the library
  }

  // A term matches when its text before the trailing blanks occurs in the text.
  static int32_t VEKAPI Match(BSTR* text, BSTR* term) {
    const std::string haystack = BstrBytes(*text);
    const std::string needle = BstrBytes(*term);
    current_->tests.emplace_back(haystack, needle);
    const std::string wanted = needle.substr(0, needle.find_last_not_of(' ') + 1);
    return !wanted.empty() && haystack.find(wanted) != std::string::npos ? -1 : 0;
  }

  static Reader* current_;
};

Reader* Reader::current_ = nullptr;

const std::string kBubble = "00001~Bubble sort~Ann Author~QB45~SORTS.VEK~1";
const std::string kShell = "00002~Shell sort~Bob Basic~QB45~SORTS.VEK~79";
const std::string kWrite = "00002~Write a file~Ann Author~QB45~FILES.VEK~79";
const std::string kAppend = "00003~Append~Dee Dim~QB45~FILES.VEK~157";
const TestSnippet kRead = SampleSnippet("Read a file", {"OPEN F$ FOR INPUT AS #1", "CLOSE #1"}, "Cy Coder");
const TestSnippet kAppendSnippet = SampleSnippet("Append", {"OPEN F$ FOR APPEND AS #1"}, "Dee Dim");

class OldVekSearchTest : public ::testing::Test {
 protected:
  OldVekSearchTest() {
    WritePacket(folder_.path(), "SORTS",
                BuildPacket({SampleSnippet("Bubble sort"), SampleSnippet("Shell sort", {"PRINT 1"}, "Bob Basic")}));
    WritePacket(folder_.path(), "FILES",
                BuildPacket({kRead, SampleSnippet("Write a file", {"OPEN F$ FOR OUTPUT AS #1"}), kAppendSnippet}));
  }

  KeepLibraryCriteria keep_criteria_;  // the switches a test's callback sets stay out of the others
  TempFolder folder_;
  Strings packets_ = {"SORTS~Sorting", "FILES   ~File handling"};
  Reader reader_;
};

// Indices outside the packet list name no packet.
TEST_F(OldVekSearchTest, ModeOneWithNoBitsListsEverySnippetOfThePacketsInRange) {
  const Outcome outcome = reader_.Search(1, -5, 9, packets_, folder_.path(), "BASICS");
  EXPECT_EQ(outcome.count, 5);
  EXPECT_EQ(outcome.results_lower, 1);
  const std::string read = "00001~Read a file~Cy Coder~QB45~FILES.VEK~1";
  EXPECT_EQ(outcome.results, (Strings{kBubble, kShell, read, kWrite, kAppend}));
  EXPECT_EQ(outcome.progress.texts, (Strings{"SEARCHING:\r\nSORTS.VEK", "SEARCHING:\r\nFILES.VEK"}));
  EXPECT_EQ(outcome.progress.messages_taken, 2);
  EXPECT_TRUE(outcome.progress.ended);
  EXPECT_FALSE(FileExists(folder_.File(".IDX")) || FileExists(folder_.File(".VEK")));

  // Of the caller's records the search writes only the header fields (of the last snippet
  // searched) and the match count.
  std::string snippet(sizeof(SnippetRecord), '\x77');
  EXPECT_EQ(RecordBytes(outcome.snippet), snippet.replace(1, 139, HeaderFieldBytes(kAppendSnippet)));
  const std::string state = std::string(144, 'S') + Fixed("BASICS", 32) + std::string(288, 'S');
  EXPECT_EQ(RecordBytes(outcome.state).substr(0, 464), state);
}

// The callback replaces the lines (bounds 1 or 0, or numbers in the next list's shape), writes
// into them in place and puts its own packet entry: none of it reaches the next snippet, which
// gets 1 to the snippet count, empty. Nothing matches, and the caller's results stay as they were.
TEST_F(OldVekSearchTest, CriteriaCallbackIsLentEachSnippetAfresh) {
  reader_.on_snippet = [this](SearchCriteria&, SnippetRecord&, uint8_t& bits, SAFEARRAY** lines) {
    bits = 0x3F;
    const size_t call = reader_.lent.size() % 4;
    if (call == 3) {
      SafeArrayDestroy(*lines);
      *lines = IntegerArray({7, 9, 11}, 1).Release();
      return;
    }
    if (call != 2) return ReplaceLines(lines, {"Summary", "More", "CODE"}, call);
    Bstr text("left over");
    LONG at = 1;
    SafeArrayPutElement(*lines, &at, *text.get());
  };
  const Outcome outcome = reader_.Search(2, 1, 2, packets_, folder_.path(), "ALL", {{"kept 0", "kept 1"}}, 0);
  ASSERT_EQ(reader_.lent.size(), 5u);
  const int32_t positions[] = {1, 79, 1, 79, 157};
  for (size_t i = 0; i < 5; ++i) {
    const Lent& lent = reader_.lent[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(lent.criteria, reader_.lent[0].criteria);
    EXPECT_EQ(lent.packet_entry, packets_[i < 2 ? 0 : 1]);
    EXPECT_EQ(lent.record_position, positions[i]);
    EXPECT_EQ(lent.bits, 0);
    EXPECT_EQ(lent.lines_lower, 1);
    EXPECT_EQ(lent.lines, Strings(i < 2 ? 2 : 3, ""));  // the packet's snippet count, not its line count
  }
  EXPECT_EQ(RecordBytes(reader_.lent[2].snippet).substr(1, 139), HeaderFieldBytes(kRead));
  EXPECT_EQ(outcome.count, 0);  // mode 2 with every word 0
  EXPECT_EQ(outcome.results_lower, 0);
  EXPECT_EQ(outcome.results, (Strings{"kept 0", "kept 1"}));
}

// The match callback is given the fields and code lines (from element 3 on) as the criteria
// callback left them, and the terms at full width; the results then hold exactly the matches.
TEST_F(OldVekSearchTest, ModeThreeTestsWhatTheCriteriaCallbackLeft) {
  const std::string open = "OPEN F$ FOR APPEND AS #1";
  reader_.on_snippet = [&](SearchCriteria& criteria, SnippetRecord& snippet, uint8_t& bits, SAFEARRAY** lines) {
    criteria.PacketSwitch = criteria.AuthorSwitch = criteria.CodeTextSwitch = 1;
    SetText(criteria.AuthorTerm, 32, "Ann");
    SetText(criteria.CodeTextTerm, 256, "APPEND");
    const bool shell = snippet.Author[0] == 'B';
    if (shell) SetText(snippet.Author, 31, "Ann Other");
    ReplaceLines(lines, {"APPEND in the summary", "APPEND again", shell ? open : "PRINT"});
    bits = kPacketBit | kAuthorBit | kCodeTextBit;
  };
  const Outcome outcome =
      reader_.Search(3, 1, 2, packets_, folder_.path(), "ALL", {{"stale 1", "stale 2", "stale 3", "stale 4"}});
  EXPECT_EQ(outcome.count, 1);
  EXPECT_EQ(outcome.results_lower, 1);
  EXPECT_EQ(outcome.results, Strings{kShell});
  const auto author = [](std::string_view name) { return std::pair(Fixed(name, 31), Fixed("Ann", 32)); };
  const auto code = [](const std::string& line) { return std::pair(line, Fixed("APPEND", 256)); };
  const decltype(reader_.tests) tested = {author("Ann Author"), code("PRINT"),      author("Ann Other"),
                                          code(open),           author("Cy Coder"), author("Ann Author"),
                                          code("PRINT"),        author("Dee Dim")};
  EXPECT_EQ(reader_.tests, tested);
  // One record for the process: what the reader wrote stays for the next search, but the
  // Author switch, which the search clears.
  const SearchCriteria& kept = *reader_.lent.front().criteria;
  EXPECT_EQ((std::vector{kept.PacketSwitch, kept.AuthorSwitch, kept.CodeTextSwitch}), (std::vector{1, 0, 1}));
  EXPECT_EQ(std::string(kept.AuthorTerm, 32), Fixed("Ann", 32));
}

#ifdef _WIN32
// The user presses Escape while the search runs: the search's message passes hand it to the
// real dialog's own keyboard handling, which turns it into IDCANCEL.
TEST_F(OldVekSearchTest, TheUsersKeysReachTheDialogWhileTheSearchRuns) {
  reader_.queued = 0;
  reader_.before_search = [](HWND dialog) {
    PostMessageA(GetDlgItem(dialog, ProgressDialog::kControl), WM_KEYDOWN, VK_ESCAPE, 0);
  };
  const Outcome outcome = reader_.Search(1, 1, 2, packets_, folder_.path());
  EXPECT_EQ(outcome.count, 5);
  EXPECT_EQ(outcome.progress.cancels, 1);
  EXPECT_TRUE(outcome.progress.ended);
}
#else
// On Windows this box would wait for a click; the core's tests cover the same path there.
TEST_F(OldVekSearchTest, PacketThatCannotBeReadIsLeftOutAndTheUserTold) {
  std::filesystem::create_directory(folder_.File("LOCKED.IDX"));
  const Outcome outcome = reader_.Search(1, 1, 3, {"SORTS", "LOCKED", "FILES"}, folder_.path());
  EXPECT_EQ(outcome.count, 5);
  EXPECT_TRUE(outcome.progress.ended);
  ASSERT_EQ(outcome.progress.boxes.size(), 1u);
  EXPECT_EQ(outcome.progress.boxes[0].rfind("OldVek: The search left out a packet that could not be read", 0), 0u)
      << outcome.progress.boxes[0];
}
#endif

}  // namespace
}  // namespace oldvek::testing
