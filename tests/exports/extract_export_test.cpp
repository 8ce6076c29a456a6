// OldExtractCode as a reader program calls it: one source, run against libOldVek.so and, under
// Wine, against OldVek.dll. Every call must show exactly one OK box, with no owner and the
// library's caption.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "caller_values.h"
#include "message_boxes.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

using Lines = std::vector<std::string>;

// Calls the export and returns the text of the one message box it showed.
std::string Extract(std::string_view entry, const std::string& folder, const std::string& out_file, int32_t mode) {
  Bstr entry_text(entry);
  Bstr folder_text(folder);
  Bstr out_text(out_file);
  int32_t mode_value = mode;
  const std::vector<ShownMessageBox> boxes =
      CaptureMessageBoxes([&] { OldExtractCode(entry_text.get(), folder_text.get(), out_text.get(), &mode_value); });
  // The caller's arguments are only read.
  EXPECT_EQ(entry_text.str(), entry);
  EXPECT_EQ(folder_text.str(), folder);
  EXPECT_EQ(out_text.str(), out_file);
  EXPECT_EQ(mode_value, mode);
  EXPECT_EQ(boxes.size(), 1u) << "message boxes shown";
  if (boxes.empty()) return {};
  EXPECT_EQ(boxes[0].caption, "OldVek");
  EXPECT_TRUE(boxes[0].ok_only);
  EXPECT_FALSE(boxes[0].owned);
  return boxes[0].text;
}

TestSnippet Snippet(Lines lines) { return SampleSnippet("Three letters", std::move(lines)); }

// The page of "xyz": prefix 13 and low digits 34, 35, 36, written 2GHI; S = 118.
const std::string kBegin = "'>>> Page 1 of 1 of XYZ.TXT begins here. TYPE:BINAA TLEN:3";
const std::string kBanner = "'>>> Created by ZORVIT!";
const std::string kXyz = "U\"2GHI";
const std::string kEnd = "'>>> Page 1 of XYZ.TXT ends here. Last page. TCHK:118";

// The comment block text mode writes for a snippet made by Snippet() in `packet_file`.
std::string CommentBlock(std::string_view packet_file) {
  const std::string rule = "'" + std::string(79, '=') + "\r\n";
  return rule + "'Author: " + Fixed("Ann Author", 31) + "Date: " + Fixed("1994-11-05", 23) + "\r\n" +
         "'SubJect: " + Fixed("Three letters", 31) + "Code: " + Fixed("QB45", 23) + "\r\n" +
         "'Origin: " + Fixed("Fidonet", 31) + "Packet: " + std::string(packet_file) + "\r\n" + rule;
}

// A closing quote decodes into a failed checksum: the user is told, and what was decoded stays.
TEST(OldExtractCodeTest, TheXyzPageComesOutAsItsThreeBytes) {
  for (const bool damaged : {false, true}) {
    TempFolder folder;
    const Lines page = {kBegin, kBanner, "DEFINT A-Z", damaged ? kXyz + "\"" : kXyz, "IF S = 118 AND B = 3 THEN", kEnd};
    const PacketBytes bytes = BuildPacket({Snippet(page), Snippet({"PRINT \"NEXT\""})});
    WritePacket(folder.path(), "XYZ", bytes);
    const std::string out = folder.File("XYZ.TXT");
    WriteFileBytes(out, "an older, longer file");
    EXPECT_EQ(Extract(ListEntry(1, "Three letters", "XYZ.VEK"), folder.path(), out, 1),
              damaged ? "Error Extracting " + out + " Zorvit" : out + " Zorvit extracted OK");
    EXPECT_EQ(ReadFileBytes(out), damaged ? "xyz\xFB" : "xyz");  // the quote's value -5, low 8 bits
    // The Flag becomes a space; nothing else in either file changes.
    std::string flagged = bytes.index;
    flagged[0] = ' ';
    EXPECT_EQ(ReadFileBytes(folder.File("XYZ.IDX")), flagged);
    EXPECT_EQ(ReadFileBytes(folder.File("XYZ.VEK")), bytes.packet);
  }
}

