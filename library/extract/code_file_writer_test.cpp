#include "extract/code_file_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "code_file_reader.h"
#include "faulty_file_system.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using testing::BuildPacket;
using testing::FaultyFileSystem;
using testing::FileExists;
using testing::PacketBytes;
using testing::ReadCodeFile;
using testing::ReadFileBytes;
using testing::StoredCodeFile;
using testing::TempFolder;
using testing::TestSnippet;
using testing::WriteFileBytes;
using testing::WritePacket;
using Lines = std::vector<std::string>;

TestSnippet MakeSnippet(std::string subject, Lines lines) {
  TestSnippet s;
  s.author = "J. Basic";
  s.subject = std::move(subject);
  s.code = "PDS71";
  s.lines = std::move(lines);
  return s;
}

CodeFileRequest Request(const TempFolder& folder, std::vector<ChosenPacket> chosen) {
  CodeFileRequest request;
  request.path = folder.File("ALL.CDE");
  request.lead_text = "LEAD";
  request.header_number = 3;
  request.folder = folder.path();
  request.packet_count = chosen.empty() ? 0 : chosen.back().number;
  request.chosen = std::move(chosen);
  return request;
}

class NoProgress final : public CodeFileProgress {};

TEST(CodeFileWriterTest, ALineLongerThanABodyPieceIsStoredIn255BytePieces) {
  TempFolder folder;
  std::string line(45000, ' ');
  for (size_t i = 0; i < line.size(); ++i) line[i] = static_cast<char>('!' + i % 90);
  WritePacket(folder.path(), "BIG", BuildPacket({MakeSnippet("Big", {line, "END"})}));
  NoProgress progress;
  ASSERT_TRUE(WriteCodeFile(FileSystem::Default(), Request(folder, {{1, "BIG"}}), progress).ok());

  const StoredCodeFile file = ReadCodeFile(ReadFileBytes(folder.File("ALL.CDE")), 4);
  ASSERT_EQ(file.packets.size(), 1u);
  ASSERT_EQ(file.packets[0].snippets.size(), 1u);
  const Lines& stored = file.packets[0].snippets[0].lines;
  ASSERT_EQ(stored.size(), 45000u / 255 + 1 + 1);
  std::string joined;
  for (size_t i = 0; i + 1 < stored.size(); ++i) {
    EXPECT_EQ(stored[i].size(), i + 2 < stored.size() ? 255u : 45000u % 255) << i;
    joined += stored[i];
  }
  EXPECT_EQ(joined, line);
  EXPECT_EQ(stored.back(), "END");
}

TEST(CodeFileWriterTest, PacketsPassedOverAndLeftOutAreToldInListOrder) {
  TempFolder folder;
  WritePacket(folder.path(), "A", BuildPacket({MakeSnippet("One", {"1"}), MakeSnippet("Two", {"2"})}));
  class Recorder final : public CodeFileProgress {
   public:
    void PacketOpened() override { events.push_back("opened"); }
    void SnippetWritten(std::string_view text) override { events.push_back(std::string(text)); }
    void PacketPassedOver() override { events.push_back("passed over"); }
    Lines events;
  } recorder;
  // Packets 2 and 5 are not chosen; 3 and 4 cannot be named; 6 has no files yet.
  CodeFileRequest request = Request(folder, {{1, "A"}, {3, std::string(252, 'X')}, {4, ""}, {6, "NEW"}});
  Result<CodeFileOutcome> outcome = WriteCodeFile(FileSystem::Default(), request, recorder);
  ASSERT_TRUE(outcome.ok()) << outcome.status().message();
  EXPECT_EQ(recorder.events, (Lines{"opened", "Working on \r\nA.VEK\r\n\r\nInstalling\r\nOne",
                                    "Working on \r\nA.VEK\r\n\r\nInstalling\r\nTwo", "passed over", "passed over",
                                    "passed over", "passed over", "opened"}));
  EXPECT_EQ(outcome->left_out, (Lines{std::string(252, 'X') + ".VEK: its name is longer than 255 characters",
                                      "packet 4: it has no name in the packet list"}));
  EXPECT_FALSE(FileExists(folder.File(".IDX")));
  EXPECT_TRUE(FileExists(folder.File("NEW.IDX")));
}

