#include "packets/search.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using testing::BuildPacket;
using testing::TempFolder;
using testing::TestSnippet;
using testing::WritePacket;

// A file whose reads fail, for a packet that opens but cannot be read.
class UnreadableFile final : public File {
 public:
  explicit UnreadableFile(std::unique_ptr<File> file) : file_(std::move(file)) {}
  Status ReadAt(uint64_t, std::span<char>) override { return Status::Error("cannot read " + path()); }
  Status WriteAt(uint64_t offset, std::span<const char> data) override { return file_->WriteAt(offset, data); }
  Status Append(std::span<const char> data) override { return file_->Append(data); }
  Result<uint64_t> Size() override { return file_->Size(); }
  Status Truncate(uint64_t size) override { return file_->Truncate(size); }
  Status Sync() override { return file_->Sync(); }
  Status Close() override { return file_->Close(); }
  const std::string& path() const override { return file_->path(); }

 private:
  std::unique_ptr<File> file_;
};

// The real file system, except for the files it is told to refuse or to spoil.
class FaultyFileSystem final : public FileSystem {
 public:
  Result<std::unique_ptr<File>> Open(const std::string& path, OpenOptions options) override {
    opened.push_back(path);
    if (refused.count(path) != 0) return Status::Error("cannot open " + path + ": refused");
    Result<std::unique_ptr<File>> file = FileSystem::Default().Open(path, options);
    if (!file.ok() || unreadable.count(path) == 0) return file;
    return std::unique_ptr<File>(std::make_unique<UnreadableFile>(std::move(*file)));
  }
  bool Exists(const std::string& path) override { return FileSystem::Default().Exists(path); }
  bool SameFile(const std::string& a, const std::string& b) override { return FileSystem::Default().SameFile(a, b); }
  Result<std::unique_ptr<FileLock>> TryLock(const std::string& path, bool exclusive) override {
    return FileSystem::Default().TryLock(path, exclusive);
  }
  Status Remove(const std::string& path) override { return FileSystem::Default().Remove(path); }
  Status Replace(const std::string& from, const std::string& to) override {
    return FileSystem::Default().Replace(from, to);
  }

  std::set<std::string> refused;
  std::set<std::string> unreadable;
  std::vector<std::string> opened;
};

// Passes every snippet (mode 1, no bits) and keeps the matches; can be told to fail.
class FakeCaller final : public SearchCaller {
 public:
  std::optional<std::string> PacketEntry(int64_t index) override {
    if (index < 1 || index > static_cast<int64_t>(packets.size())) return std::nullopt;
    return packets[static_cast<size_t>(index - 1)];
  }
  Status ExamineSnippet(SearchCriteria&, SnippetRecord&, uint8_t&, int64_t, uint64_t, uint64_t) override {
    if (examined == fail_examine_at) return Status::Error("no memory for the lines");
    ++examined;
    return Status::Ok();
  }
  bool Matches(std::string_view, std::string_view) override { return false; }
  LineBounds CodeLineBounds() override { return {}; }
  std::string CodeLine(int64_t) override { return {}; }
  Status AddMatch(int32_t match, std::string_view entry) override {
    if (match == fail_match) return Status::Error("the results list is full");
    EXPECT_EQ(match, static_cast<int32_t>(matches.size()) + 1);
    matches.emplace_back(entry);
    return Status::Ok();
  }

  std::vector<std::string> packets;
  size_t examined = 0;
  std::vector<std::string> matches;
  size_t fail_examine_at = static_cast<size_t>(-1);
  int32_t fail_match = 0;
};

TestSnippet Snippet(std::string author) {
  TestSnippet s;
  s.author = std::move(author);
  s.subject = "Subject";
  s.lines = {"PRINT 1"};
  return s;
}

