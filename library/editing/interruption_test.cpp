// Every editing operation interrupted at each of its file operations in turn: whatever the
// step, the packets hold the old content or the new one (or, for a move, the snippet in
// both packets, which the user can see), never a mixture, and the next operation on a
// packet leaves no temporary file behind.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "editing/header_update.h"
#include "editing/snippet_deletion.h"
#include "editing/snippet_move.h"
#include "faulty_file_system.h"
#include "packet_writer.h"
#include "packets/index_builder.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using testing::BuildPacket;
using testing::FaultyFileSystem;
using testing::FileExists;
using testing::PacketBytes;
using testing::ReadFileBytes;
using testing::TempFolder;
using testing::TestSnippet;
using testing::WriteFileBytes;
using testing::WritePacket;

// Packet contents by base name.
using Packets = std::map<std::string, PacketBytes>;

TestSnippet Snippet(std::string subject, std::vector<std::string> lines) {
  TestSnippet s;
  s.author = "Eve Tester";
  s.subject = std::move(subject);
  s.origin = "Here";
  s.date = "2001-02-03";
  s.code = "QB45";
  s.tag = "T";
  s.lines = std::move(lines);
  return s;
}

const TestSnippet kA = Snippet("Alpha", {"PRINT \"A\"", "", "END"});
const TestSnippet kB = Snippet("Beta", {std::string(300, 'B'), "REM two"});
const TestSnippet kC = Snippet("Gamma", {"C = 1"});
const TestSnippet kX = Snippet("Xray", {"X"});
const TestSnippet kY = Snippet("Yankee", {});

struct Scenario {
  Packets before;
  std::function<Status(FileSystem&, const std::string& folder)> operation;
  Packets after;
  // States an interruption may leave besides `before` and `after`.
  std::vector<Packets> also_allowed = {};
};

Packets Read(const TempFolder& folder, const Packets& like) {
  Packets state;
  for (const auto& [base, unused] : like) {
    const std::string packet = folder.File(base + ".VEK");
    const std::string index = folder.File(base + ".IDX");
    state[base] = {FileExists(packet) ? ReadFileBytes(packet) : "(missing)",
                   FileExists(index) ? ReadFileBytes(index) : "(missing)"};
  }
  return state;
}

bool Same(const Packets& a, const Packets& b) {
  for (const auto& [base, bytes] : a) {
    const auto other = b.find(base);
    if (other == b.end() || other->second.packet != bytes.packet || other->second.index != bytes.index) return false;
  }
  return a.size() == b.size();
}

std::string Describe(const Packets& state, const Scenario& scenario) {
  if (Same(state, scenario.before)) return "old";
  if (Same(state, scenario.after)) return "new";
  for (size_t i = 0; i < scenario.also_allowed.size(); ++i) {
    if (Same(state, scenario.also_allowed[i])) return "allowed state " + std::to_string(i + 1);
  }
  return "a mixture";
}

bool AnyMark(const TempFolder& folder, const Packets& packets) {
  for (const auto& [base, unused] : packets) {
    if (FileExists(folder.File(base + ".$OK"))) return true;
  }
  return false;
}

// The packets, and leftovers of an earlier rebuild that never committed, which must be
// removed or emptied and never used.
void Prepare(const TempFolder& folder, const Packets& packets) {
  for (const auto& [base, bytes] : packets) WritePacket(folder.path(), base, bytes);
  WriteFileBytes(folder.File(packets.begin()->first + ".$VE"), "stale packet bytes");
  WriteFileBytes(folder.File(packets.begin()->first + ".$ID"), "stale index bytes");
}

// Runs the operation with a file layer that fails operation `n` and, unless `only_one`,
// every later one; then checks what it left, and what one more operation leaves.
void RunInterrupted(const Scenario& scenario, uint64_t n, bool only_one) {
  TempFolder folder;
  Prepare(folder, scenario.before);
  FaultyFileSystem faulty;
  if (only_one) {
    faulty.FailOnly(n);
  } else {
    faulty.FailFrom(n);
  }
  const Status status = scenario.operation(faulty, folder.path());
  const std::string left = Describe(Read(folder, scenario.before), scenario);
  if (status.ok()) {
    EXPECT_EQ(left, "new");
  } else if (!AnyMark(folder, scenario.before)) {
    // Without a mark nothing is pending: what the files hold is what every reader sees.
    EXPECT_NE(left, "a mixture") << status.message();
  }
  // One more operation on each packet completes or takes back what was interrupted.
  for (const auto& [base, unused] : scenario.before) {
    ASSERT_TRUE(BuildSnippetList(FileSystem::Default(), folder.path(), base).ok());
    for (std::string_view extension : {".$VE", ".$ID", ".$OK"}) {
      EXPECT_FALSE(FileExists(folder.File(base + std::string(extension)))) << base << extension;
    }
  }
  EXPECT_NE(Describe(Read(folder, scenario.before), scenario), "a mixture") << status.message();
}

