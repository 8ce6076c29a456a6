// Every editing operation interrupted at each of its file operations in turn, by a passing
// fault and by a power cut: whatever the step, once the packets are next used they hold the
// old content or the new one exactly (a moved snippet in exactly one packet), and no
// temporary file is left behind. A power cut keeps only what was flushed, so this checks
// too that every write is on the disk before the step that relies on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "editing/header_update.h"
#include "editing/snippet_append.h"
#include "editing/snippet_deletion.h"
#include "editing/snippet_move.h"
#include "faulty_file_system.h"
#include "packet_names.h"
#include "packet_writer.h"
#include "packets/index_builder.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using namespace oldvek::testing;

// Packet contents by base name.
using Packets = std::map<std::string, PacketBytes>;
using Operation = std::function<Status(FileSystem&, const std::string& folder)>;

const TestSnippet kA = SampleSnippet("Alpha", {"PRINT \"A\"", "", "END"});
const TestSnippet kB = SampleSnippet("Beta", {std::string(300, 'B'), "REM two"});
const TestSnippet kC = SampleSnippet("Gamma", {"C = 1"});
const TestSnippet kX = SampleSnippet("Xray", {"X"});
const TestSnippet kY = SampleSnippet("Yankee", {});

// kX as an append writes it: the record's five unused bytes blank.
TestSnippet Appended(TestSnippet snippet) {
  snippet.unused_index_bytes = "     ";
  return snippet;
}

struct Scenario {
  std::string name;
  Packets before;
  Operation operation;
  Packets after;
};

// What the packets' files hold: "old", "new" or "a mixture".
std::string Describe(const TempFolder& folder, const Scenario& scenario) {
  const auto bytes = [&folder](const std::string& name) {
    return FileExists(folder.File(name)) ? ReadFileBytes(folder.File(name)) : "(missing)";
  };
  Packets state;
  for (const auto& [base, unused] : scenario.before) state[base] = {bytes(base + ".VEK"), bytes(base + ".IDX")};
  if (state == scenario.before) return "old";
  if (state == scenario.after) return "new";
  return "a mixture";
}

// The packets, and leftovers of an earlier rebuild that never committed, which must be
// removed or emptied and never used.
void Prepare(const TempFolder& folder, const Packets& packets) {
  for (const auto& [base, bytes] : packets) WritePacket(folder.path(), base, bytes);
  WriteFileBytes(folder.File(packets.begin()->first + ".$VE"), "stale packet bytes");
  WriteFileBytes(folder.File(packets.begin()->first + ".$ID"), "stale index bytes");
}

// Runs the operation with a file layer that fails operation `n` alone, or, for a power cut,
// every operation from `n` on and then whatever was not flushed; then checks what it left, and
// what one more operation leaves once a later edit has flushed the folder and the power has
// failed again. Tells whether the operation went through, as it does once `n` is past its
// last file operation.
bool RunInterrupted(const Scenario& scenario, uint64_t n, bool power_cut) {
  TempFolder folder;
  Prepare(folder, scenario.before);
  FaultyFileSystem files;
  power_cut ? files.FailFrom(n) : files.FailOnly(n);
  const Status status = scenario.operation(files, folder.path());
  if (power_cut) EXPECT_TRUE(files.Crash().ok());
  const std::string left = Describe(folder, scenario);
  if (status.ok()) {
    EXPECT_EQ(left, "new");
  } else if (std::ranges::none_of(scenario.before,
                                  [&](const auto& packet) { return FileExists(folder.File(packet.first + ".$OK")); })) {
    // Without a mark nothing is pending: what the files hold is what every reader sees.
    EXPECT_NE(left, "a mixture") << status.message();
  }
  files.FailFrom(0);
  for (const auto& [base, unused] : scenario.before) {
    EXPECT_TRUE(BuildSnippetList(files, folder.path(), TestPacket(base)).ok());
  }
  EXPECT_TRUE(files.FlushFolderOf(folder.File("LATER")).ok() && files.Crash().ok());
  for (const auto& [base, unused] : scenario.before) {
    for (std::string_view extension : {".$VE", ".$ID", ".$OK"}) {
      EXPECT_FALSE(FileExists(folder.File(base + std::string(extension)))) << base << extension;
    }
  }
  const std::string settled = Describe(folder, scenario);
  EXPECT_TRUE(settled == "new" || (settled == "old" && !status.ok())) << settled << ": " << status.message();
  return status.ok();
}

class InterruptionTest : public ::testing::TestWithParam<Scenario> {};

