// OldIndex as a reader program calls it: one source, run against libOldVek.so and, under
// Wine, against OldVek.dll.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "caller_values.h"
#include "message_boxes.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "sample_snippet.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

struct Listing {
  std::vector<std::string> entries;
  int32_t count = -1;
  bool erased = false;
  std::vector<std::string> boxes;
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

// The fields come from the headers, not from the index's copies; the packet is named by the
// text before the tilde, without its trailing blanks.
TEST(OldIndexTest, ListsEverySnippetInIndexOrder) {
  TempFolder folder;
  TestSnippet shell = SampleSnippet("Shell sort", {"PRINT 1"}, "B. Coder");
  shell.code = "PDS71";
  PacketBytes bytes = BuildPacket({SampleSnippet("Bubble sort"), shell});
  bytes.index.replace(16, 31, Fixed("Index subject", 31));
  WritePacket(folder.path(), "SORTS", bytes);
  for (std::string_view name : {"SORTS", "SORTS   ~Sorting routines"}) {
    const Listing listing = List(name, folder.path());
    EXPECT_EQ(listing.count, 2);
    EXPECT_EQ(listing.entries, (std::vector<std::string>{"00001~Bubble sort~Ann Author~QB45~SORTS.VEK~1",
                                                          "00002~Shell sort~B. Coder~PDS71~SORTS.VEK~79"}));
  }
}

TEST(OldIndexTest, MissingPacketIsCreatedEmptyAndListsNothing) {
  TempFolder folder;
  const Listing listing = List("NEW~fresh", folder.path());
  EXPECT_EQ(listing.count, 0);
  EXPECT_TRUE(listing.erased);
  EXPECT_TRUE(listing.boxes.empty());
  EXPECT_EQ(ReadFileBytes(folder.File("NEW.IDX")), "");
  EXPECT_TRUE(FileExists(folder.File("NEW.VEK")));
}

TEST(OldIndexTest, APacketThatCannotBeReadListsNothingAndIsShown) {
  TempFolder folder;
  const std::string not_a_file = "is not a file in the archive folder";
  for (const auto& [name, in, shown] : {std::tuple{"../ESCAPE", "", not_a_file}, {"", "", not_a_file},
                                        {"GONE", "no-such-folder/", "GONE.IDX"}}) {
    const Listing listing = List(name, folder.path() + in);
    EXPECT_EQ(listing.count, 0);
    EXPECT_TRUE(listing.erased);
    ASSERT_EQ(listing.boxes.size(), 1u) << name;
    EXPECT_NE(listing.boxes[0].find(shown), std::string::npos) << listing.boxes[0];
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << "nothing is written anywhere";
}

TEST(OldIndexTest, StartBeyondTheEndGivesZeroBytesThatAreNotTrimmed) {
  TempFolder folder;
  WriteFileBytes(folder.File("LOST.IDX"), IndexRecordBytes(SampleSnippet("Lost"), 5000));
  WriteFileBytes(folder.File("LOST.VEK"), "");
  const std::string zeros31(31, '\0');
  EXPECT_EQ(List("LOST", folder.path()).entries[0],
            "00001~" + zeros31 + "~" + zeros31 + "~" + std::string(23, '\0') + "~LOST.VEK~1");
}

}  // namespace
}  // namespace oldvek::testing