// Every operation that fails, once or from then on, ends the writing with the code file gone
// (or said to stay, when removing it failed too) and the packets as they were but for the
// read marks.
TEST(CodeFileWriterTest, AFailureAtAnyStepLeavesNoCodeFileThatLooksComplete) {
  TempFolder folder;
  const PacketBytes first =
      BuildPacket({MakeSnippet("One", {"PRINT 1", std::string(300, 'w')}), MakeSnippet("Two", {})});
  const PacketBytes second = BuildPacket({MakeSnippet("Three", {"PRINT 3"})});
  WritePacket(folder.path(), "FIRST", first);
  WritePacket(folder.path(), "SECOND", second);
  const CodeFileRequest request = Request(folder, {{1, "FIRST"}, {3, "SECOND"}});
  NoProgress progress;
  FaultyFileSystem dry_run;
  ASSERT_TRUE(WriteCodeFile(dry_run, request, progress).ok());
  const std::string complete = ReadFileBytes(request.path);
  const uint64_t operations = dry_run.operations();
  ASSERT_GT(operations, 20u);

  for (bool and_later : {false, true}) {
    for (uint64_t n = 1; n <= operations; ++n) {
      const std::string when = (and_later ? "from operation " : "at operation ") + std::to_string(n);
      WriteFileBytes(request.path, "earlier code file");
      FaultyFileSystem failing;
      and_later ? failing.FailFrom(n) : failing.FailOnly(n);
      Result<CodeFileOutcome> outcome = WriteCodeFile(failing, request, progress);
      ASSERT_FALSE(outcome.ok()) << when;
      const std::string& message = outcome.status().message();
      EXPECT_EQ(message.rfind("The code file " + request.path + " was not written: cannot ", 0), 0u) << message;
      EXPECT_NE(message.find(folder.path()), message.rfind(folder.path())) << "names the file that failed: " << message;
      if (n == 1) {
        EXPECT_EQ(ReadFileBytes(request.path), "earlier code file") << when << ": a refused open touches nothing";
      } else if (FileExists(request.path)) {
        EXPECT_TRUE(and_later) << when;
        EXPECT_NE(message.find("; what was written stays: cannot delete " + request.path), std::string::npos)
            << message;
      }
      for (const auto& [base, bytes] : {std::pair{"FIRST", &first}, std::pair{"SECOND", &second}}) {
        EXPECT_EQ(ReadFileBytes(folder.File(std::string(base) + ".VEK")), bytes->packet) << when;
        std::string index = ReadFileBytes(folder.File(std::string(base) + ".IDX"));
        ASSERT_EQ(index.size(), bytes->index.size()) << when;
        for (size_t k = 0; k < index.size(); k += 78) index[k] = bytes->index[k];
        EXPECT_EQ(index, bytes->index) << when << ": only read marks change";
      }
    }
  }
  FaultyFileSystem passing(FileSystem::Default(), operations + 1);
  ASSERT_TRUE(WriteCodeFile(passing, request, progress).ok());
  EXPECT_EQ(ReadFileBytes(request.path), complete);
}

TEST(CodeFileWriterTest, ACodeFileOpenElsewhereIsNeitherCutNorRemoved) {
  TempFolder folder;
  WritePacket(folder.path(), "A", BuildPacket({MakeSnippet("One", {"1"})}));
  const CodeFileRequest request = Request(folder, {{1, "A"}});
  WriteFileBytes(request.path, "the reader has this one open");
  Result<std::unique_ptr<File>> held =
      FileSystem::Default().Open(request.path, {Access::kRead, Share::kShared, Disposition::kOpenExisting});
  ASSERT_TRUE(held.ok());
  NoProgress progress;
  Result<CodeFileOutcome> outcome = WriteCodeFile(FileSystem::Default(), request, progress);
  ASSERT_FALSE(outcome.ok());
  EXPECT_NE(outcome.status().message().find("cannot open " + request.path), std::string::npos)
      << outcome.status().message();
  ASSERT_TRUE((*held)->Close().ok());
  EXPECT_EQ(ReadFileBytes(request.path), "the reader has this one open");
}

}  // namespace
}  // namespace oldvek