TEST(OldExtractCodeTest, TextModeWritesTheCommentBlockThenEveryLineAndOtherModesTheBlockAlone) {
  TempFolder folder;
  const Lines lines = {kBegin, "", "A$ = \"CR\r inside\"", "END"};
  WritePacket(folder.path(), "TEXT", BuildPacket({Snippet(lines), Snippet({"NEXT"})}));
  const std::string out = folder.File("SNIPPET.BAS");
  EXPECT_EQ(Extract(ListEntry(1, "Three letters", "TEXT.VEK"), folder.path(), out, 2), out + " extracted");

  std::string expected = CommentBlock("TEXT.VEK");
  for (const std::string& line : lines) expected += line + "\r\n";
  EXPECT_EQ(ReadFileBytes(out), expected);
  // Any mode but 1 and 2 writes the comment block alone.
  for (int32_t mode : {0, 3, -1}) {
    EXPECT_EQ(Extract(ListEntry(1, "Three letters", "TEXT.VEK"), folder.path(), out, mode), out + " extracted") << mode;
    EXPECT_EQ(ReadFileBytes(out), CommentBlock("TEXT.VEK")) << mode;
  }
}

// A refused call leaves the index and the packet as they were (not even marked as read), and
// the output neither created nor emptied. Nor can the packet's own files be the output: they
// are held while the output is opened.
TEST(OldExtractCodeTest, ARefusedCallWritesNothing) {
  TempFolder folder;
  PacketBytes bytes = BuildPacket({Snippet({kBegin, kXyz, kEnd}), Snippet({"PRINT"})});
  bytes.index += "1         ";  // a partial third record at 157
  WritePacket(folder.path(), "XYZ", bytes);
  const std::string kept = folder.File("KEPT.TXT");
  WriteFileBytes(kept, "keep me");
  const std::string fresh = folder.File("FRESH.TXT");
  const std::string nowhere = folder.path() + "no such folder" + folder.path().back() + "XYZ.TXT";
  std::vector<std::pair<std::string, std::string>> cases;  // entry, output
  for (const char* position : {"0", "2", "78", "80", "157", "235", "", "4294967297"}) {
    for (const std::string& out : {kept, fresh}) cases.emplace_back(std::string("1~s~a~c~XYZ.VEK~") + position, out);
  }
  // An entry of fewer than six fields names no record; a missing packet holds none.
  cases.emplace_back("XYZ.VEK~1", fresh);
  cases.emplace_back(ListEntry(1, "Three letters", "NONE.VEK"), fresh);
  for (const std::string& out : {nowhere, folder.File("XYZ.VEK"), folder.File("XYZ.IDX")}) {
    cases.emplace_back(ListEntry(1, "Three letters", "XYZ.VEK"), out);
  }
  for (const auto& [entry, out] : cases) {
    for (int32_t mode : {1, 2}) {
      const std::string message = Extract(entry, folder.path(), out, mode);
      const std::string reason = out == nowhere ? "cannot open " + out : "";
      EXPECT_EQ(message.rfind("Nothing extracted to " + out + ": " + reason, 0), 0u) << entry << ": " << message;
      EXPECT_EQ(ReadFileBytes(folder.File("XYZ.IDX")), bytes.index) << entry;
      EXPECT_EQ(ReadFileBytes(folder.File("XYZ.VEK")), bytes.packet) << entry;
    }
  }
  EXPECT_EQ(ReadFileBytes(kept), "keep me");
  EXPECT_EQ(folder.Files(), (std::set<std::string>{"KEPT.TXT", "NONE.$LK", "XYZ.$LK", "XYZ.IDX", "XYZ.VEK"}));
}

}  // namespace
}  // namespace oldvek::testing
