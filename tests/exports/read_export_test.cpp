// OldIndex and OldGetCode as a reader program calls them: one source, run against
// libOldVek.so and, under Wine, against OldVek.dll.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#if !defined(_WIN32)
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "caller_values.h"
#include "message_boxes.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

using Lines = std::vector<std::string>;

struct Listing {
  Lines entries;
  int32_t count = -1;
  bool erased = false;
  Lines boxes;
};

Listing List(std::string_view packet_entry, const std::string& folder) {
  Bstr packet(packet_entry);
  Bstr folder_text(folder);
  StringArray list({"stale"});
  Listing result;
  result.boxes = CaptureMessageBoxTexts([&] { OldIndex(packet.get(), list.get(), &result.count, folder_text.get()); });
  result.erased = list.erased();
  if (!list.erased()) {
    EXPECT_EQ(list.lower(), 1);
    result.entries = list.items();
  }
  return result;
}

// What the caller holds after a fetch. Before it, the array holds {"stale", "old"} from 0, the
// Tag "old tag", the count -1 and every byte of the record 0xA5.
struct Fetched {
  int32_t count = -1;
  long lower = 0;
  Lines lines;
  std::string tag;
  SnippetRecord record;
};

constexpr uint8_t kUntouched = 0xA5;

Fetched Fetch(std::string_view packet_name, const std::string& folder, int32_t position) {
  Bstr packet(packet_name);
  Bstr folder_text(folder);
  StringArray lines({"stale", "old"}, 0);
  Bstr tag("old tag");
  int32_t reserved = 7;
  Fetched result;
  std::memset(&result.record, kUntouched, sizeof(result.record));
  OldGetCode(packet.get(), folder_text.get(), lines.get(), &reserved, tag.get(), &result.count, &position,
             &result.record);
  if (!lines.erased()) {
    result.lower = lines.lower();
    result.lines = lines.items();
  }
  result.tag = tag.str();
  return result;
}

// SORTS: a quick sort in three lines, marked as an attachment, then B. Coder's shell sort
// without code lines. The index's copy of the first Subject differs from the header's, and a
// partial third record follows.
class ReadExportTest : public ::testing::Test {
 protected:
  ReadExportTest() {
    TestSnippet shell = SampleSnippet("Shell sort", {}, "B. Coder");
    shell.code = "PDS71";
    const Lines quick = {"DEFINT A-Z", "SUB QSort (a(), lo, hi)", "END SUB ' created by ZORVIT"};
    bytes_ = BuildPacket({SampleSnippet("Quick sort", quick), shell});
    bytes_.index.replace(16, 31, Fixed("Index subject", 31));
    bytes_.index += "157       ";
    WritePacket(folder_.path(), "SORTS", bytes_);
  }

  TempFolder folder_;
  PacketBytes bytes_;
};

// The fields come from the headers; the packet is named by the text before the tilde, without
// its trailing blanks.
TEST_F(ReadExportTest, AListingShowsEveryWholeRecordInIndexOrder) {
  for (std::string_view name : {"SORTS", "SORTS   ~Sorting routines"}) {
    const Listing listing = List(name, folder_.path());
    EXPECT_EQ(listing.count, 2);
    EXPECT_EQ(listing.entries,
              (Lines{"00001~Quick sort~Ann Author~QB45~SORTS.VEK~1", "00002~Shell sort~B. Coder~PDS71~SORTS.VEK~79"}));
  }
}

// A missing packet is created empty; one that cannot be read is shown, and nothing is written
// anywhere for it.
TEST_F(ReadExportTest, APacketWithNoSnippetsToListErasesTheList) {
  TempFolder empty;
  const std::string not_a_file = "is not a file in the archive folder";
  for (const auto& [name, in, shown] : {std::tuple{"NEW~fresh", "", std::string()},
                                        {"../ESCAPE", "", not_a_file},
                                        {"", "", not_a_file},
                                        {"GONE", "no-such-folder/", "no-such-folder/GONE."}}) {
    const Listing listing = List(name, empty.path() + in);
    EXPECT_EQ(listing.count, 0);
    EXPECT_TRUE(listing.erased);
    ASSERT_EQ(listing.boxes.size(), shown.empty() ? 0u : 1u) << name;
    if (!shown.empty()) {
      EXPECT_NE(listing.boxes[0].find(shown), std::string::npos) << listing.boxes[0];
    }
  }
  EXPECT_EQ(ReadFileBytes(empty.File("NEW.IDX")), "");
  EXPECT_EQ(ReadFileBytes(empty.File("NEW.VEK")), "");
  EXPECT_EQ(empty.Files(), (std::set<std::string>{"NEW.IDX", "NEW.VEK"}));  // no lock file: nothing was edited
}

