#include "extract/snippet_text_writer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using testing::Fixed;

TEST(SnippetTextWriterTest, TheCommentBlockCarriesEveryFieldAtItsFullWidth) {
  testing::TestSnippet s;
  s.author = "Jo Coder";
  s.subject = "Bubble sort";
  s.origin = "QUIK_BAS echo";
  s.date = "01-02-95";
  s.code = "QB45";
  s.tag = "TAG";
  SnippetHeader header;
  const std::string header_bytes = testing::HeaderBytes(s);
  std::copy(header_bytes.begin(), header_bytes.end(), header.bytes().begin());
  header.bytes()[0] = '\0';  // stored bytes go out as they are, whatever they are

  testing::TempFolder folder;
  const std::string path = folder.File("OUT.TXT");
  Result<std::unique_ptr<File>> file =
      FileSystem::Default().Open(path, {Access::kReadWrite, Share::kExclusive, Disposition::kCreateOrTruncate});
  ASSERT_TRUE(file.ok());
  BufferedWriter out(**file);
  WriteCommentBlock(out, header, "SORTS.VEK");
  ASSERT_TRUE(out.Flush().ok());
  ASSERT_TRUE((*file)->Close().ok());

  const std::string rule = "'" + std::string(79, '=') + "\r\n";
  const std::string expected = rule + "'Author: " + std::string(1, '\0') + Fixed("o Coder", 30) + "Date: " +
                               Fixed("01-02-95", 23) + "\r\n" + "'SubJect: " + Fixed("Bubble sort", 31) + "Code: " +
                               Fixed("QB45", 23) + "\r\n" + "'Origin: " + Fixed("QUIK_BAS echo", 31) +
                               "Packet: SORTS.VEK\r\n" + rule;
  EXPECT_EQ(testing::ReadFileBytes(path), expected);
  EXPECT_EQ(rule.size(), 82u);
}

}  // namespace
}  // namespace oldvek