// A power cut at operation n: nothing more reaches the disk, and what was not flushed is
// lost. Failing operation n alone is a passing fault: what the operation does about a
// failure runs too.
TEST_P(InterruptionTest, LeavesTheOldOrTheNewPackets) {
  uint64_t n = 1;
  for (bool done = false; !done && n < 10000; ++n) {
    SCOPED_TRACE("failing operation " + std::to_string(n) + " (alone, then as a power cut)");
    RunInterrupted(GetParam(), n, false);
    done = RunInterrupted(GetParam(), n, true);
  }
  EXPECT_TRUE(n > 10 && n < 10000) << n << ": the operation goes through the file layer, and completes";
}

// A failed move to a new packet leaves it holding the snippet, or not there (unless removing it
// was the step that failed); on a read-only medium it creates nothing.
TEST(MoveToANewPacketTest, AFailureLeavesNoEmptyPacket) {
  bool done = false;
  for (uint64_t n = 1; !done && n < 1000; ++n) {
    TempFolder folder;
    WritePacket(folder.path(), "SRC", BuildPacket({kA, kB}));
    FaultyFileSystem faulty;
    n == 1 ? faulty.MakeReadOnly(folder.path()) : faulty.FailOnly(n - 1);
    const Status status = MoveSnippet(faulty, folder.path(), "SRC"_packet, 79, "NEW"_packet).status();
    const std::string failed = n > 1 && n - 1 <= faulty.steps().size() ? faulty.steps()[n - 2] : "";
    done = status.ok();
    if (done || (failed.starts_with("delete ") && !failed.ends_with(".$OK"))) continue;
    EXPECT_TRUE((!FileExists(folder.File("NEW.IDX")) && !FileExists(folder.File("NEW.VEK"))) ||
                ReadFileBytes(folder.File("NEW.VEK")) == BuildPacket({kB}).packet)
        << failed << ": " << status.message();
  }
  EXPECT_TRUE(done);
}

Operation Move(std::string source, uint64_t position, std::string destination) {
  return [=](FileSystem& fs, const std::string& folder) {
    return MoveSnippet(fs, folder, TestPacket(source), position, TestPacket(destination)).status();
  };
}

INSTANTIATE_TEST_SUITE_P(Edits, InterruptionTest,
                         ::testing::Values(
                             Scenario{"Deletion",
                                      {{"P", BuildPacket({kA, kB, kC})}},
                                      [](FileSystem& fs, const std::string& folder) {
                                        return DeleteSnippet(fs, folder, "P"_packet, 79);
                                      },
                                      {{"P", BuildPacket({kA, kC})}}},
                             Scenario{"MoveToAnotherPacket",
                                      {{"SRC", BuildPacket({kA, kB, kC})}, {"DST", BuildPacket({kX, kY})}},
                                      Move("SRC", 79, "DST"),
                                      {{"SRC", BuildPacket({kA, kC})}, {"DST", BuildPacket({kX, kY, kB})}}},
                             // The source's name first, so the source is settled first afterwards.
                             Scenario{"MoveSettledFromTheSource",
                                      {{"A", BuildPacket({kA, kB, kC})}, {"Z", BuildPacket({kX, kY})}},
                                      Move("A", 79, "Z"),
                                      {{"A", BuildPacket({kA, kC})}, {"Z", BuildPacket({kX, kY, kB})}}},
                             // The destination's index ends in one byte of a record; the new record covers it, and a
                             // move taken back must put that byte back.
                             Scenario{"MoveOntoAPartialRecord",
                                      {{"SRC", BuildPacket({kA, kB})},
                                       {"DST", {BuildPacket({kX}).packet, BuildPacket({kX}).index + "Q"}}},
                                      Move("SRC", 79, "DST"),
                                      {{"SRC", BuildPacket({kA})}, {"DST", BuildPacket({kX, kB})}}},
                             Scenario{"MoveWithinOnePacket",
                                      {{"P", BuildPacket({kA, kB, kC})}},
                                      Move("P", 1, "P"),
                                      {{"P", BuildPacket({kB, kC, kA})}}},
                             Scenario{"HeaderUpdate",
                                      {{"P", BuildPacket({kA, kB, kC})}},
                                      [](FileSystem& fs, const std::string& folder) {
                                        return UpdateHeader(fs, folder, "P"_packet, 79,
                                                            {kB.author, "New subject", kB.origin, kB.date, kB.code});
                                      },
                                      {{"P", BuildPacket({kA, SampleSnippet("New subject", kB.lines), kC})}}},
                             // An append's mark takes it back: once the append is reported done, it must not come back.
                             Scenario{"Append",
                                      {{"P", BuildPacket({kA, kB})}},
                                      [](FileSystem& fs, const std::string& folder) {
                                        SnippetHeader header;
                                        const std::string bytes = HeaderBytes(kX);
                                        std::copy(bytes.begin(), bytes.end(), header.bytes().begin());
                                        return AppendNewSnippet(fs, folder, "P"_packet, header, kX.lines).status();
                                      },
                                      {{"P", BuildPacket({kA, kB, Appended(kX)})}}}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace oldvek