// The packet name ends at the first space of the caller's argument.
TEST_F(ReadExportTest, AFetchGivesFullWidthSummaryLinesThenTheCodeAndFillsTheRecord) {
  const Fetched fetched = Fetch("SORTS some description~x", folder_.path(), 1);
  EXPECT_EQ(fetched.count, 5);
  EXPECT_EQ(fetched.lower, 1);
  EXPECT_EQ(fetched.lines, (Lines{Fixed("Ann Author", 31) + "~" + Fixed("Quick sort", 31) + "~" + Fixed("Fidonet", 31),
                                  Fixed("1994-11-05", 23) + "~" + Fixed("QB45", 23) + "~" + Fixed("E5", 5),
                                  "DEFINT A-Z", "SUB QSort (a(), lo, hi)", "END SUB ' created by ZORVIT"}));
  EXPECT_EQ(fetched.tag, "SORTING");

  // Author, Subject, Origin, Date, Code and Kind (an attachment) are written; every other
  // byte stays.
  std::string expected(sizeof(SnippetRecord), static_cast<char>(kUntouched));
  expected.replace(1, 139, HeaderFieldBytes(SampleSnippet("Quick sort")));
  expected[180] = 2;
  EXPECT_EQ(RecordBytes(fetched.record), expected);
  // Without code lines the second summary line is the last element.
  EXPECT_EQ(Fetch("SORTS", folder_.path(), 79).count, 2);
}

TEST_F(ReadExportTest, AFetchAtAnyPositionButARecordStartChangesNothing) {
  for (int32_t position : {0, -1, -79, 2, 78, 80, 156, 157, 158, 235, 0x7FFFFFFF, static_cast<int32_t>(0x80000001)}) {
    const Fetched fetched = Fetch("SORTS", folder_.path(), position);
    SCOPED_TRACE(position);
    EXPECT_EQ(fetched.count, 0);
    EXPECT_EQ(fetched.lower, 0);
    EXPECT_EQ(fetched.lines, (Lines{"stale", "old"}));
    EXPECT_EQ(fetched.tag, "old tag");
    EXPECT_EQ(RecordBytes(fetched.record), std::string(sizeof(SnippetRecord), static_cast<char>(kUntouched)));
    EXPECT_EQ(ReadFileBytes(folder_.File("SORTS.IDX")), bytes_.index);
    EXPECT_EQ(ReadFileBytes(folder_.File("SORTS.VEK")), bytes_.packet);
  }
}

#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
// A line that never ends is held whole; when memory runs out for it, the failure is the
// export's, shown in a box, and the caller goes on with its array as it was. Fetches with at
// most 200 MB of address space: 0 when the fetch failed cleanly.
int FetchWithLittleMemory(const std::string& folder) {
  const rlimit limit{200 << 20, 200 << 20};
  setrlimit(RLIMIT_AS, &limit);
  Fetched fetched;
  const Lines boxes = CaptureMessageBoxTexts([&] { fetched = Fetch("HUGE", folder, 1); });
  const bool clean = boxes.size() == 1 && boxes[0].find("not enough memory") != std::string::npos &&
                     fetched.count == 0 && fetched.lines == Lines{"stale", "old"};
  return clean ? 0 : 1;
}

TEST(OldGetCodeDeathTest, RunningOutOfMemoryIsAFailureNotAnEndOfTheCaller) {
  TempFolder folder;
  WritePacket(folder.path(), "HUGE", BuildPacket({SampleSnippet("Huge", {})}));
  ASSERT_EQ(truncate(folder.File("HUGE.VEK").c_str(), 300 << 20), 0);  // 300 MB of zero bytes, no terminator
  EXPECT_EXIT(_exit(FetchWithLittleMemory(folder.path())), ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace oldvek::testing
