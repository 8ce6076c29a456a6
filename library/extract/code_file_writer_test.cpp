#include "extract/code_file_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "faulty_file_system.h"
#include "packet_names.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

CodeFileRequest Request(const TempFolder& folder, std::vector<ChosenPacket> chosen) {
  return {.path = folder.File("ALL.CDE"),
          .lead_text = "LEAD",
          .header_number = 3,
          .folder = folder.path(),
          .packet_count = chosen.back().number,
          .chosen = std::move(chosen)};
}

class NoProgress final : public CodeFileProgress {};

// Every operation that fails, once or from then on, ends the writing with the earlier code file
// whole and the packets as they were, read marks included: they are set once the file is in place.
TEST(CodeFileWriterTest, AFailureAtAnyStepLeavesNoCodeFileThatLooksComplete) {
  TempFolder folder;
  const PacketBytes first =
      BuildPacket({SampleSnippet("One", {"PRINT 1", std::string(300, 'w')}), SampleSnippet("Two", {})});
  const PacketBytes second = BuildPacket({SampleSnippet("Three", {"PRINT 3"})});
  WritePacket(folder.path(), "FIRST", first);
  WritePacket(folder.path(), "SECOND", second);
  const CodeFileRequest request = Request(folder, {{1, "FIRST"_packet}, {3, "SECOND"_packet}});
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
      WritePacket(folder.path(), "FIRST", first);
      WritePacket(folder.path(), "SECOND", second);
      FaultyFileSystem failing;
      and_later ? failing.FailFrom(n) : failing.FailOnly(n);
      Result<CodeFileOutcome> outcome = WriteCodeFile(failing, request, progress);
      if (outcome.ok()) {
        // Only read marks may fail unnoticed, after the code file was put in place.
        EXPECT_TRUE(failing.DidBefore(n, "rename")) << when;
        EXPECT_EQ(ReadFileBytes(request.path), complete) << when;
        continue;
      }
      const std::string& message = outcome.status().message();
      EXPECT_EQ(message.rfind("The code file " + request.path + " was not written: cannot ", 0), 0u) << message;
      EXPECT_NE(message.find(folder.path()), message.rfind(folder.path())) << "names the file that failed: " << message;
      // The code file is written beside its name: whatever fails, the earlier one stays whole.
      EXPECT_EQ(ReadFileBytes(request.path), "earlier code file") << when;
      for (const auto& [base, bytes] : {std::pair{"FIRST", &first}, std::pair{"SECOND", &second}}) {
        EXPECT_EQ(ReadFileBytes(folder.File(std::string(base) + ".VEK")), bytes->packet) << when;
        EXPECT_EQ(ReadFileBytes(folder.File(std::string(base) + ".IDX")), bytes->index) << when;
      }
    }
  }
  FaultyFileSystem passing(FileSystem::Default(), operations + 1);
  ASSERT_TRUE(WriteCodeFile(passing, request, progress).ok());
  EXPECT_EQ(ReadFileBytes(request.path), complete);
  for (const char* index : {"FIRST.IDX", "SECOND.IDX"}) {
    const std::string marks = ReadFileBytes(folder.File(index));
    for (size_t k = 0; k < marks.size(); k += 78) EXPECT_EQ(marks[k], ' ') << index << " " << k;
  }
}

// A code file open elsewhere is not replaced, and none may be named like a chosen packet.
TEST(CodeFileWriterTest, ACodeFileThatCannotBeReplacedIsRefused) {
  TempFolder folder;
  WritePacket(folder.path(), "A", BuildPacket({SampleSnippet("One", {"1"})}));
  const std::string open_elsewhere = folder.File("ALL.CDE");
  WriteFileBytes(open_elsewhere, "the reader has this one open");
  Result<std::unique_ptr<File>> held =
      FileSystem::Default().Open(open_elsewhere, {Access::kRead, Share::kShared, Disposition::kOpenExisting});
  ASSERT_TRUE(held.ok());
#if defined(_WIN32)
  constexpr const char* kHeldElsewhere = "cannot rename";  // MoveFileExA: access denied
#else
  constexpr const char* kHeldElsewhere = ": the file is in use";
#endif
  for (const auto& [name, message] : {std::pair{"ALL.CDE", kHeldElsewhere}, std::pair{"A.VEK", "which is being read"},
                                      std::pair{"A.IDX", "which is being read"}}) {
    CodeFileRequest request = Request(folder, {{1, "A"_packet}});
    request.path = folder.File(name);
    NoProgress progress;
    Result<CodeFileOutcome> outcome = WriteCodeFile(FileSystem::Default(), request, progress);
    ASSERT_FALSE(outcome.ok()) << name;
    EXPECT_NE(outcome.status().message().find(message), std::string::npos) << outcome.status().message();
  }
  ASSERT_TRUE((*held)->Close().ok());
  EXPECT_EQ(ReadFileBytes(open_elsewhere), "the reader has this one open");
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    EXPECT_EQ(entry.path().string().find(".CDE.~"), std::string::npos) << "a temporary file stays";
  }
}

}  // namespace
}  // namespace oldvek::testing
