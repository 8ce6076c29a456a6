// OldVekHeaderUpdate as a reader program calls it (natively and under Wine).
#include <gtest/gtest.h>

#include "caller_values.h"
#include "held_file.h"
#include "message_boxes.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

TestSnippet Snippet(std::string subject, std::vector<std::string> lines) {
  TestSnippet s;
  s.author = "Ann Coder";
  s.subject = std::move(subject);
  s.origin = "FidoNet QUIK_BAS";
  s.date = "1994-11-20";
  s.code = "QB45";
  s.extra = "X1";
  s.tag = "TAG-12345678";
  s.flag = '*';
  s.unused_index_bytes = "u5u5u";
  s.lines = std::move(lines);
  return s;
}

std::vector<TestSnippet> ThreeSnippets() {
  return {Snippet("Bubble sort", {"FOR I = 1 TO N", "NEXT I"}), Snippet("Word count", {"LINE INPUT #1, L$"}),
          Snippet("Trim spaces", {})};
}

class HeaderUpdateTest : public ::testing::Test {
 protected:
  void SetUp() override { WritePacket(folder_.path(), "TOOLS", BuildPacket(snippets_)); }

  // Updates the snippet of `entry`, shown as entry 2 of a list of the packet "TOOLS~Tools".
  std::vector<std::string> Update(const std::vector<std::string>& fields, const std::string& entry,
                                  const std::string& packet = "TOOLS~Tools") {
    StringArray new_fields(fields);
    StringArray packets({"OTHER", packet});
    list_ = std::vector<std::string>{"00009~x~y~z~TOOLS.VEK~1", entry, "last"};
    StringArray snippets(list_);
    Bstr folder(folder_.path());
    int32_t packet_no = 2;
    int32_t entry_no = 2;
    std::vector<std::string> boxes = CaptureMessageBoxTexts(
        [&] { OldVekHeaderUpdate(new_fields.get(), packets.get(), snippets.get(), folder.get(), &packet_no, &entry_no); });
    EXPECT_EQ(snippets.items(), list_) << "the caller's snippet list is never changed";
    return boxes;
  }

  PacketBytes Files() {
    return {ReadFileBytes(folder_.File("TOOLS.VEK")), ReadFileBytes(folder_.File("TOOLS.IDX"))};
  }
  void ExpectFiles(const std::vector<TestSnippet>& snippets) {
    const PacketBytes expected = BuildPacket(snippets);
    const PacketBytes actual = Files();
    EXPECT_EQ(actual.packet, expected.packet);
    EXPECT_EQ(actual.index, expected.index);
    EXPECT_FALSE(FileExists(folder_.File("TOOLS.$OK")));
  }

  TempFolder folder_;
  std::vector<TestSnippet> snippets_ = ThreeSnippets();
  std::vector<std::string> list_;
};

TEST_F(HeaderUpdateTest, ValuesAreCutToTheirFieldsPaddedAndStoredAsGiven) {
  const std::string long31 = "Subject of exactly thirty-one c" "haracters and more";
  const std::string long23 = "Date field of twenty-th" "ree and more";
  EXPECT_TRUE(Update({"", long31, "  spaced  ", long23, "lower~case"}, "00003~Trim spaces~Ann Coder~QB45~TOOLS.VEK~157")
                  .empty());
  snippets_[2].author = "";
  snippets_[2].subject = long31.substr(0, 31);
  snippets_[2].origin = "  spaced  ";
  snippets_[2].date = long23.substr(0, 23);
  snippets_[2].code = "lower~case";
  ExpectFiles(snippets_);  // the empty Author is 31 blanks
}

TEST_F(HeaderUpdateTest, ThePacketIsTheOneThePacketListNamesNotTheEntry) {
  WritePacket(folder_.path(), "ELSE", BuildPacket(ThreeSnippets()));
  Update({"A", "S", "O", "D", "C"}, "00002~Word count~Ann Coder~QB45~ELSE.VEK~79", "TOOLS   ~Tools");
  EXPECT_EQ(ReadFileBytes(folder_.File("ELSE.VEK")), BuildPacket(ThreeSnippets()).packet);
  EXPECT_EQ(Files().index.substr(78 + 16, 62), Fixed("S", 31) + Fixed("A", 31));
}

TEST_F(HeaderUpdateTest, APositionThatIsNoRecordChangesNothingAndSaysSo) {
  for (std::string position : {"0", "2", "78", "235", "100000"}) {
    const std::vector<std::string> boxes =
        Update({"A", "S", "O", "D", "C"}, "00002~Word count~Ann Coder~QB45~TOOLS.VEK~" + position);
    ASSERT_EQ(boxes.size(), 1u) << position;
    EXPECT_EQ(boxes[0], "OldVek: " + folder_.File("TOOLS.IDX") + " has no record at position " + position);
    ExpectFiles(ThreeSnippets());
  }
}

TEST_F(HeaderUpdateTest, AStartThatNamesNoWholeHeaderChangesNothingAndSaysSo) {
  const PacketBytes original = Files();
  const uint64_t packet_length = original.packet.size();
  for (uint64_t start : {uint64_t{0}, packet_length - 164 + 1, packet_length + 1, uint64_t{999999}}) {
    PacketBytes damaged = original;
    damaged.index.replace(78 + 1, 10, Fixed(std::to_string(start), 10));
    WritePacket(folder_.path(), "TOOLS", damaged);
    const std::vector<std::string> boxes = Update({"A", "S", "O", "D", "C"}, "00002~W~A~Q~TOOLS.VEK~79");
    ASSERT_EQ(boxes.size(), 1u) << start;
    EXPECT_EQ(boxes[0], "OldVek: " + folder_.File("TOOLS.VEK") + " has no snippet header at position " +
                            std::to_string(start) + " (index record at 79)");
    EXPECT_EQ(Files().packet, damaged.packet);
    EXPECT_EQ(Files().index, damaged.index);
  }
}

TEST_F(HeaderUpdateTest, APacketHeldByAnotherProgramIsLeftAloneWithAnErrorBox) {
  HeldFile held(folder_.File("TOOLS.VEK"));
  ASSERT_TRUE(held.held());
  const std::vector<std::string> boxes = Update({"A", "S", "O", "D", "C"}, "00001~B~A~Q~TOOLS.VEK~1");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find(folder_.File("TOOLS.VEK")), std::string::npos) << boxes[0];
  EXPECT_EQ(ReadFileBytes(folder_.File("TOOLS.IDX")), BuildPacket(ThreeSnippets()).index);
}

TEST_F(HeaderUpdateTest, NoPacketAtThePacketPositionSaysSo) {
  const std::vector<std::string> boxes = Update({"A", "S", "O", "D", "C"}, "00001~B~A~Q~TOOLS.VEK~1", "");
  EXPECT_EQ(boxes, std::vector<std::string>{"OldVek: There is no packet at position 2 of the packet list."});
  ExpectFiles(ThreeSnippets());
}

}  // namespace
}  // namespace oldvek::testing