// The caller's records are packed, so their fields are copied out (int32_t{...}) before a
// check binds a reference to them.
class SearchTest : public ::testing::Test {
 protected:
  SearchTest() {
    WritePacket(folder_.path(), "ONE", BuildPacket({Snippet("a1"), Snippet("a2")}));
    WritePacket(folder_.path(), "TWO", BuildPacket({Snippet("b1"), Snippet("b2"), Snippet("b3")}));
    caller_.packets = {"ONE~first", "TWO~second"};
    request_.mode = 1;
    request_.first = 1;
    request_.last = 2;
    request_.folder = folder_.path();
  }

  // The status of the search; its match count lands in matches_.
  Status Search() {
    const SearchOutcome outcome = SearchPackets(files_, request_, criteria_, snippet_, caller_);
    matches_ = outcome.matches;
    return outcome.status;
  }

  TempFolder folder_;
  FaultyFileSystem files_;
  SearchRequest request_;
  SearchCriteria criteria_{};
  SnippetRecord snippet_{};
  int32_t matches_ = -1;
  FakeCaller caller_;
};

TEST_F(SearchTest, PacketsOutsideTheListAreNotOpened) {
  request_.first = 0;
  request_.last = 3;
  ASSERT_TRUE(Search().ok());
  EXPECT_EQ(matches_, 5);
  EXPECT_EQ(files_.opened.size(), 8u);  // two packets, each index and packet opened twice
}

TEST_F(SearchTest, UnopenablePacketIsLeftOutAndNamed) {
  files_.refused.insert(folder_.File("ONE.IDX"));
  const Status status = Search();
  EXPECT_EQ(matches_, 3);
  EXPECT_EQ(caller_.matches.front(), "00001~Subject~b1~~TWO.VEK~1");
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.message().find("left out a packet"), std::string::npos) << status.message();
  EXPECT_NE(status.message().find(folder_.File("ONE.IDX")), std::string::npos) << status.message();
}

TEST_F(SearchTest, EveryUnreadablePacketIsCountedAndTheSearchGoesOn) {
  files_.unreadable.insert(folder_.File("ONE.VEK"));
  files_.refused.insert(folder_.File("TWO.VEK"));
  caller_.packets.push_back("ONE");
  request_.last = 3;
  const Status status = Search();
  EXPECT_EQ(matches_, 0);
  EXPECT_NE(status.message().find("left out 3 packets"), std::string::npos) << status.message();
  EXPECT_NE(status.message().find("cannot read " + folder_.File("ONE.VEK")), std::string::npos) << status.message();
}

TEST_F(SearchTest, SearchStopsWhenAMatchCannotBeStored) {
  caller_.fail_match = 3;
  const Status status = Search();
  EXPECT_EQ(matches_, 2);
  EXPECT_EQ(caller_.matches.size(), 2u);
  EXPECT_EQ(caller_.examined, 3u);  // nothing after the failure
  EXPECT_EQ(int32_t{criteria_.AuthorSwitch}, 0);
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.message().find("stopped after 2 matches (the results list is full)"), std::string::npos)
      << status.message();
}

TEST_F(SearchTest, SearchStopsWhenASnippetCannotBeLent) {
  caller_.fail_examine_at = 1;
  const Status status = Search();
  EXPECT_EQ(matches_, 1);
  EXPECT_EQ(caller_.examined, 1u);
  EXPECT_FALSE(status.ok());
}

TEST_F(SearchTest, HeaderBeyondThePacketEndReadsAsZeroBytes) {
  std::string index = testing::IndexRecordBytes(Snippet("lost"), 9000);
  testing::WriteFileBytes(folder_.File("LOST.IDX"), index);
  caller_.packets = {"LOST"};
  request_.last = 1;
  std::memset(snippet_.Author, 'x', 31);
  ASSERT_TRUE(Search().ok());
  EXPECT_EQ(std::string(snippet_.Author, 31), std::string(31, '\0'));
  EXPECT_EQ(caller_.matches, std::vector<std::string>{"00001~" + std::string(31, '\0') + "~" + std::string(31, '\0') +
                                                      "~" + std::string(23, '\0') + "~LOST.VEK~1"});
}

}  // namespace
}  // namespace oldvek
