// OldGetCode as a reader program calls it: one source, run against libOldVek.so and, under
// Wine, against OldVek.dll.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "caller_values.h"
#include "message_boxes.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "sample_snippet.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

using Lines = std::vector<std::string>;

// What the caller holds after a call. Before it, the array holds {"stale", "old"} from 0, the
// Tag "old tag", the count -1 and every byte of the record 0xA5.
struct Fetched {
  int32_t count = -1;
  bool erased = false;
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
  result.erased = lines.erased();
  if (!lines.erased()) {
    result.lower = lines.lower();
    result.lines = lines.items();
  }
  result.tag = tag.str();
  return result;
}

std::string RecordBytes(const SnippetRecord& record) {
  return std::string(reinterpret_cast<const char*>(&record), sizeof(record));
}

TestSnippet Snippet(Lines lines) { return SampleSnippet("Quick sort", std::move(lines)); }

// The packet name ends at the first space of the caller's argument.
TEST(OldGetCodeTest, ThreeLinesWithFullWidthSummaryAndTheRecordFilled) {
  TempFolder folder;
  WritePacket(folder.path(), "SORTS",
              BuildPacket({Snippet({"DEFINT A-Z", "SUB QSort (a(), lo, hi)", "END SUB"}), Snippet({"REM next"})}));
  const Fetched fetched = Fetch("SORTS some description~x", folder.path(), 1);
  EXPECT_EQ(fetched.count, 5);
  EXPECT_EQ(fetched.lower, 1);
  EXPECT_EQ(fetched.lines, (Lines{Fixed("Ann Author", 31) + "~" + Fixed("Quick sort", 31) + "~" + Fixed("Fidonet", 31),
                                  Fixed("1994-11-05", 23) + "~" + Fixed("QB45", 23) + "~" + Fixed("E5", 5),
                                  "DEFINT A-Z", "SUB QSort (a(), lo, hi)", "END SUB"}));
  EXPECT_EQ(fetched.tag, "SORTING");

  // Author, Subject, Origin, Date, Code and Kind are written; every other byte stays.
  std::string expected(sizeof(SnippetRecord), static_cast<char>(kUntouched));
  expected.replace(1, 139, Fixed("Ann Author", 31) + Fixed("Quick sort", 31) + Fixed("Fidonet", 31) +
                               Fixed("1994-11-05", 23) + Fixed("QB45", 23));
  expected[180] = 1;
  EXPECT_EQ(RecordBytes(fetched.record), expected);
}

TEST(OldGetCodeTest, TheAttachmentMarkerCountsOnTheFirst48CodeLinesOnly) {
  TempFolder folder;
  Lines on48(47, "' filler");
  on48.push_back("'>>> created by zorvit!");
  Lines on49(48, "' filler");
  on49.push_back("'>>> Created by ZORVIT!");
  WritePacket(folder.path(), "ZV",
              BuildPacket({Snippet(on48), Snippet(on49), Snippet({"x = 1: REM cReAtEd By ZoRvIt here"})}));
  EXPECT_EQ(Fetch("ZV", folder.path(), 1).record.Kind, 2);
  const Fetched late = Fetch("ZV", folder.path(), 79);
  EXPECT_EQ(late.record.Kind, 1);
  EXPECT_EQ(late.count, 51);
  EXPECT_EQ(Fetch("ZV", folder.path(), 157).record.Kind, 2);
}

TEST(OldGetCodeTest, AnyPositionButARecordStartChangesNothing) {
  TempFolder folder;
  PacketBytes bytes = BuildPacket({Snippet({"ONE"}), Snippet({"TWO"})});
  bytes.index += "1         ";  // a partial third record starting at 157
  WritePacket(folder.path(), "REF", bytes);
  for (int32_t position : {0, -1, -79, 2, 78, 80, 156, 157, 158, 235, 0x7FFFFFFF, static_cast<int32_t>(0x80000001)}) {
    const Fetched fetched = Fetch("REF", folder.path(), position);
    EXPECT_EQ(fetched.count, 0) << position;
    EXPECT_EQ(fetched.lower, 0) << position;
    EXPECT_EQ(fetched.lines, (Lines{"stale", "old"})) << position;
    EXPECT_EQ(fetched.tag, "old tag") << position;
    EXPECT_EQ(RecordBytes(fetched.record), std::string(sizeof(SnippetRecord), static_cast<char>(kUntouched)))
        << position;
    EXPECT_EQ(ReadFileBytes(folder.File("REF.IDX")), bytes.index) << position;
    EXPECT_EQ(ReadFileBytes(folder.File("REF.VEK")), bytes.packet) << position;
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
  const std::vector<std::string> boxes = CaptureMessageBoxTexts([&] { fetched = Fetch("HUGE", folder, 1); });
  const bool clean = boxes.size() == 1 && boxes[0].find("not enough memory") != std::string::npos &&
                     fetched.count == 0 && fetched.lines == Lines{"stale", "old"};
  return clean ? 0 : 1;
}

TEST(OldGetCodeDeathTest, RunningOutOfMemoryIsAFailureNotAnEndOfTheCaller) {
  TempFolder folder;
  WritePacket(folder.path(), "HUGE", BuildPacket({Snippet({})}));
  ASSERT_EQ(truncate(folder.File("HUGE.VEK").c_str(), 300 << 20), 0);  // 300 MB of zero bytes, no terminator
  EXPECT_EXIT(_exit(FetchWithLittleMemory(folder.path())), ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace oldvek::testing
