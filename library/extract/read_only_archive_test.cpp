// An archive on a medium that refuses writing: a CD-ROM, a read-only mount.
#include <gtest/gtest.h>

#include "extract/snippet_extraction.h"
#include "faulty_file_system.h"
#include "packet_names.h"
#include "packet_writer.h"
#include "packets/index_builder.h"
#include "packets/snippet_reader.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using testing::ReadFileBytes;

TEST(ReadOnlyArchiveTest, ListingFetchingAndExtractingWorkAndChangeNothing) {
  testing::TempFolder archive;
  testing::TempFolder elsewhere;
  const testing::TestSnippet snippet = testing::SampleSnippet("Swap", {"SWAP A, B"});
  const testing::PacketBytes bytes = testing::BuildPacket({snippet});
  testing::WritePacket(archive.path(), "CD", bytes);
  testing::FaultyFileSystem medium;
  medium.MakeReadOnly(archive.path());

  Result<std::vector<std::string>> list = BuildSnippetList(medium, archive.path(), "CD"_packet);
  ASSERT_TRUE(list.ok()) << list.status().message();
  EXPECT_EQ(list->size(), 1u);
  std::vector<std::string> lines;
  Result<SnippetInfo> info = RetrieveSnippet(medium, archive.path(), "CD"_packet, 1, [&](std::string_view line) {
    lines.emplace_back(line);
    return Status::Ok();
  });
  ASSERT_TRUE(info.ok()) << info.status().message();
  EXPECT_EQ(lines, snippet.lines);
  Result<ExtractionOutcome> text =
      ExtractSnippet(medium, "00001~Swap~~~CD.VEK~1", archive.path(), elsewhere.File("SWAP.TXT"), kTextMode);
  ASSERT_TRUE(text.ok()) << text.status().message();

  EXPECT_EQ(ReadFileBytes(archive.File("CD.IDX")), bytes.index) << "the read mark stays unset";
  EXPECT_EQ(ReadFileBytes(archive.File("CD.VEK")), bytes.packet);
}

}  // namespace
}  // namespace oldvek
