// OldIndex as a reader program calls it: one source, run against libOldVek.so and, under
// Wine, against OldVek.dll.
#include <gtest/gtest.h>

#include <filesystem>

#include "caller_values.h"
#include "message_boxes.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

struct Listing {
  std::vector<std::string> entries;
  int32_t count = -1;
  bool erased = false;
};

Listing List(std::string_view packet_entry, const std::string& folder) {
  Bstr packet(packet_entry);
  Bstr folder_text(folder);
  StringArray list({"stale"});
  Listing result;
  OldIndex(packet.get(), list.get(), &result.count, folder_text.get());
  result.erased = list.erased();
  if (!list.erased()) {
    EXPECT_EQ(list.lower(), 1);
    result.entries = list.items();
  }
  return result;
}

TestSnippet Snippet(std::string subject, std::string author, std::string code) {
  TestSnippet s;
  s.subject = std::move(subject);
  s.author = std::move(author);
  s.code = std::move(code);
  s.origin = "Usenet";
  s.date = "1997-03-02";
  s.lines = {"PRINT \"HI\""};
  return s;
}

TEST(OldIndexTest, ListsEverySnippetInIndexOrder) {
  TempFolder folder;
  WritePacket(folder.path(), "SORTS", BuildPacket({Snippet("Bubble sort", "A. Coder", "QB45"),
                                                   Snippet("Shell sort", "B. Coder", "PDS71")}));
  const Listing listing = List("SORTS~Sorting routines", folder.path());
  EXPECT_EQ(listing.count, 2);
  EXPECT_EQ(listing.entries, (std::vector<std::string>{"00001~Bubble sort~A. Coder~QB45~SORTS.VEK~1",
                                                        "00002~Shell sort~B. Coder~PDS71~SORTS.VEK~79"}));
}

// The name is the text before the tilde without its trailing blanks; leading blanks are kept.
TEST(OldIndexTest, PacketNameIsTextBeforeTildeWithTrailingBlanksRemoved) {
  TempFolder folder;
  WritePacket(folder.path(), "STR", BuildPacket({Snippet("Trim", "C", "QB")}));
  WritePacket(folder.path(), " STR", BuildPacket({Snippet("Lead", "D", "QB")}));
  for (std::string_view name : {"STR", "STR~strings", "STR   ~strings", "STR   ", " STR"}) {
    const Listing listing = List(name, folder.path());
    ASSERT_EQ(listing.count, 1) << name;
    EXPECT_EQ(listing.entries[0], name[0] == ' ' ? "00001~Lead~D~QB~ STR.VEK~1" : "00001~Trim~C~QB~STR.VEK~1");
  }
}

TEST(OldIndexTest, FieldsComeFromTheHeaderNotTheIndexCopies) {
  TempFolder folder;
  TestSnippet s = Snippet("Header subject", "Header author", "QB");
  PacketBytes bytes = BuildPacket({s});
  bytes.index.replace(16, 31, Fixed("Index subject", 31));
  WritePacket(folder.path(), "COPY", bytes);
  EXPECT_EQ(List("COPY", folder.path()).entries[0], "00001~Header subject~Header author~QB~COPY.VEK~1");
}

TEST(OldIndexTest, MissingPacketIsCreatedEmptyAndListsNothing) {
  TempFolder folder;
  const Listing listing = List("NEW~fresh", folder.path());
  EXPECT_EQ(listing.count, 0);
  EXPECT_TRUE(listing.erased);
  EXPECT_TRUE(FileExists(folder.File("NEW.IDX")));
  EXPECT_TRUE(FileExists(folder.File("NEW.VEK")));
  EXPECT_EQ(ReadFileBytes(folder.File("NEW.IDX")), "");
}

TEST(OldIndexTest, APacketThatCannotBeReadListsNothingAndIsShown) {
  TempFolder folder;
  for (const std::string& name : {std::string("../ESCAPE"), std::string("")}) {
    Listing listing;
    const std::vector<std::string> boxes = CaptureMessageBoxTexts([&] { listing = List(name, folder.path()); });
    EXPECT_EQ(listing.count, 0);
    EXPECT_TRUE(listing.erased);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("is not a file in the archive folder"), std::string::npos) << boxes[0];
  }
  Listing listing;
  const std::vector<std::string> boxes =
      CaptureMessageBoxTexts([&] { listing = List("GONE", folder.File("no-such-folder/")); });
  EXPECT_EQ(listing.count, 0);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << "nothing is written anywhere";
}

TEST(OldIndexTest, StartBeyondTheEndGivesZeroBytesThatAreNotTrimmed) {
  TempFolder folder;
  TestSnippet s = Snippet("Lost", "F", "QB");
  std::string index = IndexRecordBytes(s, 5000);
  WriteFileBytes(folder.File("LOST.IDX"), index);
  WriteFileBytes(folder.File("LOST.VEK"), "");
  const std::string zeros31(31, '\0');
  EXPECT_EQ(List("LOST", folder.path()).entries[0],
            "00001~" + zeros31 + "~" + zeros31 + "~" + std::string(23, '\0') + "~LOST.VEK~1");
}

}  // namespace
}  // namespace oldvek::testing
