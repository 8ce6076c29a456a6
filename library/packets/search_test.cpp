#include "packets/search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "faulty_file_system.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using namespace oldvek::testing;
using ::testing::IsSubstring;

// A packet file that cannot be used: a folder stands in its place.
void Spoil(const std::string& path) {
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
}

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

TestSnippet Snippet(std::string author) { return SampleSnippet("Subject", {"PRINT 1"}, std::move(author)); }

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

  SearchOutcome Search() { return SearchPackets(files_, request_, criteria_, snippet_, caller_); }

  TempFolder folder_;
  FaultyFileSystem files_;
  SearchRequest request_;
  SearchCriteria criteria_{};
  SnippetRecord snippet_{};
  FakeCaller caller_;
};

TEST_F(SearchTest, PacketsOutsideTheListAreNotOpened) {
  request_.first = 0;
  request_.last = 3;
  const SearchOutcome outcome = Search();
  ASSERT_TRUE(outcome.status.ok());
  EXPECT_EQ(outcome.matches, 5);
  for (const std::string& step : files_.steps()) {
    if (!step.starts_with("open ")) continue;
    const std::string name = std::filesystem::path(step.substr(5)).filename().string();
    EXPECT_TRUE(name.starts_with("ONE.") || name.starts_with("TWO.")) << step;
  }
}

// As the caller's list names it, a packet whose files are missing is made empty.
TEST_F(SearchTest, AMissingPacketIsMadeEmptyAndContributesNothing) {
  caller_.packets.insert(caller_.packets.begin() + 1, "GONE");
  request_.last = 3;
  const SearchOutcome outcome = Search();
  EXPECT_TRUE(outcome.status.ok()) << outcome.status.message();
  EXPECT_EQ(outcome.matches, 5);
  EXPECT_EQ(ReadFileBytes(folder_.File("GONE.IDX")), "");
  EXPECT_EQ(ReadFileBytes(folder_.File("GONE.VEK")), "");
}

TEST_F(SearchTest, UnreadablePacketsAreLeftOutCountedAndTheFirstNamed) {
  Spoil(folder_.File("ONE.IDX"));
  SearchOutcome outcome = Search();
  EXPECT_EQ(outcome.matches, 3);
  EXPECT_EQ(caller_.matches.front(), "00001~Subject~b1~QB45~TWO.VEK~1");
  EXPECT_PRED_FORMAT2(IsSubstring, "left out a packet", outcome.status.message());
  EXPECT_PRED_FORMAT2(IsSubstring, folder_.File("ONE.IDX"), outcome.status.message());

  Spoil(folder_.File("TWO.VEK"));
  caller_.packets.push_back("ONE");
  request_.last = 3;
  outcome = Search();
  EXPECT_EQ(outcome.matches, 0);
  EXPECT_PRED_FORMAT2(IsSubstring, "left out 3 packets", outcome.status.message());
  EXPECT_PRED_FORMAT2(IsSubstring, folder_.File("ONE.IDX"), outcome.status.message());
}

TEST_F(SearchTest, SearchStopsWhenAMatchCannotBeStoredOrASnippetLent) {
  caller_.fail_match = 3;
  criteria_.AuthorSwitch = 1;  // cleared for the caller even when the search stops
  SearchOutcome outcome = Search();
  EXPECT_EQ(outcome.matches, 2);
  EXPECT_EQ(caller_.examined, 3u);  // nothing after the failure
  EXPECT_EQ(int32_t{criteria_.AuthorSwitch}, 0);
  EXPECT_PRED_FORMAT2(IsSubstring, "stopped after 2 matches (the results list is full)", outcome.status.message());

  caller_.matches.clear();
  caller_.examined = 0;
  caller_.fail_examine_at = 1;
  outcome = Search();
  EXPECT_EQ(outcome.matches, 1);
  EXPECT_PRED_FORMAT2(IsSubstring, "stopped after 1 matches (no memory for the lines)", outcome.status.message());
}

}  // namespace
}  // namespace oldvek
