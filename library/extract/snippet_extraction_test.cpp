#include "extract/snippet_extraction.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "faulty_file_system.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

// ATTACH.VEK: an attachment of "xyz", then a plain snippet.
PacketBytes Attachment() {
  return BuildPacket({SampleSnippet("XYZ attachment", {"'>>> Page 1 of 1 of XYZ begins here. TYPE:BINAA TLEN:3",
                                                       "'>>> Created by ZORVIT!", "U\"2GHI",
                                                       "'>>> Page 1 of XYZ ends here. Last page. TCHK:118"}),
                      SampleSnippet("Done", {"PRINT \"DONE\""})});
}

const std::string kEntry = "00001~XYZ attachment~Pat Basic~QB45~ATTACH.VEK~1";

// The read mark too is as it was: it is set only once the output is in place.
TEST(SnippetExtractionTest, AFailureAtAnyStepLeavesNoOutputAndThePacketAsItWas) {
  TempFolder folder;
  const PacketBytes bytes = Attachment();
  std::string flagged = bytes.index;
  flagged[0] = ' ';
  const std::string out = folder.File("XYZ.OUT");
  for (int32_t mode : {1, 2}) {
    WritePacket(folder.path(), "ATTACH", bytes);
    FaultyFileSystem dry_run;
    Result<ExtractionOutcome> done = ExtractSnippet(dry_run, kEntry, folder.path(), out, mode);
    ASSERT_TRUE(done.ok()) << done.status().message();
    ASSERT_GT(dry_run.operations(), 8u);
    EXPECT_EQ(ReadFileBytes(folder.File("ATTACH.IDX")), flagged);

    for (uint64_t fail_at = 1; fail_at <= dry_run.operations(); ++fail_at) {
      WritePacket(folder.path(), "ATTACH", bytes);
      WriteFileBytes(out, "an older file");
      FaultyFileSystem file_system(FileSystem::Default(), fail_at);
      Result<ExtractionOutcome> outcome = ExtractSnippet(file_system, kEntry, folder.path(), out, mode);
      if (outcome.ok()) {
        // Only the read mark may fail unnoticed, after the output was put in place.
        EXPECT_TRUE(file_system.DidBefore(fail_at, "rename")) << "mode " << mode << ", operation " << fail_at;
        EXPECT_NE(ReadFileBytes(out), "an older file");
        continue;
      }
      EXPECT_EQ(ExtractionMessage(outcome, out).rfind("Nothing extracted to " + out + ": ", 0), 0u);
      // The older file is as it was, and no scratch copy of the output is left beside it.
      EXPECT_EQ(ReadFileBytes(out), "an older file") << "operation " << fail_at;
      EXPECT_EQ(folder.Files(), (std::set<std::string>{"ATTACH.$LK", "ATTACH.IDX", "ATTACH.VEK", "XYZ.OUT"}))
          << fail_at;
      EXPECT_EQ(ReadFileBytes(folder.File("ATTACH.IDX")), bytes.index) << "operation " << fail_at;
      EXPECT_EQ(ReadFileBytes(folder.File("ATTACH.VEK")), bytes.packet) << "operation " << fail_at;
    }
  }
}

// An empty file would pass for the attachment.
TEST(SnippetExtractionTest, ASnippetWithoutZorvitTextGivesNoFile) {
  TempFolder folder;
  WritePacket(folder.path(), "ATTACH", Attachment());
  const std::string plain = "00002~~~~ATTACH.VEK~79";
  ASSERT_TRUE(ExtractSnippet(FileSystem::Default(), plain, folder.path(), folder.File("DONE"), kAttachmentMode).ok());
  EXPECT_FALSE(FileExists(folder.File("DONE")));
}

}  // namespace
}  // namespace oldvek::testing
