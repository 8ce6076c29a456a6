#include "editing/header_update.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "packet_names.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using namespace oldvek::testing;

// Each value is cut to its field or padded with blanks and otherwise stored as given; the
// record's Subject and Author copies follow. A position that starts no record, or a record
// whose Start names no whole header, changes nothing and says so.
TEST(HeaderUpdateTest, RewritesTheFieldsOfAWholeHeaderOnly) {
  TempFolder folder;
  const std::vector<TestSnippet> sorts = {SampleSnippet("Bubble sort", {"DEFINT A-Z", "NEXT I"}),
                                          SampleSnippet("Shell sort"), SampleSnippet("Trim spaces", {})};
  const uint64_t length = BuildPacket(sorts).packet.size();  // the last header ends the packet
  const std::string no_record = folder.File("SORTS.IDX") + " has no record at position ";
  const auto no_header = [&](uint64_t start) {
    return folder.File("SORTS.VEK") + " has no snippet header at position " + std::to_string(start) +
           " (index record at 79)";
  };
  const HeaderFields some = {"A", "S", "O", "D", "C"};
  const HeaderFields odd = {"",
                            "Subject of exactly thirty-one c"
                            "haracters",
                            "  spaced  ",
                            "Date of twenty-three ch"
                            "ars",
                            "lower~case"};  // an empty Author is 31 blanks
  const struct {
    uint64_t position;
    HeaderFields fields;
    std::optional<uint64_t> start_79 = {};  // a Start written into the record at 79
    std::string refusal = {};
  } cases[] = {
      {157, odd},
      {1, some},
      {2, some, {}, no_record + "2"},
      {235, some, {}, no_record + "235"},
      {79, some, 0, no_header(0)},
      {79, some, length - 164 + 1, no_header(length - 163)},
      {79, some, length + 1, no_header(length + 1)},
      {79, some, 999999, no_header(999999)},
  };
  for (const auto& c : cases) {
    PacketBytes bytes = BuildPacket(sorts);
    if (c.start_79) bytes.index.replace(78 + 1, 10, Fixed(std::to_string(*c.start_79), 10));
    WritePacket(folder.path(), "SORTS", bytes);
    const Status status = UpdateHeader(FileSystem::Default(), folder.path(), "SORTS"_packet, c.position, c.fields);
    EXPECT_EQ(status.message(), c.refusal);
    if (c.refusal.empty()) {
      std::vector<TestSnippet> updated = sorts;
      TestSnippet& changed = updated[(c.position - 1) / 78];
      std::tie(changed.author, changed.subject, changed.origin, changed.date, changed.code) =
          std::tie(c.fields.author, c.fields.subject, c.fields.origin, c.fields.date, c.fields.code);
      bytes = BuildPacket(updated);
    }
    EXPECT_EQ(ReadFileBytes(folder.File("SORTS.VEK")), bytes.packet) << c.position;
    EXPECT_EQ(ReadFileBytes(folder.File("SORTS.IDX")), bytes.index) << c.position;
  }
}

// A retitle rewrites the fields it gives and keeps the others as the header holds them when
// the lock is taken; a field that would split the list entry, or no field at all, changes nothing.
TEST(HeaderUpdateTest, ChangesOnlyTheGivenFieldsAndRefusesThoseThatSplitTheEntry) {
  TempFolder folder;
  const std::vector<TestSnippet> sorts = {SampleSnippet("Bubble sort"), SampleSnippet("Shell sort")};
  const struct {
    FieldChanges changes;
    std::string refusal = {};
  } cases[] = {
      {{.subject = "Renamed"}},
      {{.author = "New Author", .code = "QB45"}},
      {{}, "no header field to change"},
      {{.subject = "a~b"}, "the subject holds \"~\""},
      {{.origin = "line\rend"}, "the origin holds a carriage return"},
      {{.author = "ok", .date = "1996\n"}, "the date holds a line feed"},
      {{.code = std::string("Q\0B", 3)}, "the code holds a NUL byte"},
  };
  for (const auto& c : cases) {
    WritePacket(folder.path(), "SORTS", BuildPacket(sorts));
    const Status status = ChangeHeaderFields(FileSystem::Default(), folder.path(), "SORTS"_packet, 79, c.changes);
    EXPECT_EQ(status.message().substr(0, c.refusal.size()), c.refusal);
    EXPECT_EQ(status.ok(), c.refusal.empty()) << status.message();
    std::vector<TestSnippet> expected = sorts;
    if (c.refusal.empty()) {
      TestSnippet& changed = expected[1];
      for (auto [given, field] : {std::pair{&c.changes.author, &changed.author},
                                  {&c.changes.subject, &changed.subject},
                                  {&c.changes.origin, &changed.origin},
                                  {&c.changes.date, &changed.date},
                                  {&c.changes.code, &changed.code}}) {
        if (*given) *field = **given;
      }
    }
    EXPECT_EQ(ReadFileBytes(folder.File("SORTS.VEK")), BuildPacket(expected).packet);
    EXPECT_EQ(ReadFileBytes(folder.File("SORTS.IDX")), BuildPacket(expected).index);
  }
}

}  // namespace
}  // namespace oldvek