void RunInterruptedAtEveryStep(const Scenario& scenario) {
  uint64_t total = 0;
  {
    TempFolder folder;
    Prepare(folder, scenario.before);
    FaultyFileSystem counting;
    ASSERT_TRUE(scenario.operation(counting, folder.path()).ok());
    total = counting.operations();
    ASSERT_EQ(Describe(Read(folder, scenario.before), scenario), "new");
  }
  ASSERT_GT(total, 10u);
  for (uint64_t n = 1; n <= total; ++n) {
    // As after a crash: nothing more reaches the disk.
    SCOPED_TRACE("failing from operation " + std::to_string(n) + " of " + std::to_string(total));
    RunInterrupted(scenario, n, false);
  }
  for (uint64_t n = 1; n <= total; ++n) {
    // A passing fault: what the operation does about a failure runs too.
    SCOPED_TRACE("failing operation " + std::to_string(n) + " of " + std::to_string(total));
    RunInterrupted(scenario, n, true);
  }
}

TEST(InterruptionTest, Deletion) {
  RunInterruptedAtEveryStep({
      .before = {{"P", BuildPacket({kA, kB, kC})}},
      .operation = [](FileSystem& fs, const std::string& folder) { return DeleteSnippet(fs, folder, "P", 79); },
      .after = {{"P", BuildPacket({kA, kC})}},
  });
}

TEST(InterruptionTest, MoveToAnotherPacket) {
  RunInterruptedAtEveryStep({
      .before = {{"SRC", BuildPacket({kA, kB, kC})}, {"DST", BuildPacket({kX, kY})}},
      .operation = [](FileSystem& fs, const std::string& folder) {
        return MoveSnippet(fs, folder, "SRC", 79, "DST").status();
      },
      .after = {{"SRC", BuildPacket({kA, kC})}, {"DST", BuildPacket({kX, kY, kB})}},
  });
}

// The same with the source's name first, so the source is settled first afterwards.
TEST(InterruptionTest, MoveToAnotherPacketSettledFromTheSource) {
  RunInterruptedAtEveryStep({
      .before = {{"A", BuildPacket({kA, kB, kC})}, {"Z", BuildPacket({kX, kY})}},
      .operation = [](FileSystem& fs, const std::string& folder) {
        return MoveSnippet(fs, folder, "A", 79, "Z").status();
      },
      .after = {{"A", BuildPacket({kA, kC})}, {"Z", BuildPacket({kX, kY, kB})}},
  });
}

TEST(InterruptionTest, MoveOntoAPartialRecord) {
  // The destination's index ends in one byte of a record; the new record covers it, and a
  // move taken back must put that byte back.
  PacketBytes destination = BuildPacket({kX});
  destination.index += "Q";
  RunInterruptedAtEveryStep({
      .before = {{"SRC", BuildPacket({kA, kB})}, {"DST", destination}},
      .operation = [](FileSystem& fs, const std::string& folder) {
        return MoveSnippet(fs, folder, "SRC", 79, "DST").status();
      },
      .after = {{"SRC", BuildPacket({kA})}, {"DST", BuildPacket({kX, kB})}},
      .also_allowed = {{{"SRC", BuildPacket({kA, kB})}, {"DST", BuildPacket({kX, kB})}}},
  });
}

TEST(InterruptionTest, MoveWithinOnePacket) {
  RunInterruptedAtEveryStep({
      .before = {{"P", BuildPacket({kA, kB, kC})}},
      .operation = [](FileSystem& fs, const std::string& folder) {
        return MoveSnippet(fs, folder, "P", 1, "P").status();
      },
      .after = {{"P", BuildPacket({kB, kC, kA})}},
  });
}

TEST(InterruptionTest, HeaderUpdate) {
  TestSnippet updated = kB;
  updated.author = "New author";
  updated.subject = "New subject";
  updated.origin = "New origin";
  updated.date = "New date";
  updated.code = "NEWCODE";
  RunInterruptedAtEveryStep({
      .before = {{"P", BuildPacket({kA, kB, kC})}},
      .operation = [](FileSystem& fs, const std::string& folder) {
        return UpdateHeader(fs, folder, "P", 79, {"New author", "New subject", "New origin", "New date", "NEWCODE"});
      },
      .after = {{"P", BuildPacket({kA, updated, kC})}},
  });
}

}  // namespace
}  // namespace oldvek
